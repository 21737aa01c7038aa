// Accounting lines: the administrator and user mode tables with stored
// settings and print-time entry, the anonymous information set, line U, and
// the identity lines sent with every job.
#include <gtest/gtest.h>

#include "FilterRun.h"

using namespace filtertest;

namespace {

std::string V(const std::string& attr, const std::string& value) {
    return "@PJL SET JOBATTR=\"@" + attr + "=" + value + "\"\r\n";
}
std::string E(const std::string& attr) {
    return "@PJL SET JOBATTR=\"@" + attr + "=\"\r\n";
}
const std::string kUnknownLF = "@PJL SET JOBATTR=\"@JOAU=UnknownUser\"\n";
const std::string kEmptyJOEPLF = "@PJL SET JOBATTR=\"@JOEP=\"\n";

struct AccountingCase {
    const char* name;
    Options options;
    std::string adminLines; // before the identity lines
    std::string userLines;  // after them
    friend void PrintTo(const AccountingCase& c, std::ostream* os) { *os << c.name; }
};

class AccountingLines : public ::testing::TestWithParam<AccountingCase> {};

TEST_P(AccountingLines, WritesTheModeTablesAroundTheIdentityLines) {
    Job job; // user kim, title Report
    job.options = GetParam().options;
    EXPECT_EQ(PJLBody(RunFilter(job)), GetParam().adminLines + Identity() + GetParam().userLines);
}

// The user ID key present (even empty) keeps line U out.
const std::pair<std::string, std::string> kUserIDKey{"JBAUserIDTextEditTicket", ""};

Options User(Options extra) {
    Options o = {{"JBAManageTypeListTicketKey", "2"}, {"JBAUserSettingRadioBtnTicket", "1"}};
    o.insert(o.end(), extra.begin(), extra.end());
    return o;
}
Options PrintTime(Options extra) {
    Options o = {
        {"JBAManageTypeListTicketKey", "2"}, {"JBAUserInputRadioBtnTicket", "1"}, kUserIDKey};
    o.insert(o.end(), extra.begin(), extra.end());
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    StoredSettings, AccountingLines,
    ::testing::Values(
        AccountingCase{"LoginNameNoInformation",
                       User({{"JBAUserIDListCtrlTicket", "1"}, {"JBAInfoListTicketKey", "0"}}), "",
                       V("JOAU", "kim") + V("JOAU", "kim") + E("JOEP") + E("DAID") +
                           V("ACNA", "Report")},
        AccountingCase{
            "LoginNameWithUserIDKeyPresent",
            User({{"JBAUserIDListCtrlTicket", "1"},
                  {"JBAInfoListTicketKey", "0"},
                  kUserIDKey,
                  {"JBAUserPasswordTextEditTicket", "cHc="},
                  {"JBAAccountIDTextEditTicket", "acc"}}),
            "", V("JOAU", "kim") + V("JOEP", "cHc=") + V("DAID", "acc") + V("ACNA", "Report")},
        AccountingCase{"BillingOnlyIsAnonymousLFLine",
                       User({{"JBAUserIDListCtrlTicket", "1"},
                             {"JBAInfoListTicketKey", "2"},
                             {"JBAInfoSetListTicketKey", "1"},
                             kUserIDKey}),
                       "", kUnknownLF + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"UserAndAccount",
                       User({{"JBAUserIDListCtrlTicket", "1"},
                             {"JBAInfoListTicketKey", "1"},
                             {"JBAInfoSetListTicketKey", "1"},
                             kUserIDKey}),
                       "", V("JOAU", "kim") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{
            "AllInformation",
            User({{"JBAUserIDListCtrlTicket", "1"}, {"JBAInfoListTicketKey", "3"}, kUserIDKey}), "",
            V("JOAU", "kim") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"InformationSetEightIsAnonymous",
                       User({{"JBAUserIDListCtrlTicket", "1"},
                             {"JBAInfoListTicketKey", "3"},
                             {"JBAInfoSetListTicketKey", "8"},
                             kUserIDKey}),
                       "", kUnknownLF + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"EnteredUserWithEverything",
                       User({{"JBAUserIDListCtrlTicket", "2"},
                             {"JBAUserIDTextEditTicket", "/97/110/110"},
                             {"JBAUserPasswordTextEditTicket", "cGFzcw=="},
                             {"JBAAccountIDTextEditTicket", "A-1"},
                             {"JBAStorageIDTextEditTicket", "box7"},
                             {"JBAStoragePasswordTextEditTicket", "c3Q="}}),
                       "",
                       V("JOAU", "ann") + V("JOEP", "cGFzcw==") + V("DAID", "A-1") +
                           V("ACID", "box7") + V("ACNA", "Report") + V("ACEP", "c3Q=")},
        AccountingCase{"EnteredUserWithoutPasswords",
                       User({{"JBAUserIDListCtrlTicket", "2"},
                             {"JBAUserIDTextEditTicket", "ann"},
                             {"JBAStorageIDTextEditTicket", "box7"}}),
                       "",
                       V("JOAU", "ann") + E("JOEP") + E("DAID") + V("ACID", "box7") +
                           V("ACNA", "Report") + E("ACEP")},
        AccountingCase{"AdministratorModeUsesAdminKeys",
                       {{"JBAManageTypeListTicketKey", "1"},
                        {"JBAAdminUserSettingRadioBtnTicket", "1"},
                        {"JBAAdminUserIDListCtrlTicket", "2"},
                        {"JBAAdminUserIDTextEditTicket", "root"},
                        {"JBAAdminUserPasswordTextEditTicket", "/YWRt"},
                        {"JBAAdminAccountIDTextEditTicket", "ops"},
                        {"JBAUserSettingRadioBtnTicket", "1"},
                        {"JBAUserIDListCtrlTicket", "2"},
                        {"JBAUserIDTextEditTicket", "ann"}},
                       V("JOAU", "root") + V("JOEP", "/YWRt") + V("DAID", "ops") +
                           V("ACNA", "Report"),
                       ""},
        AccountingCase{"AdministratorStorageBox",
                       {{"JBAManageTypeListTicketKey", "1"},
                        {"JBAAdminUserSettingRadioBtnTicket", "1"},
                        {"JBAAdminUserIDListCtrlTicket", "1"},
                        {"JBAInfoListTicketKey", "0"},
                        {"JBAAdminStorageIDTextEditTicket", "/98/44/49"},
                        {"JBAAdminStoragePasswordTextEditTicket", "/c3Q="},
                        kUserIDKey},
                       V("JOAU", "kim") + E("JOEP") + E("DAID") + V("ACID", "b,1") +
                           V("ACNA", "Report") + V("ACEP", "/c3Q="),
                       ""},
        AccountingCase{"LineUIgnoresTheMode",
                       {{"JBAManageTypeListTicketKey", "1"},
                        {"JBAAdminUserSettingRadioBtnTicket", "1"},
                        {"JBAAdminUserIDListCtrlTicket", "1"},
                        {"JBAInfoListTicketKey", "0"}},
                       V("JOAU", "kim") + E("JOEP") + E("DAID") + V("ACNA", "Report"),
                       V("JOAU", "kim")},
        AccountingCase{"NoModeOnlyLineU", {}, "", V("JOAU", "kim")}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    PrintTimeEntry, AccountingLines,
    ::testing::Values(
        AccountingCase{
            "AuthenticationWithValues",
            PrintTime({{"JBAInputAuthRadioBtnTicketKey", "1"},
                       {"JBAInputUserIDTextEditTicket", "pu"},
                       {"JBAInputUserPasswordTextEditTicket", "/cHA="},
                       {"JBAInputAccountIDTextEditTicket", "pa"}}),
            "", V("JOAU", "pu") + V("JOEP", "/cHA=") + V("DAID", "pa") + V("ACNA", "Report")},
        AccountingCase{"AuthenticationWithoutPassword",
                       PrintTime({{"JBAInputAuthRadioBtnTicketKey", "1"},
                                  {"JBAInputUserIDTextEditTicket", "pu"}}),
                       "", V("JOAU", "pu") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"AuthenticationWithoutUser",
                       PrintTime({{"JBAInputAuthRadioBtnTicketKey", "1"}}), "",
                       V("JOAU", "UnknownUser") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"AnonymousSetWithAccount",
                       PrintTime({{"JBAInputAuthRadioBtnTicketKey", "1"},
                                  {"JBAInfoSetListTicketKey", "8"},
                                  {"JBAInputUserIDTextEditTicket", "pu"},
                                  {"JBAInputUserPasswordTextEditTicket", "cHA="},
                                  {"JBAInputAccountIDTextEditTicket", "pa"}}),
                       "", V("JOAU", "UnknownUser") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        // The table holds: line 26 sends an empty DAID when no account was
        // entered, information set 8 included.
        AccountingCase{
            "AnonymousSetWithoutAccount",
            PrintTime({{"JBAInputAuthRadioBtnTicketKey", "1"}, {"JBAInfoSetListTicketKey", "8"}}),
            "", V("JOAU", "UnknownUser") + E("JOEP") + E("DAID") + V("ACNA", "Report")},
        AccountingCase{"StorageWithPassword",
                       PrintTime({{"JBAInputStrgRadioBtnTicketKey", "1"},
                                  {"JBAInfoListTicketKey", "3"},
                                  {"JBAInputStorageIDTextEditTicket", "s1"},
                                  {"JBAInputStoragePasswordTextEditTicket", "cDE="}}),
                       "",
                       E("DAID") + V("ACID", "s1") + V("ACNA", "Report") + kUnknownLF +
                           kEmptyJOEPLF + V("ACEP", "cDE=")},
        AccountingCase{
            "StorageWithoutPasswordNoInformation",
            PrintTime({{"JBAInputStrgRadioBtnTicketKey", "1"},
                       {"JBAInfoListTicketKey", "0"},
                       {"JBAInputStorageIDTextEditTicket", "s1"}}),
            "", V("ACID", "s1") + V("ACNA", "Report") + kUnknownLF + kEmptyJOEPLF + E("ACEP")},
        AccountingCase{"AdministratorPrintTime",
                       {{"JBAManageTypeListTicketKey", "1"},
                        {"JBAAdminUserInputRadioBtnTicket", "1"},
                        {"JBAUserInputRadioBtnTicket", "1"},
                        {"JBAInputAuthRadioBtnTicketKey", "1"},
                        {"JBAInputUserIDTextEditTicket", "pu"},
                        kUserIDKey},
                       V("JOAU", "pu") + E("JOEP") + E("DAID") + V("ACNA", "Report"),
                       ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct IdentityCase {
    const char* name;
    Options options;
    std::vector<std::string> hostAddresses;
    std::string lines;
    friend void PrintTo(const IdentityCase& c, std::ostream* os) { *os << c.name; }
};

class IdentityLines : public ::testing::TestWithParam<IdentityCase> {};

TEST_P(IdentityLines, NameTheClientTheLoginAndTheLayout) {
    TestHostAddresses() = GetParam().hostAddresses;
    Job job;
    job.options = GetParam().options;
    job.options.push_back(kUserIDKey);
    std::string body = PJLBody(RunFilter(job));
    TestHostAddresses().clear();
    EXPECT_EQ(body, GetParam().lines);
}

const std::string kLuna = "@PJL SET JOBATTR=\"@LUNA=kim\"\n";
const std::string kNoHost = "@PJL SET JOBATTR=\"@CNAM=UnknownHost\"\n";
const std::string kNlpp1 = "@PJL SET JOBATTR=\"@NLPP=1\"\n";

INSTANTIATE_TEST_SUITE_P(
    Identity, IdentityLines,
    ::testing::Values(
        IdentityCase{"NothingGiven", {}, {}, kNoHost + kLuna + kNlpp1},
        IdentityCase{"HostNameAndAddressFromTheTicket",
                     {{"JBAMacHostNameStringTicket", "/77/97/99/39/115"},
                      {"JBAIPAddressStringTicket", "IC0A8010A"},
                      {"number-up", "4"}},
                     {"10.0.0.5"},
                     "@PJL SET JOBATTR=\"@CNAM=Mac's\"\n" + kLuna +
                         "@PJL SET JOBATTR=\"@HOAD=IC0A8010A\"\n"
                         "@PJL SET JOBATTR=\"@NLPP=N4\"\n"},
        IdentityCase{"FilterAddressWhenTheTicketHasNone",
                     {},
                     {"127.0.0.1", "fe80::1%lo0", "10.0.0.5"},
                     kNoHost + kLuna + "@PJL SET JOBATTR=\"@HOAD=I0A000005\"\n" + kNlpp1},
        IdentityCase{"EightDigitNumberUpFits",
                     {{"number-up", "12345678"}},
                     {},
                     kNoHost + kLuna + "@PJL SET JOBATTR=\"@NLPP=N12345678\"\n"},
        IdentityCase{
            "NumberUpTooLongLeavesNLPPOut", {{"number-up", "123456789"}}, {}, kNoHost + kLuna}),
    [](const auto& info) { return std::string(info.param.name); });

// The login name in LUNA and JOAU is the normalised job user.
// Blanks are 0x20 and the double-byte blank 0x81 0x40 (U+0081 "@" on the
// command line); a name of blanks alone names nobody.
TEST(AccountingNames, UnusableUserNamesBecomeUnknownUser) {
    for (std::string user :
         {"", "   ", "\xc2\x81@\xc2\x81@", " \xc2\x81@ ", "bad\xc3\xbfname", "\xe2\x82\xac"}) {
        Job job;
        job.user = user;
        job.options =
            User({{"JBAUserIDListCtrlTicket", "1"}, {"JBAInfoListTicketKey", "0"}, kUserIDKey});
        EXPECT_EQ(PJLBody(RunFilter(job)), Identity("UnknownUser") + V("JOAU", "UnknownUser") +
                                               E("JOEP") + E("DAID") + V("ACNA", "Report"))
            << "user \"" << user << "\"";
    }
    // A double-byte blank beside other characters is part of the name.
    Job job;
    job.user = "\xc2\x81@x";
    EXPECT_NE(PJLBody(RunFilter(job)).find("@LUNA=\x81@x\"\n"), std::string::npos);
}

// A title with line ends or quotes cannot start a PJL line of its own.
TEST(AccountingNames, TitleCannotInjectPJL) {
    Job job;
    job.title = "a\"\r\n@PJL SET HOLD=STORE";
    job.options =
        User({{"JBAUserIDListCtrlTicket", "1"}, {"JBAInfoListTicketKey", "0"}, kUserIDKey});
    EXPECT_EQ(PJLBody(RunFilter(job)), Identity() + V("JOAU", "kim") + E("JOEP") + E("DAID") +
                                           V("ACNA", "a___@PJL SET HOLD=STORE"));
}

// A user name of 254 bytes makes LUNA and JOAU longer than a command line:
// those lines are left out; the others still go.
TEST(AccountingNames, OverlongNamesLeaveTheirLinesOut) {
    Job job;
    job.user = std::string(254, 'n');
    job.title = std::string(210, 't');
    job.options =
        User({{"JBAUserIDListCtrlTicket", "1"}, {"JBAInfoListTicketKey", "0"}, kUserIDKey});
    EXPECT_EQ(PJLBody(RunFilter(job)), kNoHost + kNlpp1 + E("JOEP") + E("DAID"));
}

} // namespace
