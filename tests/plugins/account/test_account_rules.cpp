// Widget-free rules of the job type and accounting panels.
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "CGetHostAddress.h"
#include "ClientAddress.h"
#include "DelayPrintTime.h"
#include "JBAClientIdentity.h"
#include "PrintAccountKeys.h"
#include "PrintSettings.h"
#include "JBACaseTables.h"
#include "PrintTypeRules.h"
#include "account_test_ppd.h"

using namespace MNTest;

namespace {

std::vector<int32_t> EnabledValues(const std::vector<PTListItem>& items) {
    std::vector<int32_t> values;
    for (const auto& item : items) {
        if (item.enabled)
            values.push_back(item.value);
    }
    return values;
}

std::vector<int32_t> AllValues(const std::vector<PTListItem>& items) {
    std::vector<int32_t> values;
    for (const auto& item : items)
        values.push_back(item.value);
    return values;
}

} // namespace

TEST(PrintTypeProduct, RowsAndDocumentNameLimits) {
    ASSERT_NE(GetPTProductInfo("Default02"), nullptr);
    EXPECT_EQ(GetPTProductInfo("Default02")->productType, 2);
    EXPECT_STREQ(GetPTProductInfo("Default03")->nibName, "KRPrintType_Default03");
    EXPECT_EQ(GetPTProductInfo("Default04"), nullptr);
    EXPECT_EQ(GetPTProductInfo("default00"), nullptr);
    // The filter cuts job titles by the same numbers; they must agree.
    for (const auto& row : kPTProductInfo)
        EXPECT_EQ(row.documentNameMax, GetDocumentNameMax(row.productType)) << row.name;
    EXPECT_EQ(GetDocumentNameMax(-1), 24);
}

struct ListCase {
    const char* name;
    AccountPPD ppd;
    std::vector<int32_t> items;
    std::vector<int32_t> enabled;
};

class PrintTypeList : public testing::TestWithParam<ListCase> {};

TEST_P(PrintTypeList, ItemsAndStorageCheck) {
    const ListCase& c = GetParam();
    PPDHandle ppd = OpenAccountPPD(c.ppd, c.name);
    ASSERT_TRUE(ppd);
    auto items = PTListItemsForPPD(ppd.get());
    EXPECT_EQ(AllValues(items), c.items);
    EXPECT_EQ(EnabledValues(items), c.enabled);
}

static AccountPPD With(std::string hardDisk, std::string ramDisk, std::string mailBox = "100") {
    AccountPPD ppd;
    ppd.hardDisk = std::move(hardDisk);
    ppd.ramDisk = std::move(ramDisk);
    ppd.mailBox = std::move(mailBox);
    return ppd;
}

