#include "PPDJobOptions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FilterGlobals.h"
#include "PrintTypeRules.h"
#include "UtilityFunctionFilter.h"
#include "kspenclib.h"

namespace {

constexpr char kCustomPrefix[] = "Custom.";

// The value of a PPD main keyword line "*Keyword: value" or
// "*Keyword: "value"", without the quotes and trailing blanks.
std::string LineValue(const char* line, size_t keywordLength) {
    const char* v = line + keywordLength;
    while (*v == ' ' || *v == '\t')
        ++v;
    std::string value = v;
    while (!value.empty() && std::strchr(" \t\r\n", value.back()))
        value.pop_back();
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace

PPDJobOptions::PPDJobOptions(char* const argv[]) {
    numOptions_ = cupsParseOptions(argv[5], 0, &options_);
    const char* path = std::getenv("PPD");
    if (!path || !*path)
        return;
    // Only the driver's own defaults and attributes are needed, so the PPD is
    // read as text: libcups' full PPD reader would add close to 1 MiB to the
    // filter of every job.
    FILE* file = std::fopen(path, "r");
    if (!file)
        return;
    char line[1024];
    while (std::fgets(line, sizeof line, file)) {
        if (std::strncmp(line, "*DefaultKR", 10) == 0) {
            const char* colon = std::strchr(line, ':');
            if (colon)
                ppdDefaults_.emplace_back(std::string(static_cast<const char*>(line) + 8, colon),
                                          LineValue(colon + 1, 0));
        } else if (std::strncmp(line, "*KRVMailBoxSettings:", 20) == 0) {
            // The highest mailbox number leads the value.
            mailBoxMax_ = std::atoi(LineValue(line, 20).substr(0, 3).c_str());
        } else if (std::strncmp(line, "*KRVPrintTypeSettings:", 22) == 0) {
            std::string name = LineValue(line, 22);
            const MNFilter::PTProductInfo* row =
                MNFilter::GetPTProductInfo(name.substr(0, name.find('-')));
            productType_ = row ? row->productType : 0;
        }
    }
    std::fclose(file);
    // The panels take the fewest password digits from the default choice.
    if (const std::string* digits = PPDDefault("KRMinDigitPasscode"))
        minDigitPasscode_ =
            std::clamp(std::atoi(digits->c_str()), 0, static_cast<int>(MNFilter::kPTPasswordMax));
    // The accounting prompt as the dialog marks it: the job's choice, else the
    // queue's.
    if (PPDJobOptionValue prompt = Option("KRSelectID"); prompt.present) {
        static const char* const kPrompts[] = {"UserID_AccountID", "UserID", "AccountID", "None"};
        for (int32_t i = 0; i < 4; ++i)
            if (prompt.text == kPrompts[i])
                selectID_ = i;
    }
}

PPDJobOptions::~PPDJobOptions() {
    cupsFreeOptions(numOptions_, options_);
}

const std::string* PPDJobOptions::PPDDefault(const char* keyword) const {
    for (const auto& [name, value] : ppdDefaults_)
        if (name == keyword)
            return &value;
    return nullptr;
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
    if (!value) {
        if (const std::string* fallback = PPDDefault(keyword))
            value = fallback->c_str();
    }
    if (!value || !*value)
        return result;
    result.present = true;
    if (std::strncmp(value, kCustomPrefix, sizeof kCustomPrefix - 1) == 0) {
        result.custom = true;
        result.text = value + sizeof kCustomPrefix - 1;
    } else {
        // "None" is the one plain choice of the text options.
        result.custom = std::strcmp(value, "None") != 0;
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
