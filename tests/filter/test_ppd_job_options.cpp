// Jobs printed from any application: the job type, accounting and finishing
// values of the sample PPD's options and of the IPP job attributes give the
// same printer stream as the print dialog's ticket keys for the same
// settings; the dialog's keys win; a value the panels would refuse leaves its
// feature out with one warning; and a dialog that knows only the PPD finds
// every option with a parameter it can show.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>

#include <cups/ppd.h>

#include "FilterRun.h"

#define KESTRANE_NS MNFilter
#include "../../CommonSource/EncryptLib/kspenclib.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace filtertest;

namespace {

const std::string kSamplePPD = FILTER_GOLDEN_DIR "/../../../ppd/Kestrane-MFP.ppd";

// The queue's PPD as CUPS hands it to the filter ($PPD) while it lives.
class QueuePPD {
public:
    explicit QueuePPD(const std::string& path) { setenv("PPD", path.c_str(), 1); }
    ~QueuePPD() { unsetenv("PPD"); }
};

// A password as the panels write it: scrambled, then Base64.
std::string Protected(const std::string& password) {
    unsigned char scrambled[64];
    char text[128];
    int length = 0, textLength = 0;
    MNFilter::KSPEncrypt(reinterpret_cast<const unsigned char*>(password.data()),
                         static_cast<int>(password.size()), scrambled, &length, sizeof scrambled);
    MNFilter::KSPBinToB64(scrambled, length, text, &textLength, sizeof text);
    return std::string(text, static_cast<size_t>(textLength));
}

// Runs a job whose argument 5 holds the ticket keys and, unprefixed, the PPD
// options and IPP attributes `raw` (already in CUPS's option syntax).
std::string Print(const Options& ticket, const std::string& raw, std::string* warnings = nullptr) {
    Job job;
    job.optionsOverride = OptionString(ticket) + (ticket.empty() ? "" : " ") + raw;
    if (job.optionsOverride.empty())
        job.optionsOverride = "copies=1";
    testing::internal::CaptureStderr();
    std::string out = RunFilter(job);
    std::string err = testing::internal::GetCapturedStderr();
    if (warnings)
        *warnings = err;
    return out;
}

// The job type keys the job type panel writes besides the ones given.
Options JobTypeTicket(Options keys, const char* documentNameKind = "1") {
    keys.insert(keys.end(), {{"DocumentNameTypeTicketKey", documentNameKind},
                             {"PrintTypeProductTypeTicketKey", "0"}});
    return keys;
}

// The keys the accounting panel writes in the user mode's stored settings;
// the sample PPD's prompt "UserID_AccountID" forces information set 5.
Options AccountingTicket(const std::string& source, const std::string& userID,
                         const std::string& password, const std::string& accountID,
                         Options more = {}) {
    more.insert(more.begin(),
                {{"JBAManageTypeListTicketKey", "2"},
                 {"JBAUserSettingRadioBtnTicket", "1"},
                 {"JBAUserInputRadioBtnTicket", "0"},
                 {"JBAUserIDListCtrlTicket", source},
                 {"JBAUserIDTextEditTicket", userID},
                 {"JBAUserPasswordTextEditTicket", password.empty() ? "" : Protected(password)},
                 {"JBAAccountIDTextEditTicket", accountID},
                 {"JBAInfoListTicketKey", "1"},
                 {"JBAInfoSetListTicketKey", "5"}});
    return more;
}

struct SameStreamCase {
    const char* name;
    std::string raw; // PPD options and IPP attributes
    Options ticket;  // the dialog's keys for the same settings
    friend void PrintTo(const SameStreamCase& c, std::ostream* os) { *os << c.name; }
};

class SameStreamAsTheDialog : public ::testing::TestWithParam<SameStreamCase> {};

TEST_P(SameStreamAsTheDialog, PPDOptionsWriteTheTicketKeysStream) {
    QueuePPD ppd(kSamplePPD);
    std::string warnings;
    std::string fromPPD = Print({}, GetParam().raw, &warnings);
    EXPECT_EQ(fromPPD, Print(GetParam().ticket, ""));
    EXPECT_EQ(warnings, "");
}

INSTANTIATE_TEST_SUITE_P(
    JobTypesAndAccounting, SameStreamAsTheDialog,
    ::testing::Values(
        SameStreamCase{"SecureWithOwnUserAndPassword",
                       "KRPrintType=Secure KRHoldUserID=Custom.alice KRHoldPassword=Custom.1234",
                       JobTypeTicket({{"PrintTypeTicketKey", "2"},
                                      {"PrintTypeUserNameTicketKey", "alice"},
                                      {"PrintTypePasswordTicketKey", Protected("1234")}})},
        // lp users may leave out "Custom."; the job's user holds the job.
        SameStreamCase{"SampleWithDocumentNameAndJobUser",
                       "KRPrintType=Sample KRDocumentName=Board\\ minutes",
                       JobTypeTicket({{"PrintTypeTicketKey", "3"},
                                      {"PrintTypeUserNameTicketKey", "kim"},
                                      {"PrintTypePasswordTicketKey", ""},
                                      {"DocumentNameTicketKey", "Board minutes"}},
                                     "2")},
        SameStreamCase{"MailboxWithPassword",
                       "KRPrintType=MailBox KRMailBoxNumber=Custom.42 "
                       "KRMailBoxPassword=Custom.98765",
                       JobTypeTicket({{"PrintTypeTicketKey", "5"},
                                      {"PrintTypeMBNTicketKey", "42"},
                                      {"PrintTypeMBNPasswordTicketKey", Protected("98765")}})},
        SameStreamCase{"AccountingLoginName",
                       "KRJBAAccounting=LoginName KRJBAAccountID=Custom.sales-7 "
                       "KRJBAPassword=Custom.s3cret",
                       AccountingTicket("1", "", "s3cret", "sales-7")},
        // Qt's billing information is the printer's billing (storage) ID.
        SameStreamCase{
            "IPPBillingAlone", "job-billing=project-x",
            AccountingTicket("1", "", "", "", {{"JBAStorageIDTextEditTicket", "project-x"}})},
        // Separator and booklet fragments need a layout; from "number-up".
        SameStreamCase{"FinishingValues",
                       "number-up=1 KRTabShift=Custom.12.7 KRCuttingSize=Custom.140,5 "
                       "KRNumberingStart=Custom.7 KROffsetCopies=Custom.3 "
                       "KRSeparatorPages=Custom.10,3,5 KRBookletShift=Custom.5",
                       {{"number-up", "1"},
                        {"com.apple.print.PrintSettings.PMLayoutRows..n.", "1"},
                        {"com.apple.print.PrintSettings.PMLayoutColumns..n.", "1"},
                        {"TabMarginSwitchTicket", "1"},
                        {"TabMarginMMShiftTicket", "127"},
                        {"TrimmerSwitchTicket", "1"},
                        {"TrimmerMMCuttingSizeTicket", "1405"},
                        {"NumInSequenceSwitchTicket", "1"},
                        {"NumInSequenceLArrowTicket", "7"},
                        {"OffsetStackingListTicket", "5"},
                        {"OffsetStackingUnitsLArrowTicket", "3"},
                        {"SeparatorPageListTicket", "2"},
                        {"SeparatorPageTicket", "3 5 10"},
                        {"BookletMarginSwitchTicket", "1"},
                        {"BookletMarginMMShiftTicket", "10"},
                        {"AutoFitSwitchTicket", "1"}}}));

TEST(PPDJobOptions, DialogKeysWinFeatureByFeature) {
    QueuePPD ppd(kSamplePPD);
    const Options ticket = {{"PrintTypeTicketKey", "3"},
                            {"PrintTypeUserNameTicketKey", "ann"},
                            {"JBAManageTypeListTicketKey", "2"},
                            {"TabMarginSwitchTicket", "0"}};
    std::string both = Print(ticket, "KRPrintType=Secure KRHoldPassword=Custom.1234 "
                                     "KRJBAAccounting=UserID KRJBAUserID=Custom.zed "
                                     "job-account-id=acct KRTabShift=Custom.5 "
                                     "KRNumberingStart=Custom.9");
    // Numbering has no key of the dialog here, so the PPD gives it.
    EXPECT_EQ(both, Print(ticket, "KRNumberingStart=Custom.9"));
    EXPECT_NE(both.find("@MDOC=9"), std::string::npos);
    EXPECT_EQ(both.find("zed"), std::string::npos);
}

TEST(PPDJobOptions, QueueDefaultsApplyAndShortTimesGetADate) {
    // A queue whose PPD default is sample print (lpadmin -o KRPrintType-default=Sample).
    std::string path = TempPath("kestrane-ppd-");
    std::string text = ReadFile(kSamplePPD);
    text.replace(text.find("*DefaultKRPrintType: Normal"), 27, "*DefaultKRPrintType: Sample");
    std::ofstream(path) << text;
    {
        QueuePPD ppd(path);
        EXPECT_NE(PJLBody(Print({}, "")).find("@PJL SET HOLD=PROOF\n@PJL SET USERNAME=\"kim\""),
                  std::string::npos);
        // Today's or tomorrow's date before the time: "YYYY:MM:DD:23:59".
        std::string delayed =
            PJLBody(Print({}, "KRPrintType=Delayed KRDelayPrintTime=Custom.23:59"));
        size_t at = delayed.find("@PRTM=");
        ASSERT_NE(at, std::string::npos) << delayed;
        std::string time = delayed.substr(at + 6, 19);
        for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
            EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(time[i]))) << time;
        EXPECT_EQ(time.substr(4, 1) + time.substr(7, 1) + time.substr(10), ":::23:59\"\r\n");
    }
    unlink(path.c_str());
}

