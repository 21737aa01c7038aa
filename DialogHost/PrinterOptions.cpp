#include "PrinterOptions.h"

#include <cups/cups.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

// The dialog reads the PPD through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

// "*de.Translation Duplex/Beidseitig: """ and "*de.Duplex None/Aus: """.
std::string Translated(ppd_file_t* ppd, const std::string& language, const char* keyword,
                       const char* spec, const char* fallback) {
    for (std::string ll : {language, language.substr(0, language.find('_'))}) {
        if (ll.empty() || ll == "C" || ll == "POSIX")
            continue;
        const std::string name = ll + "." + keyword;
        if (ppd_attr_t* a = ppdFindAttr(ppd, name.c_str(), spec); a && a->text[0])
            return a->text;
    }
    return fallback && *fallback ? fallback : (spec ? spec : keyword);
}

PrinterOption ReadOption(ppd_file_t* ppd, ppd_option_t* o, const std::string& language) {
    PrinterOption out;
    out.keyword = o->keyword;
    out.text = Translated(ppd, language, "Translation", o->keyword, o->text);
    out.ui = o->ui;
    for (int i = 0; i < o->num_choices; ++i) {
        const ppd_choice_t& c = o->choices[i];
        out.choices.push_back({c.choice, Translated(ppd, language, o->keyword, c.choice, c.text)});
    }
    if (ppd_coption_t* custom = ppdFindCustomOption(ppd, o->keyword)) {
        for (ppd_cparam_t* p = ppdFirstCustomParam(custom); p; p = ppdNextCustomParam(custom)) {
            CustomParam param;
            param.name = p->name;
            param.text =
                Translated(ppd, language, ("ParamCustom" + out.keyword).c_str(), p->name, p->text);
            param.type = p->type;
            switch (p->type) {
            case PPD_CUSTOM_INT:
            case PPD_CUSTOM_PASSCODE:
            case PPD_CUSTOM_PASSWORD:
            case PPD_CUSTOM_STRING:
                param.minimum = p->minimum.custom_int;
                param.maximum = p->maximum.custom_int;
                break;
            default:
                param.minimum = p->minimum.custom_real;
                param.maximum = p->maximum.custom_real;
                break;
            }
            out.customParams.push_back(param);
        }
    }
    return out;
}

void AddOptions(ppd_file_t* ppd, ppd_group_t* group, const std::set<std::string>& owned,
                const std::string& language, PrinterOptionGroup& into) {
    for (int i = 0; i < group->num_options; ++i) {
        ppd_option_t* o = &group->options[i];
        if (owned.count(o->keyword) || IsDialogOwnedOption(o->keyword))
            continue;
        into.options.push_back(ReadOption(ppd, o, language));
    }
    for (int i = 0; i < group->num_subgroups; ++i)
        AddOptions(ppd, &group->subgroups[i], owned, language, into);
}

bool IsTextParam(ppd_cptype_t type) {
    return type == PPD_CUSTOM_STRING || type == PPD_CUSTOM_PASSWORD || type == PPD_CUSTOM_PASSCODE;
}

std::string Number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}

bool CheckParam(const CustomParam& p, const std::string& value, std::string& message) {
    const std::string name = p.text.empty() ? p.name : p.text;
    if (IsTextParam(p.type)) {
        const double length = static_cast<double>(value.size());
        if (length < p.minimum || length > p.maximum) {
            message =
                name + " takes " + Number(p.minimum) + " to " + Number(p.maximum) + " characters";
            return false;
        }
        for (unsigned char c : value) {
            if (p.type == PPD_CUSTOM_PASSCODE && (c < '0' || c > '9')) {
                message = name + " takes digits only";
                return false;
            }
            // These would end the value early in the option's written form.
            if (c < ' ' || c == '"' || c == '\\' || c == '{' || c == '}') {
                message = name + " cannot hold quotes, braces, backslashes or control characters";
                return false;
            }
        }
        return true;
    }
    char* end = nullptr;
    const double v = std::strtod(value.c_str(), &end);
    const bool integral = p.type != PPD_CUSTOM_INT || v == std::floor(v);
    if (value.empty() || *end || !std::isfinite(v) || !integral || v < p.minimum || v > p.maximum) {
        message = name + " takes " + (p.type == PPD_CUSTOM_INT ? "a whole number" : "a number") +
                  " from " + Number(p.minimum) + " to " + Number(p.maximum);
        return false;
    }
    return true;
}

} // namespace

bool IsDialogOwnedOption(const std::string& keyword) {
    return keyword == "PageSize" || keyword == "PageRegion";
}

std::vector<PrinterOptionGroup> UnownedPrinterOptions(ppd_file_t* ppd,
                                                      const std::set<std::string>& owned,
                                                      const std::string& language) {
    std::vector<PrinterOptionGroup> out;
    if (!ppd)
        return out;
    for (int i = 0; i < ppd->num_groups; ++i) {
        ppd_group_t* g = &ppd->groups[i];
        // Installable options describe the printer, set once by its administrator.
        if (std::strcmp(g->name, "InstallableOptions") == 0)
            continue;
        PrinterOptionGroup group;
        group.name = g->name;
        group.text = Translated(ppd, language, "Translation", g->name, g->text);
        AddOptions(ppd, g, owned, language, group);
        if (!group.options.empty())
            out.push_back(std::move(group));
    }
    return out;
}

std::vector<std::string> ConflictingOptions(ppd_file_t* ppd, const std::string& option,
                                            const std::string& choice) {
    std::vector<std::string> out;
    cups_option_t* options = nullptr;
    const int n = cupsGetConflicts(ppd, option.c_str(), choice.c_str(), &options);
    for (int i = 0; i < n; ++i)
        if (option != options[i].name)
            out.emplace_back(options[i].name);
    cupsFreeOptions(n, options);
    return out;
}

bool MakeCustomValue(const PrinterOption& option, const std::vector<std::string>& values,
                     std::string& out, std::string& message) {
    const auto& params = option.customParams;
    if (params.empty() || values.size() != params.size()) {
        message = option.text + " takes no custom value";
        return false;
    }
    for (size_t i = 0; i < params.size(); ++i)
        if (!CheckParam(params[i], values[i], message))
            return false;
    if (params.size() == 1) {
        out = "Custom." + values[0];
        return true;
    }
    out = "{";
    for (size_t i = 0; i < params.size(); ++i) {
        if (i)
            out += ' ';
        const bool quote = IsTextParam(params[i].type);
        out += params[i].name + "=" + (quote ? "\"" + values[i] + "\"" : values[i]);
    }
    out += '}';
    return true;
}

bool ParseCustomValue(const PrinterOption& option, const std::string& value,
                      std::vector<std::string>& values) {
    const auto& params = option.customParams;
    if (params.empty())
        return false;
    values.assign(params.size(), std::string());
    if (value.rfind("Custom.", 0) == 0) {
        if (params.size() != 1)
            return false;
        values[0] = value.substr(7);
        return true;
    }
    if (value.size() < 2 || value.front() != '{' || value.back() != '}')
        return false;
    cups_option_t* parsed = nullptr;
    const int n = cupsParseOptions(value.substr(1, value.size() - 2).c_str(), 0, &parsed);
    for (int i = 0; i < n; ++i) {
        for (size_t k = 0; k < params.size(); ++k)
            if (params[k].name == parsed[i].name)
                values[k] = parsed[i].value;
    }
    cupsFreeOptions(n, parsed);
    return true;
}
