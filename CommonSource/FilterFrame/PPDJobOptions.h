// What a job printed without the print dialog carries instead of ticket keys:
// the PPD options of the job (from GTK's or Qt's dialog, `lp -o` or the
// queue's `lpoptions` defaults, all in argv[5]), the queue PPD's defaults
// ($PPD), and the standard IPP job attributes CUPS passes on (job-account-id,
// job-accounting-user-id, job-billing, job-password). The feature readers
// fall back to these only when the dialog's ticket keys for a feature are
// absent.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include <cups/cups.h>

// One option of the job as the feature readers see it.
struct PPDJobOptionValue {
    bool present = false; // given by the job or set as the queue's default
    bool custom = false;  // a "Custom.<text>" value, or any text that is no choice
    std::string text;     // the choice keyword, or the custom text
};

// The job's options, parsed once per job.
class PPDJobOptions {
public:
    explicit PPDJobOptions(char* const argv[]);
    ~PPDJobOptions();
    PPDJobOptions(const PPDJobOptions&) = delete;
    PPDJobOptions& operator=(const PPDJobOptions&) = delete;

    // True when the dialog's ticket key `name` (without the key prefix) is
    // in the job: the feature it belongs to is then the dialog's.
    bool HasTicketKey(const char* name) const;
    // The PPD option `keyword`: the job's value, else the PPD's default. The
    // text options have the one plain choice "None" (nothing given); any
    // other value without "Custom." is taken as the custom text, so
    // `lp -o KRHoldUserID=alice` works too.
    PPDJobOptionValue Option(const char* keyword) const;
    // A job attribute or option as CUPS passed it; null when absent.
    const char* Attribute(const char* name) const;

    // Limits the panels take from the PPD: the minimum secure password
    // length (KRMinDigitPasscode), the highest mailbox number
    // (KRVMailBoxSettings), the product type (KRVPrintTypeSettings) and the
    // accounting prompt (KRSelectID, -1 without it).
    int32_t MinDigitPasscode() const { return minDigitPasscode_; }
    int32_t MailBoxMax() const { return mailBoxMax_; }
    int32_t ProductType() const { return productType_; }
    int32_t SelectID() const { return selectID_; }

    // The job title as the dialog's product type key would have it cut, for
    // the job name and the stored document name.
    void CutJobTitleForProductType() const;

private:
    // The queue PPD's default choice of a KR option, or null.
    const std::string* PPDDefault(const char* keyword) const;

    int numOptions_ = 0;
    cups_option_t* options_ = nullptr;
    std::vector<std::pair<std::string, std::string>> ppdDefaults_;
    int32_t minDigitPasscode_ = 0;
    int32_t mailBoxMax_ = 0;
    int32_t productType_ = 0;
    int32_t selectID_ = -1;
};

// Tells CUPS (and so the job's state message) why a value was left out:
// one "WARNING: <feature> left out: <why>" line on standard error.
void PPDJobOptionWarning(const char* feature, const std::string& why);

// Latin-1 text of a UTF-8 value into a field of `size` bytes; false when the
// text has a character Latin-1 lacks or does not fit.
bool PPDJobOptionText(const std::string& value, char* field, int size);

// The protected form of a password (scrambled, then Base64) into a field of
// `size` bytes; an empty password stays empty. False when it does not fit.
bool PPDJobOptionPassword(const std::string& password, char* field, int size);

// Whole number in [minimum, maximum] written as decimal digits only.
bool PPDJobOptionNumber(const std::string& text, long minimum, long maximum, long& value);
