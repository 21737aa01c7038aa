#include "JobOptions.h"

#include "PageLayout.h"

#include <algorithm>

namespace {

// IPP "orientation-requested" for the page format's orientation.
const char* OrientationRequested(int orientation) {
    switch (orientation) {
    case 2:
        return "4";
    case 3:
        return "6";
    case 4:
        return "5";
    default:
        return "3";
    }
}

OptionList LastChoicePerOption(const OptionList& choices) {
    OptionList out;
    for (const auto& [option, choice] : choices) {
        auto it = std::find_if(out.begin(), out.end(),
                               [&](const auto& entry) { return entry.first == option; });
        if (it == out.end())
            out.emplace_back(option, choice);
        else
            it->second = choice;
    }
    return out;
}

} // namespace

bool IsUsableOptionName(const std::string& name) {
    if (name.empty())
        return false;
    for (unsigned char c : name) {
        if (c <= ' ' || c == '=' || c == '\'' || c == '"' || c == '\\' || c == 0x7f)
            return false;
    }
    return true;
}

JobOptions MakeJobOptions(const JobRequest& request) {
    JobOptions out;
    const OptionList ppd = LastChoicePerOption(request.ppdChoices);
    auto isPPDOption = [&](const std::string& key) {
        return std::any_of(ppd.begin(), ppd.end(), [&](const auto& e) { return e.first == key; });
    };

    for (const auto& [key, value] : request.settingsText) {
        if (!IsUsableOptionName(key)) {
            out.rejectedKeys.push_back(key);
            continue;
        }
        if (isPPDOption(key))
            continue;
        out.options.emplace_back(key, value);
    }
    if (request.copies > 1) {
        out.options.emplace_back("copies", std::to_string(request.copies));
        out.options.emplace_back("collate", request.collate ? "true" : "false");
    }
    if (!request.pageRanges.empty())
        out.options.emplace_back("page-ranges", request.pageRanges);
    if (request.orientation != 1)
        out.options.emplace_back("orientation-requested",
                                 OrientationRequested(request.orientation));
    if (request.pagesPerSheet > 1) {
        auto direction = ParseLayoutDirection(std::to_string(request.layoutDirection));
        out.options.emplace_back(
            "number-up-layout", NumberUpLayoutValue(direction.value_or(kLayoutLeftRightTopBottom)));
    }
    for (const auto& [option, choice] : ppd) {
        if (!IsUsableOptionName(option) || choice.empty()) {
            out.rejectedKeys.push_back(option);
            continue;
        }
        out.options.emplace_back(option, choice);
    }
    return out;
}

std::string FormatJobOptions(const OptionList& options) {
    std::string text;
    for (const auto& [name, value] : options) {
        text += name;
        text += '=';
        text += value;
        text += '\n';
    }
    return text;
}
