#include "XPPD.h"

#include <algorithm>
#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

namespace {

ppd_option_t* FindOption(ppd_file_t* ppd, const char* keyword) {
    if (!ppd || !keyword)
        return nullptr;
    return ppdFindOption(ppd, keyword);
}

int ChoiceIndexOf(const ppd_option_t* option, const char* choiceKeyword) {
    for (int i = 0; i < option->num_choices; ++i) {
        if (std::strcmp(option->choices[i].choice, choiceKeyword) == 0)
            return i;
    }
    return -1;
}

// Digits of the first length bytes read as one decimal number, saturating
// rather than overflowing on long digit runs.
int DigitsAsNumber(const char* text, std::size_t length) {
    long long value = 0;
    for (std::size_t i = 0; i < length && text[i]; ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            value = value * 10 + (text[i] - '0');
            if (value > 0x7FFFFFFF)
                value = 0x7FFFFFFF;
        }
    }
    return static_cast<int>(value);
}

} // namespace

bool CheckPPDKeyIsExist(ppd_file_t* ppd, const char* keyword) {
    return FindOption(ppd, keyword) != nullptr;
}

int GetPPDKeyOptionCount(ppd_file_t* ppd, const char* keyword) {
    ppd_option_t* option = FindOption(ppd, keyword);
    return option ? option->num_choices : 0;
}

int GetValueFromPPD(ppd_file_t* ppd, const char* keyword, const char* const* list, int listLength) {
    ppd_option_t* option = FindOption(ppd, keyword);
    if (!option || !list)
        return -1;
    for (int i = 0; i < listLength; ++i) {
        if (list[i] && std::strcmp(list[i], option->defchoice) == 0)
            return i;
    }
    return -1;
}

int GetValueFromPPDByIndex(ppd_file_t* ppd, const char* keyword, char* output, int index,
                           std::size_t outputSize) {
    ppd_option_t* option = FindOption(ppd, keyword);
    if (!option || !output || outputSize == 0 || index < 0 || index >= option->num_choices)
        return 0;
    const char* choice = option->choices[index].choice;
    std::size_t n = std::min(std::strlen(choice), outputSize - 1);
    std::memcpy(output, choice, n);
    output[n] = '\0';
    return static_cast<int>(n);
}

int GetIndexFromPPDByKeyword(ppd_option_t* option, const char* choiceKeyword) {
    if (!option || !choiceKeyword)
        return 0;
    int index = ChoiceIndexOf(option, choiceKeyword);
    return index < 0 ? 0 : index;
}

int GetIndexOfMarkedOptionWithKey(ppd_option_t* option, ppd_file_t* ppd, const char* keyword) {
    if (!option)
        option = FindOption(ppd, keyword);
    if (!option)
        return -1;
    for (int i = 0; i < option->num_choices; ++i) {
        if (option->choices[i].marked)
            return i;
    }
    return ChoiceIndexOf(option, option->defchoice);
}

int GetUIDefaultFromPPD(ppd_file_t* ppd, const char* keyword, std::optional<std::string>& out) {
    ppd_option_t* option = FindOption(ppd, keyword);
    if (option)
        out = std::string(option->defchoice);
    else
        out.reset();
    return 0;
}

int GetUIDefaultValueFromPPD(ppd_file_t* ppd, const char* keyword) {
    ppd_option_t* option = FindOption(ppd, keyword);
    return option ? ChoiceIndexOf(option, option->defchoice) : -1;
}

int GetChoiceIndex(ppd_file_t* ppd, const char* keyword, const char* choiceKeyword) {
    ppd_option_t* option = FindOption(ppd, keyword);
    if (!option)
        return 0;
    if (!choiceKeyword)
        return option->num_choices;
    int index = ChoiceIndexOf(option, choiceKeyword);
    return index < 0 ? option->num_choices : index;
}

int GetUITitleFromPPD(ppd_file_t* ppd, const char* keyword, std::optional<std::string>& out) {
    ppd_option_t* option = FindOption(ppd, keyword);
    out = option ? CreateStringFromPPDText(ppd, option->text) : std::nullopt;
    return 0;
}

void GetCFStringEncodingFromPPD(ppd_file_t* ppd, CFStringEncoding& encoding) {
    encoding = CFStringEncodingFromLanguageEncoding(ppd ? ppd->lang_encoding : nullptr);
}

CFStringEncoding GetDeclaredEncodingOfPPD(ppd_file_t* ppd) {
    if (!ppd)
        return kCFStringEncodingMacRoman;
    ppd_attr_t* attr = ppdFindAttr(ppd, "LanguageEncoding", nullptr);
    if (attr && attr->value)
        return CFStringEncodingFromLanguageEncoding(attr->value);
    // libcups reads a PPD without the keyword as ISO Latin-1.
    return kCFStringEncodingISOLatin1;
}

std::optional<std::string> CreateStringFromPPDText(ppd_file_t* ppd, const char* text) {
    if (!text)
        return std::nullopt;
    CFStringEncoding encoding;
    GetCFStringEncodingFromPPD(ppd, encoding);
    return CreateUTF8StringWithEncoding(text, encoding);
}

int FindPPDKeyPairsMatch(const std::vector<std::pair<std::string, std::string>>& pairs,
                         const std::string& first, const std::string& second) {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (pairs[i].first == first && pairs[i].second == second)
            return static_cast<int>(i);
    }
    return -1;
}

void FixPPDKeywordAccordingToType(ppd_file_t* ppd, const char* keyword, char* output,
                                  std::size_t outputSize) {
    if (!keyword || !output || outputSize == 0)
        return;
    std::string fixed(keyword);
    const char* maker = ppd ? ppd->manufacturer : nullptr;
    const char* prefix = nullptr;
    if (maker) {
        if (std::strcmp(maker, "KV") == 0)
            prefix = "KV";
        else if (std::strcmp(maker, "Olvar") == 0)
            prefix = "OL";
        else if (std::strcmp(maker, "Kestrane") == 0)
            prefix = "KR";
    }
    if (prefix && fixed.size() >= 2)
        fixed.replace(0, 2, prefix);
    std::memcpy(output, fixed.data(), std::min(fixed.size(), outputSize - 1));
}

int GetPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* keyword) {
    ppd_option_t* option = FindOption(ppd, keyword);
    if (!option)
        return -1;
    return DigitsAsNumber(option->defchoice, 255);
}

int GetMBMaxNumberFromPPD(ppd_file_t* ppd, const char* attributeName) {
    if (!ppd || !attributeName)
        return 0;
    ppd_attr_t* attr = ppdFindAttr(ppd, attributeName, nullptr);
    if (!attr || !attr->value)
        return 0;
    // Attribute values keep the file's own encoding.
    std::optional<std::string> value =
        CreateUTF8StringWithEncoding(attr->value, GetDeclaredEncodingOfPPD(ppd));
    if (!value)
        return 0;
    return DigitsAsNumber(value->c_str(), 3);
}

int getIntFromString(const char* text, int length) {
    if (!text || length <= 0)
        return 0;
    return DigitsAsNumber(text, static_cast<std::size_t>(length));
}

std::optional<std::vector<PDEChoice>> ArrayFromPPDOption(ppd_option_t* option) {
    if (!option)
        return std::nullopt;
    std::vector<PDEChoice> choices;
    choices.reserve(static_cast<std::size_t>(option->num_choices));
    for (int i = 0; i < option->num_choices; ++i)
        choices.push_back(PDEChoice::choiceWithChoice(&option->choices[i]));
    return choices;
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