INSTANTIATE_TEST_SUITE_P(
    ByPPD, PrintTypeList,
    testing::Values(ListCase{"full", With("True", ""), {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
                    ListCase{"nomailbox", With("True", "", ""), {1, 2, 3, 4}, {1, 2, 3, 4}},
                    ListCase{"nodisk", With("False", ""), {1, 2, 3, 4, 5}, {1}},
                    ListCase{"ramdisk", With("False", "True"), {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
                    ListCase{"noram", With("False", "False", ""), {1, 2, 3, 4}, {1}},
                    ListCase{"nostorageoption", With("", ""), {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}},
                    // The RAM disk counts only when the hard disk is missing.
                    ListCase{
                        "diskwithoutram", With("True", "False"), {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintTypeList, NullPPDOffersTheFourBasicTypes) {
    EXPECT_EQ(AllValues(PTListItemsForPPD(nullptr)), (std::vector<int32_t>{1, 2, 3, 4}));
}

TEST(PrintTypePPDLimits, MinimumPasscodeAndMailboxMaximum) {
    AccountPPD spec;
    spec.minDigit = "4";
    spec.mailBox = "100";
    PPDHandle ppd = OpenAccountPPD(spec, "limits");
    EXPECT_TRUE(HasMinDigitPasscode(ppd.get()));
    EXPECT_EQ(GetMinDigitPasscode(ppd.get()), 4);
    EXPECT_EQ(GetMailBoxMax(ppd.get()), 100);

    spec.minDigit = "";
    spec.mailBox = "25-Boxes";
    ppd = OpenAccountPPD(spec, "limits2");
    EXPECT_FALSE(HasMinDigitPasscode(ppd.get()));
    EXPECT_EQ(GetMinDigitPasscode(ppd.get()), 0);
    EXPECT_EQ(GetMailBoxMax(ppd.get()), 25); // first three characters only: "25-"

    spec.minDigit = "20"; // more than the field holds: every password would fail
    spec.mailBox = "";
    ppd = OpenAccountPPD(spec, "limits3");
    EXPECT_EQ(GetMinDigitPasscode(ppd.get()), kPTPasswordMax);
    EXPECT_EQ(GetMailBoxMax(ppd.get()), 0);
    EXPECT_EQ(GetMailBoxMax(nullptr), 0);
}

TEST(PrintTypeMessages, MarkersTakeTheNumberAndABlank) {
    EXPECT_EQ(ReplaceCountMarker("Enter [n]digits.", 4), "Enter 4 digits.");
    EXPECT_EQ(ReplaceCountMarker("[n]and [n]", 7), "7 and 7 ");
    EXPECT_EQ(ReplaceCountMarker("no marker", 4), "no marker");
    EXPECT_EQ(ReplaceRangeMarker("Password ([n] digits)", 4, 12), "Password (4 to 12 digits)");
}

struct FieldCase {
    const char* name;
    std::u16string text;
    PTCheckResult (*check)(const std::u16string&);
    const char* messageKey; // "" when accepted
};

static PTCheckResult Secure4(const std::u16string& t) {
    return CheckSecurePassword(t, 4);
}
static PTCheckResult Secure0(const std::u16string& t) {
    return CheckSecurePassword(t, 0);
}
static PTCheckResult Box100(const std::u16string& t) {
    return CheckMailBoxNumber(t, 100);
}
static PTCheckResult Box0(const std::u16string& t) {
    return CheckMailBoxNumber(t, 0);
}
static PTCheckResult Name2(const std::u16string& t) {
    return CheckDocumentName(t, 2, false);
}
static PTCheckResult Name2Box(const std::u16string& t) {
    return CheckDocumentName(t, 2, true);
}
static PTCheckResult Name0Box(const std::u16string& t) {
    return CheckDocumentName(t, 0, true);
}
static PTCheckResult Name3(const std::u16string& t) {
    return CheckDocumentName(t, 3, false);
}

class PrintTypeFields : public testing::TestWithParam<FieldCase> {};

TEST_P(PrintTypeFields, AcceptOrNameTheMessage) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(c.check(c.text).messageKey, c.messageKey);
}

INSTANTIATE_TEST_SUITE_P(
    Validation, PrintTypeFields,
    testing::Values(
        FieldCase{"secure3of4", u"123", Secure4, "Message60"},
        FieldCase{"secure4of4", u"1234", Secure4, ""},
        FieldCase{"secure12", u"123456789012", Secure4, ""},
        FieldCase{"secure13", u"1234567890123", Secure4, "Message60"},
        FieldCase{"secureLetter", u"12a4", Secure4, "Message60"},
        FieldCase{"secureEmptyWithMinimum", u"", Secure4, "Message60"},
        FieldCase{"secureEmptyWithoutMinimum", u"", Secure0, ""},
        FieldCase{"box0", u"0", Box100, "Warning22"},
        FieldCase{"box000", u"000", Box100, "Warning22"}, FieldCase{"box1", u"1", Box100, ""},
        FieldCase{"box100", u"100", Box100, ""}, FieldCase{"box101", u"101", Box100, "Warning22"},
        FieldCase{"boxEmpty", u"", Box100, "Warning22"},
        FieldCase{"boxFourDigits", u"0010", Box100, "Warning22"},
        FieldCase{"boxNoMailboxes", u"1", Box0, "Warning22"},
        FieldCase{"boxPassword20", u"12345678901234567890", CheckMailBoxPassword, ""},
        FieldCase{"boxPassword21", u"123456789012345678901", CheckMailBoxPassword, "Message40"},
        FieldCase{"boxPasswordEmpty", u"", CheckMailBoxPassword, ""},
        FieldCase{"boxPasswordSign", u"-12", CheckMailBoxPassword, "Message40"},
        FieldCase{"user24", u"abcdefghijklmnopqrstuvwx", CheckPTUserID, ""},
        FieldCase{"user25", u"abcdefghijklmnopqrstuvwxy", CheckPTUserID, "Message43"},
        FieldCase{"userLatin1", u"J\u00f6rg \u00fe", CheckPTUserID, ""},
        FieldCase{"userYdieresis", u"\u00ff", CheckPTUserID, "Message43"},
        FieldCase{"userTab", u"a\tb", CheckPTUserID, "Message43"},
        FieldCase{"userKanji", u"\u65e5", CheckPTUserID, "Message43"},
        FieldCase{"name2of12", u"abcdefghijkl", Name2, ""},
        FieldCase{"name2of13", u"abcdefghijklm", Name2, "Message41b"},
        FieldCase{"name2mailbox13", u"abcdefghijklm", Name2Box, "Message41b_m"},
        FieldCase{"name0mailbox25", u"abcdefghijklmnopqrstuvwxy", Name0Box, "Message41_m"},
        FieldCase{"name3of64", std::u16string(64, u'n'), Name3, ""},
        FieldCase{"name3of65", std::u16string(65, u'n'), Name3, "Message41"},
        FieldCase{"nameComma", u"a,b", Name2, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintTypeFields, PasswordMessageCarriesTheMinimum) {
    PTCheckResult r = CheckSecurePassword(u"12", 8);
    EXPECT_EQ(r.markerValue, 8);
    r = CheckMailBoxNumber(u"300", 250);
    EXPECT_EQ(r.markerValue, 250);
}

// Delayed print: the ticket carries today's date while the time is still
// ahead, otherwise tomorrow's.
class DelayPrint : public testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        savedTZ = tz ? tz : "";
        hadTZ = tz != nullptr;
    }
    void TearDown() override {
        if (hadTZ)
            setenv("TZ", savedTZ.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static std::time_t Local(const char* zone, int y, int mo, int d, int h, int mi) {
        setenv("TZ", zone, 1);
        tzset();
        std::tm t{};
        t.tm_year = y - 1900;
        t.tm_mon = mo - 1;
        t.tm_mday = d;
        t.tm_hour = h;
        t.tm_min = mi;
        t.tm_isdst = -1;
        return std::mktime(&t);
    }
    std::string savedTZ;
    bool hadTZ = false;
};

TEST_F(DelayPrint, TodayTomorrowAndTheTurnOfTheYear) {
    std::time_t now = Local("UTC", 2026, 12, 5, 9, 15);
    EXPECT_EQ(FormDelayPrintTime(8, 0, now), "2026:12:06:08:00");
    EXPECT_EQ(FormDelayPrintTime(9, 14, now), "2026:12:06:09:14");
    EXPECT_EQ(FormDelayPrintTime(9, 15, now), "2026:12:05:09:15");
    EXPECT_EQ(FormDelayPrintTime(23, 59, now), "2026:12:05:23:59");
    EXPECT_EQ(FormDelayPrintTime(0, 0, Local("UTC", 2026, 12, 31, 22, 0)), "2027:01:01:00:00");
    EXPECT_EQ(FormDelayPrintTime(1, 5, Local("UTC", 2028, 2, 28, 23, 0)), "2028:02:29:01:05");
    EXPECT_EQ(FormDelayPrintTime(9, 30, Local("UTC", 2026, 12, 5, 9, 0)).size(), 16u);
}

TEST_F(DelayPrint, TomorrowOnTheLongDayAtTheEndOfSummerTime) {
    // 25 October 2026 has 25 hours in Berlin; a day later by the clock is
    // still the 26th.
    std::time_t now = Local("Europe/Berlin", 2026, 10, 25, 0, 30);
    EXPECT_EQ(FormDelayPrintTime(0, 10, now), "2026:10:26:00:10");
    now = Local("Europe/Berlin", 2026, 3, 29, 23, 30); // after the short day
    EXPECT_EQ(FormDelayPrintTime(1, 0, now), "2026:03:30:01:00");
}

TEST(DelayPrintText, TimeOfDayRoundTrip) {
    int32_t h = -1, m = -1;
    EXPECT_EQ(FormTimeOfDay(8, 5), "08:05");
    EXPECT_TRUE(ParseTimeOfDay("08:05", h, m));
    EXPECT_EQ(h, 8);
    EXPECT_EQ(m, 5);
    EXPECT_TRUE(ParseTimeOfDay("2026:12:05:23:45", h, m));
    EXPECT_EQ(h, 23);
    EXPECT_EQ(m, 45);
    EXPECT_FALSE(ParseTimeOfDay("24:00", h, m));
    EXPECT_FALSE(ParseTimeOfDay("12:60", h, m));
    EXPECT_FALSE(ParseTimeOfDay("noon", h, m));
    EXPECT_FALSE(ParseTimeOfDay("", h, m));
    EXPECT_FALSE(ParseTimeOfDay(":5", h, m));
}

TEST(JBASelectID, PromptPositionFromThePPD) {
    AccountPPD spec;
    for (auto [value, expected] : {std::pair{"UserID_AccountID", 0}, std::pair{"UserID", 1},
                                   std::pair{"AccountID", 2}, std::pair{"None", 3}}) {
        spec.selectID = value;
        PPDHandle ppd = OpenAccountPPD(spec, std::string("select") + value);
        EXPECT_EQ(GetJBASelectID(ppd.get()), expected) << value;
    }
    spec.selectID = "";
    EXPECT_EQ(GetJBASelectID(OpenAccountPPD(spec, "noselect").get()), -1);
    EXPECT_EQ(GetJBASelectID(nullptr), -1);
}

TEST(JBAInfoSet, ForcedByKindAndPrompt) {
    const int32_t expected[3][4] = {{5, 6, 7, 8}, {9, 9, 9, 9}, {1, 2, 3, 4}};
    for (int k = 1; k <= 3; ++k) {
        for (int c = 0; c <= 3; ++c)
            EXPECT_EQ(JBAInfoSetFor(k, c), expected[k - 1][c]) << k << "," << c;
    }
    EXPECT_EQ(JBAInfoSetFor(0, 0), 0);
    EXPECT_EQ(JBAInfoSetFor(4, 0), 0);
    EXPECT_EQ(JBAInfoSetFor(1, -1), 0);
    EXPECT_EQ(JBAInfoSetFor(1, 4), 0);
}

TEST(JBAInfoSet, TicketValuesOnlyWithThePrinterCustomisation) {
    EXPECT_EQ(JBAInfoValuesForTicket(false, 3, 4).infoKind, 0);
    EXPECT_EQ(JBAInfoValuesForTicket(false, 3, 4).infoSet, 0);
    EXPECT_EQ(JBAInfoValuesForTicket(true, 3, 4).infoKind, 3);
    EXPECT_EQ(JBAInfoValuesForTicket(true, 3, 4).infoSet, 4);
}

TEST(JBACaseLists, GroupsOfEachWindow) {
    using namespace JBATag;
    // The two settings windows disable the same controls at their own tags.
    auto admin = JBASettingsGroupTags(kJBAGroupUser, kAllUsersBase);
    auto personal = JBASettingsGroupTags(kJBAGroupUser, kPersonalBase);
    EXPECT_EQ(admin, (std::vector<int32_t>{2010, 2006, 2011, 2007, 2008, 2012, 2009}));
    ASSERT_EQ(admin.size(), personal.size());
    for (size_t i = 0; i < admin.size(); ++i)
        EXPECT_EQ(personal[i], admin[i] + 1000);
    EXPECT_EQ(JBASettingsGroupTags(kJBAGroupAccount | kJBAGroupStorage, kPersonalBase),
              (std::vector<int32_t>{3019, 3018, 3015, 3013, 3016, 3014}));
    // The entry window's hiding twins go with their groups.
    EXPECT_EQ(JBAInputGroupTags(kJBAGroupAccount), (std::vector<int32_t>{4016, 4017, 4018}));
    EXPECT_EQ(JBAInputGroupTags(kJBAGroupUser),
              (std::vector<int32_t>{4005, 4006, 4015, 4007, 4008}));
    EXPECT_EQ(JBAInputGroupTags(kJBAGroupStorage),
              (std::vector<int32_t>{4010, 4011, 4014, 4012, 4013}));
    EXPECT_EQ(JBAInputGroupTags(kJBAGroupChoices), (std::vector<int32_t>{4004, 4009}));
    EXPECT_TRUE(JBASettingsGroupTags(kJBAGroupChoices, kAllUsersBase).empty());
}

TEST(JBACaseLists, EveryCase) {
    const uint32_t A = kJBAGroupAccount, U = kJBAGroupUser, S = kJBAGroupStorage,
                   C = kJBAGroupChoices;
    const uint32_t expected[9][3] = {
        {0, 0, 0},    {A, 0, A},         {U, 0, U},         {A | U, C, 0},
        {S, 0, C},    {A | S, 0, C | A}, {U | S, 0, C | U}, {A | U | S, 0, A | C | U | S},
        {A | U, 0, C}};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(kJBACases[i].key, "Case_" + std::to_string(i + 1));
        EXPECT_EQ(kJBACases[i].settingsDisable, expected[i][0]) << kJBACases[i].key;
        EXPECT_EQ(kJBACases[i].inputDisable, expected[i][1]) << kJBACases[i].key;
        EXPECT_EQ(kJBACases[i].inputHide, expected[i][2]) << kJBACases[i].key;
    }
}

TEST(JBACaseLists, AdministratorLockCoversTheAllUsersWindow) {
    auto tags = JBAAdminLockTags();
    EXPECT_EQ(tags.size(), 3u + 13u + 3u);
    for (int32_t tag : {2003, 2005, 2017, 2018, 2019, 2006, 2009, 2013, 2016, 2020, 2021, 2022})
        EXPECT_NE(std::find(tags.begin(), tags.end(), tag), tags.end()) << tag;
    for (int32_t tag : tags) {
        EXPECT_GT(tag, 2000);
        EXPECT_LT(tag, 3000);
        EXPECT_NE(tag, 2001); // OK and Cancel stay usable
        EXPECT_NE(tag, 2002);
    }
}

// The client identity in the ticket, through the foundation's byte filter.
class JBAClientIdentity : public testing::Test {
protected:
    std::string Stored(const std::string& machineName) {
        PrintSettings settings;
        EXPECT_TRUE(SetInformationToTicket(&settings, false, machineName, "host1", "IC0A8010A"));
        std::string host, address, name;
        settings.GetText(kJBAHostNameStringTicket, host);
        settings.GetText(kJBAIPAddressStringTicket, address);
        EXPECT_EQ(host, "host1");
        EXPECT_EQ(address, "IC0A8010A");
        settings.GetText(kJBAMacHostNameStringTicket, name);
        return name;
    }
};

TEST_F(JBAClientIdentity, ComputerNameCutFilteredAndBlank) {
    EXPECT_EQ(Stored(std::string(40, 'm')), std::string(32, 'm'));
    EXPECT_EQ(Stored("    "), "");
    EXPECT_EQ(Stored(""), "");
    EXPECT_EQ(Stored("ab\x01"
                     "c"),
              "ab_c");
    EXPECT_EQ(Stored("Kim\xE2\x80\x99s Mac"), "Kim___s Mac");
    EXPECT_EQ(Stored("J\xC3\xB6rg's, Mac"), "J\xC3\xB6rg's, Mac"); // written unescaped
    // A character that would straddle byte 32 is left out whole, so the
    // filter can still read the name.
    EXPECT_EQ(Stored(std::string(31, 'x') + "\xC3\xB6yz"), std::string(31, 'x'));
    EXPECT_EQ(Stored(std::string(30, 'x') + "\xE2\x80\x99"), std::string(30, 'x'));
}

TEST_F(JBAClientIdentity, AddressIsTheFiltersEncoding) {
    gHostAddressLister = [] {
        return std::vector<std::string>{"127.0.0.1", "fe80::1%lo0", "10.0.0.5"};
    };
    EXPECT_EQ(CGetHostAddress::GetClientIPAddress(), "I0A000005");
    gHostAddressLister = [] { return std::vector<std::string>{"2001:db8::1"}; };
    EXPECT_EQ(CGetHostAddress::GetClientIPAddress(), "620010db8000000000000000000000001");
    gHostAddressLister = [] { return std::vector<std::string>{"127.0.0.1"}; };
    PrintSettings settings;
    SetInformationToTicket(&settings, false);
    std::string address = "unset";
    settings.GetText(kJBAIPAddressStringTicket, address);
    EXPECT_EQ(address, "");
    gHostAddressLister = GetHostAddressList;
    EXPECT_FALSE(CopyMachineName().empty());
}
