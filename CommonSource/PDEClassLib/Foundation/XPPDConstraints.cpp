#include "XPPDConstraints.h"

#include <fstream>

#include "XPPD.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

// Attribute names are used up to 19 bytes, as the fixed name buffers allow.
std::string CutAttributeName(const char* name) {
    return std::string(name).substr(0, 19);
}

// The choice a stored position names, or null when the position does not fit
// this PPD (a cache made from another PPD must not lead outside it).
const ppd_choice_t* ChoiceAtPosition(ppd_file_t* ppd, const x_constraints& p) {
    if (p.group < 0 || p.group >= ppd->num_groups)
        return nullptr;
    const ppd_group_t& group = ppd->groups[p.group];
    if (p.option < 0 || p.option >= group.num_options)
        return nullptr;
    const ppd_option_t& option = group.options[p.option];
    if (p.choice < 0 || p.choice >= option.num_choices)
        return nullptr;
    return &option.choices[p.choice];
}

} // namespace

uint32_t GetSystemVersionForXPPD() {
    return 0x1040;
}

std::string GetXPPDSectionName(const char* baseName, uint32_t systemVersion) {
    std::string name(baseName ? baseName : "");
    name += (systemVersion & 0xFFF0) == 0x1030 ? "Panther" : "Tiger";
    return name;
}

int GetXPPD(ppd_file_t* ppd, XPPDHashMap& index, const char* baseName,
            const char* cachePathAttribute) {
    if (!ppd || !baseName || !cachePathAttribute)
        return 1;
    const std::string section = GetXPPDSectionName(baseName, GetSystemVersionForXPPD());
    ppd_attr_t* attr = ppdFindAttr(ppd, CutAttributeName(cachePathAttribute).c_str(), nullptr);
    if (!attr || !attr->value)
        return 1;
    std::ifstream cache(attr->value, std::ios::binary);
    if (!cache.is_open())
        return 1;
    CQuickXPPD reader(index, section.c_str());
    cache >> reader;
    return 0;
}

bool CDFKeyExist(ppd_file_t* ppd, const char* attributeName) {
    if (!ppd || !attributeName)
        return false;
    return ppdFindAttr(ppd, CutAttributeName(attributeName).c_str(), nullptr) != nullptr;
}

bool IsPPDChoiceConflicted(ppd_file_t* ppd, const XPPDHashMap& index, const char* option,
                           const char* choice) {
    if (!ppd || !option || !choice)
        return false;
    std::string key(option);
    key += ':';
    key += choice;
    auto [first, last] = index.equal_range(key);
    for (auto it = first; it != last; ++it) {
        const ppd_choice_t* forbidding = ChoiceAtPosition(ppd, it->second);
        if (forbidding && forbidding->marked)
            return true;
    }
    return false;
}

int GetUIListFromPPD(ppd_file_t* ppd, const XPPDHashMap& index, const char* option, PPDUIList* list,
                     int* counter) {
    if (!list || !ppd || !option)
        return 0;
    ppd_option_t* opt = ppdFindOption(ppd, option);
    if (!opt)
        return 0;
    for (int i = 0; i < opt->num_choices; ++i) {
        const ppd_choice_t& choice = opt->choices[i];
        list->push_back({opt->keyword, choice.choice,
                         CreateStringFromPPDText(ppd, choice.text).value_or(std::string()),
                         IsPPDChoiceConflicted(ppd, index, opt->keyword, choice.choice)
                             ? kConflictTrue
                             : kConflictFalse});
        if (counter)
            ++*counter;
    }
    return 0;
}

int InitializeValueFromPPD(ppd_file_t* ppd, const XPPDHashMap& index, PPDUIList* list,
                           const char* option) {
    if (CheckPPDKeyIsExist(ppd, option)) {
        int counter = 0;
        GetUIListFromPPD(ppd, index, option, list, &counter);
    }
    return 1;
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
