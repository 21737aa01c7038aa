#include "CQuickXPPD.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <istream>
#include <ostream>
#include <strings.h>

namespace KESTRANE_NS {

namespace {

// Choices that never forbid anything when an option is named without one.
bool IsEligibleChoice(int index, const char* keyword) {
    if (index == 0)
        return false;
    return strcasecmp(keyword, "None") != 0 && strcasecmp(keyword, "Off") != 0 &&
           strcasecmp(keyword, "False") != 0;
}

x_constraints MakePosition(int group, int option, int choice) {
    return {static_cast<int16_t>(group), static_cast<int16_t>(option),
            static_cast<int16_t>(choice)};
}

// Calls f(groupIndex, optionIndex, option) for every option of a top-level
// group whose keyword matches, in PPD order; f returns false to stop.
template <typename F> void ForEachNamedOption(ppd_file_t* ppd, const char* keyword, F f) {
    for (int g = 0; g < ppd->num_groups; ++g) {
        ppd_group_t& group = ppd->groups[g];
        for (int o = 0; o < group.num_options; ++o) {
            if (strcasecmp(group.options[o].keyword, keyword) == 0 && !f(g, o, group.options[o]))
                return;
        }
    }
}

bool FindFirstPosition(ppd_file_t* ppd, const char* option, const char* choice,
                       x_constraints& position) {
    bool found = false;
    ForEachNamedOption(ppd, option, [&](int g, int o, ppd_option_t& opt) {
        for (int c = 0; c < opt.num_choices; ++c) {
            if (strcasecmp(opt.choices[c].choice, choice) == 0) {
                position = MakePosition(g, o, c);
                found = true;
                return false;
            }
        }
        return true;
    });
    return found;
}

std::string MakeKey(const char* option, const char* choice) {
    std::string key(option);
    key += ':';
    key += choice;
    return key;
}

// Decimal text as the cache holds it; anything non-numeric reads as 0.
int16_t ReadCacheNumber(const std::string& text) {
    errno = 0;
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE)
        value = 0;
    return static_cast<int16_t>(value);
}

} // namespace

std::size_t kvHash(std::string_view key) {
    std::size_t h = 0;
    for (char c : key)
        h = h * 5 + static_cast<std::size_t>(static_cast<signed char>(c));
    return h;
}

std::size_t getoneline(std::string& source, std::string& target, char separator) {
    std::size_t pos = source.find(separator);
    if (pos == std::string::npos)
        return pos;
    target.append(source, 0, pos);
    source.erase(0, pos + 1);
    return pos;
}

CQuickXPPD::CQuickXPPD() = default;

CQuickXPPD::CQuickXPPD(XPPDHashMap& index, const char* sectionName)
    : m_index(&index), m_sectionName(sectionName) {}

CQuickXPPD::CQuickXPPD(ppd_file_t* ppd, XPPDHashMap& index, const x_PDEConstr* constraintPairs,
                       const char* pathHolder)
    : m_index(&index), m_ppd(ppd), m_pathHolder(pathHolder) {
    for (int i = 0; constraintPairs && i < kXPPDMaxSections; ++i) {
        m_constr[i] = constraintPairs[i];
        if (!constraintPairs[i].optionNames)
            break;
    }
}

bool CQuickXPPD::IsListedOption(const char* keyword) const {
    for (const std::string& name : m_optionNames) {
        if (strcasecmp(name.c_str(), keyword) == 0)
            return true;
    }
    return false;
}

int CQuickXPPD::SetXppd(ppd_file_t* ppd, XPPDHashMap& index) {
    if (!ppd)
        return 0;
    for (int i = 0; i < ppd->num_consts; ++i) {
        const ppd_const_t& c = ppd->consts[i];
        if (!IsListedOption(c.option1) && !IsListedOption(c.option2))
            continue;
        const bool choice1 = c.choice1[0] != '\0';
        const bool choice2 = c.choice2[0] != '\0';
        if (!choice1 && !choice2)
            xConst2Hash_O1O2(ppd, index, c);
        else if (choice1 && !choice2)
            xConst2Hash_O1C1O2(ppd, index, c);
        else if (!choice1 && choice2)
            xConst2Hash_O1O2C2(ppd, index, c);
        else
            xConst2Hash_O1C1O2C2(ppd, index, c);
    }
    return 0;
}