struct LeftOutCase {
    const char* name;
    std::string raw;
    std::string why; // part of the warning
    friend void PrintTo(const LeftOutCase& c, std::ostream* os) { *os << c.name; }
};

class InvalidValue : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(InvalidValue, LeavesTheFeatureOutWithOneWarningAndPrints) {
    QueuePPD ppd(kSamplePPD);
    std::string warnings;
    std::string out = Print({}, GetParam().raw, &warnings);
    EXPECT_EQ(PJLBody(out), PJLBody(Print({}, "")));
    EXPECT_EQ(PSPart(out), PSPart(Print({}, "")));
    // One line at CUPS's warning level.
    EXPECT_EQ(warnings.rfind("WARNING: ", 0), 0u) << warnings;
    EXPECT_EQ(warnings.find('\n'), warnings.size() - 1) << warnings;
    EXPECT_NE(warnings.find(" left out: "), std::string::npos) << warnings;
    EXPECT_NE(warnings.find(GetParam().why), std::string::npos) << warnings;
}

INSTANTIATE_TEST_SUITE_P(
    PanelLimits, InvalidValue,
    ::testing::Values(
        LeftOutCase{"PasswordBelowPPDMinimum", "KRPrintType=Secure KRHoldPassword=Custom.123",
                    "4 to 12 digits"},
        LeftOutCase{"HashedJobPassword", "job-password=81dc9bdb job-password-encryption=md5",
                    "md5"},
        LeftOutCase{"UserIDNotInLatin1", "KRPrintType=Sample KRHoldUserID=Custom.\xce\xa9mega",
                    "Latin-1"},
        LeftOutCase{"MailboxAbovePPDMaximum", "KRPrintType=MailBox KRMailBoxNumber=Custom.101",
                    "1 to 100"},
        LeftOutCase{"MailboxPasswordNotDigits",
                    "KRPrintType=MailBox KRMailBoxNumber=Custom.1 KRMailBoxPassword=Custom.x",
                    "20 digits"},
        LeftOutCase{"DelayedWithoutTime", "KRPrintType=Delayed", "hh:mm"},
        LeftOutCase{"UnknownJobType", "KRPrintType=Urgent", "no job type"},
        LeftOutCase{"AccountingUserIDMissing", "KRJBAAccounting=UserID", "user ID"},
        LeftOutCase{"AccountIDTooLong", "job-account-id=abcdefghijklmnopqrstuvwxyz0123456",
                    "account ID"},
        LeftOutCase{"TabShiftAboveRange", "KRTabShift=Custom.15.1", "15.0 mm"},
        LeftOutCase{"SeparatorPageOne", "KRSeparatorPages=Custom.1,3", "as in 3,5,10"}));

