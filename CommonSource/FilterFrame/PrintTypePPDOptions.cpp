// The job type of a job printed without the print dialog, from the job's PPD
// options and the IPP job password, checked with the job type panel's rules.
#include "PrintTypeFilter.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "DelayPrintTime.h"
#include "FilterGlobals.h"
#include "PPDJobOptions.h"
#include "PrintTypeRules.h"
#include "UtilityFunctionFilter.h"

namespace {

using namespace MNFilter;

std::u16string Widened(const char* latin1) {
    std::u16string out;
    for (const unsigned char* s = reinterpret_cast<const unsigned char*>(latin1); *s; ++s)
        out += static_cast<char16_t>(*s);
    return out;
}

int32_t JobTypeCode(const std::string& choice) {
    static const struct {
        const char* choice;
        int32_t code;
    } kJobTypes[] = {{"Normal", kPTJobNone},
                     {"Secure", kPTJobSecure},
                     {"Sample", kPTJobSample},
                     {"Delayed", kPTJobTime},
                     {"MailBox", kPTJobMBN}};
    for (const auto& row : kJobTypes)
        if (choice == row.choice)
            return row.code;
    return 0;
}

// The text of a text option: "" for its "None" choice or when absent.
std::string CustomText(const PPDJobOptions& job, const char* keyword) {
    PPDJobOptionValue value = job.Option(keyword);
    return value.custom ? value.text : std::string();
}

// "hh:mm" (today, or tomorrow once the time has passed) or the printer's own
// "YYYY:MM:DD:hh:mm".
bool DelayTimeText(const std::string& text, char* field, int size) {
    int year, month, day, hour, minute;
    char tail;
    if (text.size() == 16 && std::sscanf(text.c_str(), "%4d:%2d:%2d:%2d:%2d%c", &year, &month, &day,
                                         &hour, &minute, &tail) == 5) {
        if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59)
            return false;
        return PPDJobOptionText(text, field, size);
    }
    if (text.size() != 5 || text[2] != ':' ||
        std::sscanf(text.c_str(), "%2d:%2d%c", &hour, &minute, &tail) != 2 || hour < 0 ||
        hour > 23 || minute < 0 || minute > 59)
        return false;
    return PPDJobOptionText(FormDelayPrintTime(hour, minute, CurrentDelayPrintClock()()), field,
                            size);
}

// Why the values cannot make the job type, or "" when `record` holds it.
std::string FillJobType(const PPDJobOptions& job, int32_t type, kpjlOptionPrintType_t& record) {
    record.PrintType = type;
    if (type == kPTJobSecure || type == kPTJobSample) {
        // Without an own user ID the job's user holds the job.
        std::string user = CustomText(job, "KRHoldUserID");
        if (user.empty())
            user = StdUserName;
        if (!PPDJobOptionText(user, record.UserName, sizeof record.UserName) ||
            !CheckPTUserID(Widened(record.UserName)).ok())
            return "the user ID must be 1 to 24 characters from Latin-1";
    }
    if (type == kPTJobSecure) {
        std::string password = CustomText(job, "KRHoldPassword");
        if (password.empty() && job.Attribute("job-password"))
            password = job.Attribute("job-password");
        int32_t minimum = job.MinDigitPasscode();
        if (!CheckSecurePassword(Widened(password.c_str()), minimum).ok() ||
            !PPDJobOptionPassword(password, record.Password, sizeof record.Password))
            return "the password must have " + std::to_string(minimum) + " to " +
                   std::to_string(kPTPasswordMax) + " digits";
    }
    if (type == kPTJobTime && !DelayTimeText(CustomText(job, "KRDelayPrintTime"), record.DelayTime,
                                             sizeof record.DelayTime))
        return "the print time must be given as hh:mm";
    if (type == kPTJobMBN) {
        std::string number = CustomText(job, "KRMailBoxNumber");
        if (!CheckMailBoxNumber(Widened(number.c_str()), job.MailBoxMax()).ok() ||
            !PPDJobOptionText(number, record.MailBoxNumber, sizeof record.MailBoxNumber))
            return "the mailbox number must be 1 to " + std::to_string(job.MailBoxMax());
        std::string password = CustomText(job, "KRMailBoxPassword");
        if (!CheckMailBoxPassword(Widened(password.c_str())).ok() ||
            !PPDJobOptionPassword(password, record.MailBoxPassword, sizeof record.MailBoxPassword))
            return "the mailbox password must have at most " + std::to_string(kPTMBNPasswordMax) +
                   " digits";
    }
    std::string name = CustomText(job, "KRDocumentName");
    record.DocumentNameType = name.empty() ? 1 : 2;
    if (!PPDJobOptionText(name, record.DocumentName, sizeof record.DocumentName) ||
        !CheckDocumentName(Widened(record.DocumentName), job.ProductType(), type == kPTJobMBN).ok())
        return "the document name must be 1 to " +
               std::to_string(GetDocumentNameMax(job.ProductType())) + " characters from Latin-1";
    return {};
}

} // namespace

void PrintTypeGetFromPPDOptions(const PPDJobOptions& job) {
    PPDJobOptionValue choice = job.Option("KRPrintType");
    int32_t type = choice.present ? JobTypeCode(choice.text) : kPTJobNone;
    if (type == 0) {
        PPDJobOptionWarning("Job type", "\"" + choice.text + "\" is no job type");
        return;
    }
    // A job password asks for a job that waits for it at the printer.
    if (type == kPTJobNone && job.Attribute("job-password"))
        type = kPTJobSecure;
    if (type == kPTJobNone)
        return;
    const char* encryption = job.Attribute("job-password-encryption");
    if (type == kPTJobSecure && job.Attribute("job-password") && encryption &&
        std::strcmp(encryption, "none") != 0 && CustomText(job, "KRHoldPassword").empty()) {
        PPDJobOptionWarning("Secure print", "the printer needs the job password itself, not "
                                            "its " +
                                                std::string(encryption) + " hash");
        return;
    }
    static const char* const kFeatureNames[] = {
        "", "", "Secure print", "Sample print", "Delayed print", "Mailbox print"};
    kpjlOptionPrintType_t record{};
    std::string why = FillJobType(job, type, record);
    if (!why.empty()) {
        PPDJobOptionWarning(kFeatureNames[type], why);
        return;
    }
    kpjlOptionPrintType = record;
    job.CutJobTitleForProductType();
}
