#include "PrintTypeRules.h"

#include <cstdlib>
#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

const PTProductInfo kPTProductInfo[4] = {
    {"Default00", 0, "KRPrintType_Default00", 24},
    {"Default01", 1, "KRPrintType_Default01", 24},
    {"Default02", 2, "KRPrintType_Default02", 12},
    {"Default03", 3, "KRPrintType_Default03", 64},
};

const PTProductInfo* GetPTProductInfo(const std::string& name) {
    for (const auto& row : kPTProductInfo) {
        if (name == row.name)
            return &row;
    }
    return nullptr;
}

const PTProductInfo& GetPTProductInfoByType(int32_t productType) {
    for (const auto& row : kPTProductInfo) {
        if (row.productType == productType)
            return row;
    }
    return kPTProductInfo[0];
}

int32_t GetDocumentNameMax(int32_t productType) {
    if (productType == 2)
        return 12;
    if (productType == 3)
        return 64;
    return 24;
}

std::string GetMarkedChoice(ppd_file_t* ppd, const char* option) {
    if (!ppd || !option)
        return {};
    ppd_choice_t* choice = ppdFindMarkedChoice(ppd, option);
    return choice ? std::string(choice->choice) : std::string();
}

bool PTStorageAvailable(ppd_file_t* ppd) {
    if (!ppd || !ppdFindOption(ppd, "KRHardDisk"))
        return true;
    std::string storage = GetMarkedChoice(ppd, "KRHardDisk");
    if (storage != "False")
        return true;
    // Without a hard disk a RAM disk may still hold the job.
    if (ppdFindOption(ppd, "KRRAMDisk"))
        storage = GetMarkedChoice(ppd, "KRRAMDisk");
    return storage != "False";
}

std::vector<PTListItem> PTListItemsForPPD(ppd_file_t* ppd) {
    std::vector<PTListItem> items = {
        {kPTJobNone, "Job Type None", true},
        {kPTJobSecure, "Job Type Secure", true},
        {kPTJobSample, "Job Type Sample", true},
        {kPTJobTime, "Job Type Time", true},
    };
    if (ppd && ppdFindAttr(ppd, "KRVMailBoxSettings", nullptr))
        items.push_back({kPTJobMBN, "Job Type MBN", true});
    if (!PTStorageAvailable(ppd)) {
        for (auto& item : items)
            item.enabled = item.value == kPTJobNone;
    }
    return items;
}

bool HasMinDigitPasscode(ppd_file_t* ppd) {
    return ppd && ppdFindOption(ppd, "KRMinDigitPasscode");
}

int32_t GetMinDigitPasscode(ppd_file_t* ppd) {
    if (!HasMinDigitPasscode(ppd))
        return 0;
    ppd_option_t* option = ppdFindOption(ppd, "KRMinDigitPasscode");
    long value = std::strtol(option->defchoice, nullptr, 10);
    // A minimum beyond the field's own maximum would refuse every password.
    if (value < 0)
        return 0;
    if (value > kPTPasswordMax)
        return kPTPasswordMax;
    return static_cast<int32_t>(value);
}

int32_t GetMailBoxMax(ppd_file_t* ppd) {
    if (!ppd)
        return 0;
    ppd_attr_t* attr = ppdFindAttr(ppd, "KRVMailBoxSettings", nullptr);
    if (!attr || !attr->value)
        return 0;
    char head[4] = {};
    std::strncpy(head, attr->value, 3);
    return static_cast<int32_t>(std::strtol(head, nullptr, 10));
}

static std::string ReplaceMarker(const std::string& message, const std::string& text) {
    static const std::string marker = "[n]";
    std::string out = message;
    for (size_t at = out.find(marker); at != std::string::npos;
         at = out.find(marker, at + text.size()))
        out.replace(at, marker.size(), text);
    return out;
}

std::string ReplaceCountMarker(const std::string& message, int32_t n) {
    return ReplaceMarker(message, std::to_string(n) + " ");
}

std::string ReplaceRangeMarker(const std::string& message, int32_t low, int32_t high) {
    return ReplaceMarker(message, std::to_string(low) + " to " + std::to_string(high));
}

bool IsPrintableLatin1Text(const std::u16string& text) {
    for (char16_t c : text) {
        if (c < 0x20 || c > 0xFE)
            return false;
    }
    return true;
}

bool IsDigitText(const std::u16string& text) {
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

PTCheckResult CheckSecurePassword(const std::u16string& text, int32_t minimum) {
    const auto length = static_cast<int32_t>(text.size());
    if (!IsDigitText(text) || length < minimum || length > kPTPasswordMax)
        return {"Message60", minimum};
    return {};
}

PTCheckResult CheckMailBoxNumber(const std::u16string& text, int32_t maximum) {
    if (text.empty() || !IsDigitText(text) || static_cast<int32_t>(text.size()) > kPTMBNMax)
        return {"Warning22", maximum};
    int32_t value = 0;
    for (char16_t c : text)
        value = value * 10 + (c - u'0');
    if (value == 0 || value > maximum)
        return {"Warning22", maximum};
    return {};
}

PTCheckResult CheckMailBoxPassword(const std::u16string& text) {
    if (!IsDigitText(text) || static_cast<int32_t>(text.size()) > kPTMBNPasswordMax)
        return {"Message40"};
    return {};
}

PTCheckResult CheckPTUserID(const std::u16string& text) {
    if (!IsPrintableLatin1Text(text) || static_cast<int32_t>(text.size()) > kPTUserIDMax)
        return {"Message43"};
    return {};
}

const char* DocumentNameMessageKey(int32_t productType, bool mailbox) {
    if (mailbox)
        return productType == 2 ? "Message41b_m" : "Message41_m";
    return productType == 2 ? "Message41b" : "Message41";
}

PTCheckResult CheckDocumentName(const std::u16string& text, int32_t productType, bool mailbox) {
    if (!IsPrintableLatin1Text(text) ||
        static_cast<int32_t>(text.size()) > GetDocumentNameMax(productType))
        return {DocumentNameMessageKey(productType, mailbox), GetDocumentNameMax(productType)};
    return {};
}

} // namespace KESTRANE_NS
