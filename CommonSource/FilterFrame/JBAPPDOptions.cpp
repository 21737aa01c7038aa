// Job accounting of a job printed without the print dialog: the accounting
// choice and its PPD options, else the IPP accounting attributes, written as
// the user mode's stored settings the accounting panel would send.
#include "JBAFilter.h"

#include <cstring>
#include <string>

#include "JBACaseTables.h"
#include "PPDJobOptions.h"
#include "UtilityFunctionFilter.h"

namespace {

using namespace MNFilter;

// User ID sources of the accounting windows.
constexpr int32_t kJBALoginName = 1;
constexpr int32_t kJBAEnteredUserID = 2;

// The first of the job's values that is given: a PPD text option, then IPP
// attributes.
std::string FirstGiven(const PPDJobOptions& job, const char* keyword,
                       std::initializer_list<const char*> attributes) {
    PPDJobOptionValue value = job.Option(keyword);
    if (value.custom)
        return value.text;
    for (const char* attribute : attributes)
        if (const char* text = job.Attribute(attribute); text && *text)
            return text;
    return {};
}

// A printable Latin-1 text of `minimum` to `maximum` characters into
// `field`; otherwise the warning that says so, and false.
bool AccountingText(const std::string& text, int32_t minimum, int32_t maximum, char* field,
                    int size, const char* what) {
    if (static_cast<int32_t>(text.size()) >= minimum && PPDJobOptionText(text, field, size) &&
        ValidateDada(field, &kPrintableLatin1Table) &&
        static_cast<int32_t>(std::strlen(field)) <= maximum)
        return true;
    PPDJobOptionWarning("Accounting", std::string("the ") + what + " must be " +
                                          (minimum > 0 ? "1 to " : "at most ") +
                                          std::to_string(maximum) + " characters from Latin-1");
    return false;
}

} // namespace

void JBAGetFromPPDOptions(const PPDJobOptions& job) {
    PPDJobOptionValue choice = job.Option("KRJBAAccounting");
    std::string userID = FirstGiven(job, "KRJBAUserID", {"job-accounting-user-id"});
    std::string accountID = FirstGiven(job, "KRJBAAccountID", {"job-account-id"});
    // Qt's dialog sends the billing information: the printer's billing
    // (storage) ID.
    const char* billing = job.Attribute("job-billing");
    std::string storageID = billing ? billing : "";
    int32_t source;
    if (choice.present && choice.text == "LoginName") {
        source = kJBALoginName;
    } else if (choice.present && choice.text == "UserID") {
        source = kJBAEnteredUserID;
    } else if (choice.present && choice.text != "None") {
        PPDJobOptionWarning("Accounting", "\"" + choice.text + "\" is no accounting choice");
        return;
    } else if (!userID.empty()) {
        // The IPP attributes alone ask for accounting too.
        source = kJBAEnteredUserID;
    } else if (!accountID.empty() || !storageID.empty()) {
        source = kJBALoginName;
    } else {
        return;
    }

    kpjlJBAModeSettings_t settings{};
    settings.UserSettingRadioBtn = 1;
    settings.UserIDListCtrl = source;
    settings.UserInputRadioBtn = 0;
    std::string password = FirstGiven(job, "KRJBAPassword", {});
    char plain[sizeof settings.UserPassword * 2] = {};
    if ((source == kJBAEnteredUserID && !AccountingText(userID, 1, kJBAUserIDMax, settings.UserID,
                                                        sizeof settings.UserID, "user ID")) ||
        !AccountingText(accountID, 0, kJBAAccountIDMax, settings.AccountID,
                        sizeof settings.AccountID, "account ID") ||
        !AccountingText(storageID, 0, kJBAStorageIDMax, settings.StorageID,
                        sizeof settings.StorageID, "billing ID") ||
        !AccountingText(password, 0, kJBAPasswordMax, plain, sizeof plain, "password") ||
        !PPDJobOptionPassword(password, settings.UserPassword, sizeof settings.UserPassword))
        return;

    kpjlOptionJBA.ManageType = kJBAModePersonal;
    kpjlOptionJBA.User = settings;
    // The panel always writes the entered user ID's key, and both lists as 0
    // unless the printer has a customised prompt.
    kpjlOptionJBA.UserIDTextEditAbsent = 0;
    JBAInfoTicketValues info =
        JBAInfoValuesForTicket(job.SelectID() >= 0, 1, JBAInfoSetFor(1, job.SelectID()));
    kpjlOptionJBA.InfoList = info.infoKind;
    kpjlOptionJBA.InfoSetList = info.infoSet;
    job.CutJobTitleForProductType();
}