void CQuickXPPD::xConst2Hash_O1O2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c) {
    ForEachNamedOption(ppd, c.option1, [&](int g1, int o1, ppd_option_t& opt1) {
        for (int c1 = 0; c1 < opt1.num_choices; ++c1) {
            if (!IsEligibleChoice(c1, opt1.choices[c1].choice))
                continue;
            const x_constraints position = MakePosition(g1, o1, c1);
            ForEachNamedOption(ppd, c.option2, [&](int, int, ppd_option_t& opt2) {
                for (int c2 = 0; c2 < opt2.num_choices; ++c2) {
                    if (IsEligibleChoice(c2, opt2.choices[c2].choice))
                        index.emplace(MakeKey(opt2.keyword, opt2.choices[c2].choice), position);
                }
                return true;
            });
        }
        return true;
    });
}

void CQuickXPPD::xConst2Hash_O1C1O2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c) {
    x_constraints position;
    if (!FindFirstPosition(ppd, c.option1, c.choice1, position))
        return;
    ForEachNamedOption(ppd, c.option2, [&](int, int, ppd_option_t& opt2) {
        for (int c2 = 0; c2 < opt2.num_choices; ++c2) {
            if (IsEligibleChoice(c2, opt2.choices[c2].choice))
                index.emplace(MakeKey(opt2.keyword, opt2.choices[c2].choice), position);
        }
        return true;
    });
}

void CQuickXPPD::xConst2Hash_O1O2C2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c) {
    const std::string key = MakeKey(c.option2, c.choice2);
    ForEachNamedOption(ppd, c.option1, [&](int g1, int o1, ppd_option_t& opt1) {
        for (int c1 = 0; c1 < opt1.num_choices; ++c1) {
            if (IsEligibleChoice(c1, opt1.choices[c1].choice))
                index.emplace(key, MakePosition(g1, o1, c1));
        }
        return false; // only the first option of that name
    });
}

void CQuickXPPD::xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XPPDHashMap& index, const ppd_const_t& c) {
    x_constraints position;
    if (FindFirstPosition(ppd, c.option1, c.choice1, position))
        index.emplace(MakeKey(c.option2, c.choice2), position);
}

int CQuickXPPD::SetFileHead(std::ostream&, ppd_file_t*) {
    return 0;
}

int CQuickXPPD::SetFileStamp(std::ostream& out) {
    if (!m_pathHolder)
        return 0;
    std::ifstream ppdFile(m_pathHolder, std::ios::binary);
    if (!ppdFile.is_open())
        return 0;
    // Segments end at a carriage return or a line feed, so that files with
    // either line ending give the one stamp line and never the whole file.
    std::string segment;
    char ch;
    auto stampIn = [&segment] { return segment.find(kXPPDStampText) != std::string::npos; };
    while (ppdFile.get(ch)) {
        if (ch == '\r' || ch == '\n') {
            if (stampIn()) {
                out << segment;
                return 0;
            }
            segment.clear();
        } else {
            segment += ch;
        }
    }
    if (stampIn())
        out << segment;
    return 0;
}

std::ostream& operator<<(std::ostream& out, CQuickXPPD& builder) {
    if (!builder.m_index)
        return out;
    XPPDHashMap& index = *builder.m_index;
    for (const x_PDEConstr& section : builder.m_constr) {
        if (!section.optionNames)
            break;
        builder.m_optionNames.insert(builder.m_optionNames.end(), section.optionNames->begin(),
                                     section.optionNames->end());
        builder.SetXppd(builder.m_ppd, index);
        out << (section.sectionName ? section.sectionName : "") << '\n';
        for (const auto& [key, position] : index) {
            out << key << '@' << position.group << '@' << position.option << '@' << position.choice
                << '@';
        }
        builder.m_optionNames.clear();
        index.clear();
        out << '\n';
    }
    builder.SetFileStamp(out);
    return out;
}

std::istream& operator>>(std::istream& in, CQuickXPPD& builder) {
    if (!in || !builder.m_index || !builder.m_sectionName)
        return in;
    std::string line;
    bool found = false;
    while (std::getline(in, line)) {
        if (line == builder.m_sectionName) {
            found = true;
            break;
        }
    }
    if (!found || !std::getline(in, line))
        return in;
    // Every entry is four fields; a line cut short ends the reading there.
    // The fields are taken as getoneline takes them, but by position, so a
    // long line is not moved once per field.
    std::size_t pos = 0;
    auto field = [&line, &pos](std::string& out) {
        std::size_t at = line.find('@', pos);
        if (at == std::string::npos)
            return false;
        out.assign(line, pos, at - pos);
        pos = at + 1;
        return true;
    };
    std::string key, group, option, choice;
    while (pos < line.size()) {
        if (!field(key) || !field(group) || !field(option) || !field(choice))
            break;
        if (!key.empty()) {
            builder.m_index->emplace(key,
                                     x_constraints{ReadCacheNumber(group), ReadCacheNumber(option),
                                                   ReadCacheNumber(choice)});
        }
    }
    return in;
}

} // namespace KESTRANE_NS
