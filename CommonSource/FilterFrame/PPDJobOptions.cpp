#include "PPDJobOptions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FilterGlobals.h"
#include "JBACaseTables.h"
#include "PrintTypeRules.h"
#include "UtilityFunctionFilter.h"
#include "kspenclib.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr char kCustomPrefix[] = "Custom.";

bool IsChoiceOf(ppd_file_t* ppd, const char* keyword, const char* value) {
    if (std::strcmp(value, "None") == 0)
        return true;
    ppd_option_t* option = ppd ? ppdFindOption(ppd, keyword) : nullptr;
    return option && ppdFindChoice(option, value);
}

} // namespace

PPDJobOptions::PPDJobOptions(char* const argv[]) {
    numOptions_ = cupsParseOptions(argv[5], 0, &options_);
    const char* path = std::getenv("PPD");
    if (path && *path)
        ppd_ = ppdOpenFile(path);
    if (!ppd_)
        return;
    // The job may carry its own choice of the installable options.
    if (const char* prompt = cupsGetOption("KRSelectID", numOptions_, options_))
        ppdMarkOption(ppd_, "KRSelectID", prompt);
    minDigitPasscode_ = MNFilter::GetMinDigitPasscode(ppd_);
    mailBoxMax_ = MNFilter::GetMailBoxMax(ppd_);
    selectID_ = MNFilter::GetJBASelectID(ppd_);
    if (ppd_attr_t* attr = ppdFindAttr(ppd_, "KRVPrintTypeSettings", nullptr);
        attr && attr->value) {
        std::string name = attr->value;
        const MNFilter::PTProductInfo* row =
            MNFilter::GetPTProductInfo(name.substr(0, name.find('-')));
        productType_ = row ? row->productType : 0;
    }
}

PPDJobOptions::~PPDJobOptions() {
    cupsFreeOptions(numOptions_, options_);
    if (ppd_)
        ppdClose(ppd_);
}

bool PPDJobOptions::HasTicketKey(const char* name) const {
    return cupsGetOption((std::string(KTICKET_PREFIX) + name).c_str(), numOptions_, options_);
}

const char* PPDJobOptions::Attribute(const char* name) const {
    return cupsGetOption(name, numOptions_, options_);
}

PPDJobOptionValue PPDJobOptions::Option(const char* keyword) const {
    PPDJobOptionValue result;
    const char* value = cupsGetOption(keyword, numOptions_, options_);
    if (!value && ppd_) {
        if (ppd_option_t* option = ppdFindOption(ppd_, keyword))
            value = option->defchoice;
    }
    if (!value || !*value)
        return result;
    result.present = true;
    if (std::strncmp(value, kCustomPrefix, sizeof kCustomPrefix - 1) == 0) {
        result.custom = true;
        result.text = value + sizeof kCustomPrefix - 1;
    } else {
        result.custom = !IsChoiceOf(ppd_, keyword, value);
        result.text = value;
    }
    return result;
}

void PPDJobOptions::CutJobTitleForProductType() const {
    size_t limit = static_cast<size_t>(MNFilter::GetDocumentNameMax(productType_));
    std::memset(StdDocumentName + limit, 0, sizeof StdDocumentName - limit);
    std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
    std::memcpy(PTStdDocumentName, StdDocumentName, limit);
    if (!ValidateDada(PTStdDocumentName, &kPrintableLatin1Table))
        std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
}

void PPDJobOptionWarning(const char* feature, const std::string& why) {
    std::fprintf(stderr, "WARNING: %s left out: %s\n", feature, why.c_str());
}

bool PPDJobOptionText(const std::string& value, char* field, int size) {
    return value.empty() ? (std::memset(field, 0, static_cast<size_t>(size)), true)
                         : ConvertUTF8ToEncoding(value.c_str(), field, size) > 0;
}

bool PPDJobOptionPassword(const std::string& password, char* field, int size) {
    std::memset(field, 0, static_cast<size_t>(size));
    if (password.empty())
        return true;
    unsigned char scrambled[255];
    int scrambledLength = 0;
    if (password.size() > sizeof scrambled ||
        MNFilter::KSPEncrypt(reinterpret_cast<const unsigned char*>(password.data()),
                             static_cast<int>(password.size()), scrambled, &scrambledLength,
                             sizeof scrambled) != MNFilter::kKSPSuccess)
        return false;
    int length = 0;
    // One byte stays for the terminator.
    if (MNFilter::KSPBinToB64(scrambled, scrambledLength, field, &length, size - 1) ==
        MNFilter::kKSPSuccess)
        return true;
    std::memset(field, 0, static_cast<size_t>(size));
    return false;
}

bool PPDJobOptionNumber(const std::string& text, long minimum, long maximum, long& value) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= minimum && value <= maximum;
}