TEST(PPDJobOptions, BothOffsetCountsLeaveOffsetStackingOut) {
    QueuePPD ppd(kSamplePPD);
    std::string warnings;
    std::string out = Print({}, "KROffsetPages=Custom.4 KROffsetCopies=Custom.3", &warnings);
    EXPECT_EQ(out.find("JOBOFFSET"), std::string::npos);
    EXPECT_NE(warnings.find("not both"), std::string::npos) << warnings;
}

// GTK's print dialog lists a PPD's options by group, shows a custom choice
// with exactly one parameter as a text field (a hidden one for passcode and
// password) and ignores custom options with several parameters.
TEST(AnyApplicationPPD, OptionsHaveOneParameterADialogCanShowAndNoCode) {
    ppd_file_t* ppd = ppdOpenFile(kSamplePPD.c_str());
    ASSERT_NE(ppd, nullptr);
    std::map<std::string, std::string> found; // option -> group, and the parameter's type
    for (int g = 0; g < ppd->num_groups; ++g) {
        const ppd_group_t& group = ppd->groups[g];
        const std::string name = group.name;
        if (name != "KRJobTypeAccounting" && name != "KRFinishingValues")
            continue;
        for (int o = 0; o < group.num_options; ++o) {
            ppd_option_t* option = &group.options[o];
            std::string entry = name;
            if (ppd_coption_t* custom = ppdFindCustomOption(ppd, option->keyword)) {
                ASSERT_EQ(cupsArrayCount(custom->params), 1) << option->keyword;
                static const char* const kTypes[] = {"curve",    "int",    "invcurve", "passcode",
                                                     "password", "points", "real",     "string"};
                entry += std::string(" ") + kTypes[ppdFirstCustomParam(custom)->type];
            }
            found[option->keyword] = entry;
            // pstops writes no ExitServer code, so no value lands in the PostScript.
            EXPECT_EQ(option->section, PPD_ORDER_EXIT) << option->keyword;
            for (int c = 0; c < option->num_choices; ++c)
                EXPECT_STREQ(option->choices[c].code ? option->choices[c].code : "", "")
                    << option->keyword;
        }
    }
    const std::map<std::string, std::string> expected = {
        {"KRPrintType", "KRJobTypeAccounting"},
        {"KRHoldUserID", "KRJobTypeAccounting string"},
        {"KRHoldPassword", "KRJobTypeAccounting passcode"},
        {"KRDocumentName", "KRJobTypeAccounting string"},
        {"KRDelayPrintTime", "KRJobTypeAccounting string"},
        {"KRMailBoxNumber", "KRJobTypeAccounting int"},
        {"KRMailBoxPassword", "KRJobTypeAccounting passcode"},
        {"KRJBAAccounting", "KRJobTypeAccounting"},
        {"KRJBAUserID", "KRJobTypeAccounting string"},
        {"KRJBAAccountID", "KRJobTypeAccounting string"},
        {"KRJBAPassword", "KRJobTypeAccounting password"},
        {"KRTabShift", "KRFinishingValues real"},
        {"KRCuttingSize", "KRFinishingValues real"},
        {"KRNumberingStart", "KRFinishingValues int"},
        {"KROffsetPages", "KRFinishingValues int"},
        {"KROffsetCopies", "KRFinishingValues int"},
        {"KRSeparatorPages", "KRFinishingValues string"},
        {"KRBookletShift", "KRFinishingValues int"},
    };
    for (const auto& [keyword, entry] : expected)
        EXPECT_EQ(found[keyword], entry) << keyword;
    // CUPS advertises the IPP accounting attributes and the job password.
    for (const char* keyword : {"cupsJobAccountId", "cupsJobAccountingUserId", "cupsJobPassword"})
        EXPECT_NE(ppdFindAttr(ppd, keyword, nullptr), nullptr) << keyword;
    ppdClose(ppd);
}

} // namespace
