// Job type panel rules that need no widgets: product types, the job type list
// by PPD, the field limits and the PPD-driven passcode and mailbox limits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <cups/ppd.h>

namespace KESTRANE_NS {

// Job type codes as the printer knows them.
enum PTJobType : int32_t {
    kPTJobNone = 1,
    kPTJobSecure = 2,
    kPTJobSample = 3,
    kPTJobTime = 4,
    kPTJobMBN = 5,
};

struct PTProductInfo {
    const char* name;        // part 0 of the KRVPrintTypeSettings value
    int32_t productType;     // 0..3
    const char* nibName;     // interface file of the panel
    int32_t documentNameMax; // characters the document name may hold
};

extern const PTProductInfo kPTProductInfo[4];

// Row whose name equals `name`, or null.
const PTProductInfo* GetPTProductInfo(const std::string& name);
// Row of a product type; row 0 for a value outside 0..3.
const PTProductInfo& GetPTProductInfoByType(int32_t productType);
// 12 for product type 2, 64 for 3, 24 otherwise (the filter cuts job titles the same way).
int32_t GetDocumentNameMax(int32_t productType);

struct PTListItem {
    int32_t value;   // job type code
    const char* key; // localisation key of the item text
    bool enabled;
};

// The job type list for a PPD: "Job Type MBN" only with KRVMailBoxSettings;
// without storage on the printer only "Job Type None" stays enabled.
std::vector<PTListItem> PTListItemsForPPD(ppd_file_t* ppd);

// Marked choice of `option`, or "" when the option or a marked choice is missing.
std::string GetMarkedChoice(ppd_file_t* ppd, const char* option);
// True when the PPD names a storage (hard disk or RAM disk) that can hold jobs.
bool PTStorageAvailable(ppd_file_t* ppd);

// Whether the PPD has the option KRMinDigitPasscode.
bool HasMinDigitPasscode(ppd_file_t* ppd);
// Integer value of the default choice of KRMinDigitPasscode; 0 without the
// option. Kept within 0..kPTPasswordMax.
int32_t GetMinDigitPasscode(ppd_file_t* ppd);
// Highest mailbox number: the integer formed by the first three characters of
// KRVMailBoxSettings; 0 without the attribute.
int32_t GetMailBoxMax(ppd_file_t* ppd);

// Replaces every "[n]" in `message` by `n` followed by a blank.
std::string ReplaceCountMarker(const std::string& message, int32_t n);
// Replaces every "[n]" by "<low> to <high>", for summary lines.
std::string ReplaceRangeMarker(const std::string& message, int32_t low, int32_t high);

// Field limits of the job type windows.
constexpr int32_t kPTUserIDMax = 24;
constexpr int32_t kPTPasswordMax = 12;
constexpr int32_t kPTMBNMax = 3;
constexpr int32_t kPTMBNPasswordMax = 20;

// Result of checking one field: empty key means the value is fine.
struct PTCheckResult {
    std::string messageKey;
    int32_t markerValue = -1; // value for "[n]" in the message, -1 for none
    bool ok() const { return messageKey.empty(); }
};

// Every character in 0x20..0xFE.
bool IsPrintableLatin1Text(const std::u16string& text);
// Every character a decimal digit.
bool IsDigitText(const std::u16string& text);

// Secure-print password: digits only, length between `minimum` and 12.
PTCheckResult CheckSecurePassword(const std::u16string& text, int32_t minimum);
// Mailbox number: 1 to 3 digits, value 1..maximum.
PTCheckResult CheckMailBoxNumber(const std::u16string& text, int32_t maximum);
// Mailbox password: digits only, at most 20, may be empty.
PTCheckResult CheckMailBoxPassword(const std::u16string& text);
// User ID of the secure and sample windows.
PTCheckResult CheckPTUserID(const std::u16string& text);
// Document name: printable Latin-1 up to the product type's maximum. The
// mailbox window has its own message keys.
PTCheckResult CheckDocumentName(const std::u16string& text, int32_t productType, bool mailbox);

// Message key for a document name by window and product type.
const char* DocumentNameMessageKey(int32_t productType, bool mailbox);

} // namespace KESTRANE_NS
