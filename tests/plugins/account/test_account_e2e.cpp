// From the headless print dialog through the account plug-in and the filter
// to the PJL lines the printer receives.
#include <ctime>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "DelayPrintTime.h"
#include "PreferenceStore.h"
#include "DialogE2E.h"
#include "account_test_ppd.h"

namespace {

const std::string kKey = "com.kestrane.mtz.printsettings.";

class AccountEndToEnd : public testing::Test {
protected:
    static std::string FullPPD() {
        AccountPPD spec;
        spec.minDigit = "4";
        return WriteAccountPPD(spec, "e2e-full");
    }

    // Runs the script and the filter; the PJL header lines.
    std::vector<std::string> PrintThrough(const std::string& ppd, const std::string& script,
                                          DialogRun* runOut = nullptr) {
        DialogRun run = e2e.RunDialog(ppd, script);
        EXPECT_EQ(run.result, "dry-run") << run.json << run.stderrText;
        if (runOut)
            *runOut = run;
        return PJLLines(e2e.RunFilter(run.jobOptions));
    }

    DialogE2E e2e;
};

TEST_F(AccountEndToEnd, SecurePrintSendsHoldUserAndPasswordThatDecodesBack) {
    DialogRun run;
    auto lines = PrintThrough(FullPPD(),
                              "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                              "modal\n"
                              "  type 5106 kim\n"
                              "  type 5108 1234\n"
                              "  set 5109 2\n"
                              "  type 5110 \"a,b report\"\n"
                              "  click 5101\n"
                              "end\n"
                              "choose 5001 \"Secure Print\"\n"
                              "print\n",
                              &run);
    // The comma travels in the escaped form and arrives as typed.
    EXPECT_EQ(run.printSettings[kKey + "DocumentNameTicketKey"],
              "/97/44/98/32/114/101/112/111/114/116");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "2");
    auto hold = LinesStartingWith(lines, "@PJL SET HOLD");
    ASSERT_EQ(hold.size(), 3u);
    EXPECT_EQ(hold[0], "@PJL SET HOLD=STORE\n");
    EXPECT_EQ(hold[1], "@PJL SET HOLDTYPE=PRIVATE\n");
    EXPECT_EQ(UnprotectValue(QuotedValue(hold[2])), "1234");
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET USERNAME"),
              std::vector<std::string>{"@PJL SET USERNAME=\"kim\"\r\n"});
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET JOBNAME"),
              std::vector<std::string>{"@PJL SET JOBNAME=\"a,b report\"\r\n"});
}

TEST_F(AccountEndToEnd, SamplePrintNamesTheJobByItsTitle) {
    auto lines = PrintThrough(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                         "modal\n"
                                         "  type 5206 kim\n"
                                         "  click 5201\n"
                                         "end\n"
                                         "choose 5001 \"Sample Print\"\n"
                                         "print\n");
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET HOLD"),
              std::vector<std::string>{"@PJL SET HOLD=PROOF\n"});
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET USERNAME"),
              std::vector<std::string>{"@PJL SET USERNAME=\"kim\"\r\n"});
    // Product type 0 keeps titles up to 24 characters.
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET JOBNAME"),
              std::vector<std::string>{"@PJL SET JOBNAME=\"Quarterly report\"\r\n"});
}

TEST_F(AccountEndToEnd, DelayedPrintCarriesTheTimeOfDay) {
    // Midnight is typed into the time picker; it has always just passed, so
    // the job waits for tomorrow's.
    std::time_t before = std::time(nullptr);
    auto lines = PrintThrough(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                         "modal\n"
                                         "  type 5306 00:00\n"
                                         "  click 5301\n"
                                         "end\n"
                                         "choose 5001 \"Delayed Print\"\n"
                                         "print\n");
    std::time_t after = std::time(nullptr);
    auto attr = LinesStartingWith(lines, "@PJL SET JOBATTR=\"@PRTM=");
    ASSERT_EQ(attr.size(), 1u);
    std::string value = QuotedValue(attr[0]);
    EXPECT_TRUE(value == "@PRTM=" + MNTest::FormDelayPrintTime(0, 0, before) ||
                value == "@PRTM=" + MNTest::FormDelayPrintTime(0, 0, after))
        << value;
    EXPECT_NE(value, "@PRTM=" + MNTest::FormDelayPrintTime(23, 59, before).substr(0, 11) + "00:00");
    EXPECT_TRUE(LinesStartingWith(lines, "@PJL SET HOLD").empty());
    EXPECT_TRUE(LinesStartingWith(lines, "@PJL SET USERNAME").empty());
}

TEST_F(AccountEndToEnd, MailboxPrintStoresInTheNumberedBox) {
    auto lines = PrintThrough(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                         "modal\n"
                                         "  type 5406 12\n"
                                         "  type 5408 5678\n"
                                         "  click 5401\n"
                                         "end\n"
                                         "choose 5001 \"Save to Mailbox\"\n"
                                         "print\n");
    auto hold = LinesStartingWith(lines, "@PJL SET HOLD");
    ASSERT_EQ(hold.size(), 2u);
    EXPECT_EQ(hold[0], "@PJL SET HOLD=BOXSTORE\n");
    EXPECT_EQ(hold[1], "@PJL SET HOLDTYPE=PRIVATE\n");
    EXPECT_EQ(LinesStartingWith(lines, "@PJL SET BOXNUMBER"),
              std::vector<std::string>{"@PJL SET BOXNUMBER=12\r\n"});
    auto key = LinesStartingWith(lines, "@PJL SET BOXENCRYPTKEY");
    ASSERT_EQ(key.size(), 1u);
    EXPECT_EQ(UnprotectValue(QuotedValue(key[0])), "5678");
}

TEST_F(AccountEndToEnd, PersonalStoredSettingsSendTheEnteredIdentity) {
    auto lines = PrintThrough(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                         "modal\n"
                                         "  set 3006 2\n"
                                         "  type 3007 kim\n"
                                         "  type 3009 pw12\n"
                                         "  type 3018 acct9\n"
                                         "  click 3001\n"
                                         "end\n"
                                         "click 1002\n"
                                         "print\n");
    auto attrs = LinesStartingWith(lines, "@PJL SET JOBATTR=");
    auto find = [&](const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& line : attrs)
            if (QuotedValue(line).rfind(prefix, 0) == 0)
                out.push_back(QuotedValue(line));
        return out;
    };
    EXPECT_EQ(find("@JOAU="), std::vector<std::string>{"@JOAU=kim"});
    ASSERT_EQ(find("@JOEP=").size(), 1u);
    EXPECT_EQ(UnprotectValue(find("@JOEP=")[0].substr(6)), "pw12");
    EXPECT_EQ(find("@DAID="), std::vector<std::string>{"@DAID=acct9"});
    EXPECT_EQ(find("@LUNA="), std::vector<std::string>{"@LUNA=alice"});
    // The dialog named the computer and its address.
    ASSERT_EQ(find("@CNAM=").size(), 1u);
    EXPECT_NE(find("@CNAM=")[0], "@CNAM=UnknownHost");
}

TEST_F(AccountEndToEnd, AllUsersModeSendsTheLoginNameAndLocksTheModeList) {
    DialogRun run;
    auto lines = PrintThrough(FullPPD(),
                              "panel com.kestrane.mtk.pde.AccountKind\n"
                              "set 1001 1\n"
                              "print\n",
                              &run);
    EXPECT_EQ(run.printSettings[kKey + "JBAManageTypeListTicketKey"], "1");
    auto attrs = LinesStartingWith(lines, "@PJL SET JOBATTR=\"@JOAU=");
    ASSERT_EQ(attrs.size(), 1u);
    EXPECT_EQ(QuotedValue(attrs[0]), "@JOAU=alice");
}

TEST_F(AccountEndToEnd, PrintTimeEntryIsAskedAtPrintAndItsValuesSent) {
    auto lines = PrintThrough(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                         "modal\n"
                                         "  set 3017 1\n"
                                         "  click 3001\n"
                                         "end\n"
                                         "click 1002\n"
                                         "modal\n"
                                         "  type 4006 ann\n"
                                         "  type 4008 9999\n"
                                         "  type 4017 acc1\n"
                                         "  click 4001\n"
                                         "end\n"
                                         "print\n");
    std::vector<std::string> values;
    for (const std::string& line : LinesStartingWith(lines, "@PJL SET JOBATTR="))
        values.push_back(QuotedValue(line));
    auto has = [&](const std::string& v) {
        return std::find(values.begin(), values.end(), v) != values.end();
    };
    EXPECT_TRUE(has("@JOAU=ann"));
    EXPECT_TRUE(has("@DAID=acc1"));
    bool passwordSeen = false;
    for (const std::string& v : values)
        if (v.rfind("@JOEP=", 0) == 0 && v.size() > 6)
            passwordSeen = UnprotectValue(v.substr(6)) == "9999";
    EXPECT_TRUE(passwordSeen);
}

TEST_F(AccountEndToEnd, EntryWindowHidesAndKeepsWhatTheSettingsAskFor) {
    // Hiding fields and keeping the last input: the user ID is typed into
    // its hiding twin, and the next print starts with it.
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                             "modal\n"
                                             "  set 3017 1\n"
                                             "  set 3020 1\n"
                                             "  set 3021 1\n"
                                             "  click 3001\n"
                                             "end\n"
                                             "click 1002\n"
                                             "modal\n"
                                             "  type 4015 ann\n"
                                             "  click 4001\n"
                                             "end\n"
                                             "print\n");
    EXPECT_EQ(run.printSettings[kKey + "JBAInputUserIDTextEditTicket"], "ann") << run.json;
    run = e2e.RunDialog(FullPPD(), "modal\n"
                                   "  click 4001\n"
                                   "end\n"
                                   "print\n");
    EXPECT_EQ(run.printSettings[kKey + "JBAInputUserIDTextEditTicket"], "ann") << run.json;
    // Without keeping, the window starts empty.
    run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                   "modal\n"
                                   "  set 3020 0\n"
                                   "  click 3001\n"
                                   "end\n"
                                   "click 1002\n"
                                   "modal\n"
                                   "  click 4001\n"
                                   "end\n"
                                   "print\n");
    EXPECT_EQ(run.printSettings[kKey + "JBAInputUserIDTextEditTicket"], "") << run.json;
}

TEST_F(AccountEndToEnd, CancelledEntryWindowStopsThePrint) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                             "modal\n"
                                             "  set 3017 1\n"
                                             "  click 3001\n"
                                             "end\n"
                                             "click 1002\n"
                                             "modal\n"
                                             "  type 4006 ann\n"
                                             "  click 4002\n"
                                             "end\n"
                                             "print\n");
    EXPECT_EQ(run.result, "refused") << run.json;
    EXPECT_TRUE(run.jobOptions.empty());
}

// What the panels refuse, and what the windows show, through the same
// headless dialog (alerts are recorded, not shown).
class AccountDialogRules : public AccountEndToEnd {
protected:
    static bool AlertSays(const DialogRun& run, const std::string& text) {
        for (const std::string& alert : run.alerts)
            if (alert.find(text) != std::string::npos)
                return true;
        return false;
    }
    static std::string PPDWith(AccountPPD spec, const std::string& name) {
        return WriteAccountPPD(spec, name);
    }
};

TEST_F(AccountDialogRules, ShortSecurePasswordIsRefusedWithThePPDMinimum) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                             "modal\n"
                                             "  type 5106 kim\n"
                                             "  type 5108 123\n"
                                             "  click 5101\n"
                                             "  type 5108 1234\n"
                                             "  click 5101\n"
                                             "end\n"
                                             "choose 5001 \"Secure Print\"\n"
                                             "print\n");
    ASSERT_EQ(run.alerts.size(), 1u) << run.json;
    EXPECT_EQ(run.alerts[0], "The password must be 4 to 12 digits long and contain only the "
                             "digits 0 to 9.");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "2");
}

TEST_F(AccountDialogRules, KeptPasswordTooShortForThePrinterStopsThePrint) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                             "modal\n"
                                             "  type 5106 kim\n"
                                             "  type 5108 1234\n"
                                             "  click 5101\n"
                                             "end\n"
                                             "choose 5001 \"Secure Print\"\n"
                                             "print\n");
    EXPECT_EQ(run.result, "dry-run");
    // The queue's printer now wants eight digits: printing explains why not.
    AccountPPD spec;
    spec.minDigit = "8";
    run = e2e.RunDialog(PPDWith(spec, "eight"), "modal\n"
                                                "  click 5502\n"
                                                "end\n"
                                                "print\n");
    EXPECT_EQ(run.result, "refused") << run.json;
    EXPECT_NE(run.json.find("\"refusedBy\": \"Job Type\""), std::string::npos) << run.json;
    EXPECT_TRUE(run.alerts.empty());
    EXPECT_NE(run.json.find("\"modalWindows\": 1"), std::string::npos) << run.json;
}

TEST_F(AccountDialogRules, AccountingFieldsRefuseWhatThePrinterCannotTake) {
    // A billing password shorter than the printer's minimum, then a user
    // password whose accented letters make it longer than 12 bytes.
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                             "modal\n"
                                             "  type 3013 B1\n"
                                             "  type 3014 12\n"
                                             "  click 3001\n"
                                             "  type 3014 1234\n"
                                             "  type 3009 \"p\u00e4ssw\u00f6rd123\"\n"
                                             "  click 3001\n"
                                             "  type 3009 passw0rd123\n"
                                             "  click 3001\n"
                                             "end\n"
                                             "click 1002\n"
                                             "print\n");
    ASSERT_EQ(run.alerts.size(), 2u) << run.json;
    EXPECT_EQ(run.alerts[0], "The password must be 4 to 12 digits long and contain only the "
                             "digits 0 to 9.");
    EXPECT_NE(run.alerts[1].find("letters with accents count as two"), std::string::npos);
    EXPECT_EQ(UnprotectValue(run.printSettings[kKey + "JBAUserPasswordTextEditTicket"]),
              "passw0rd123");
    EXPECT_EQ(UnprotectValue(run.printSettings[kKey + "JBAStoragePasswordTextEditTicket"]), "1234");
}

TEST_F(AccountDialogRules, PasswordsAreKeptProtectedAndComeBack) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                             "modal\n"
                                             "  type 5106 kim\n"
                                             "  type 5108 1234\n"
                                             "  click 5101\n"
                                             "end\n"
                                             "choose 5001 \"Secure Print\"\n"
                                             "print\n");
    std::ifstream prefs(e2e.Dir() + "/prefs-user/ByHost/GlobalPreferences." +
                        PreferenceStore::CurrentHostName() + ".ini");
    std::string text((std::istreambuf_iterator<char>(prefs)), std::istreambuf_iterator<char>());
    const std::string key = "PrintTypePasswordReference=";
    size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos) << text;
    std::string kept = text.substr(at + key.size(), text.find('\n', at) - at - key.size());
    if (kept.size() >= 2 && kept.front() == '"' && kept.back() == '"')
        kept = kept.substr(1, kept.size() - 2); // the INI file quotes "="
    EXPECT_NE(kept, "1234");
    EXPECT_EQ(UnprotectValue(kept), "1234");
    // The next dialog prints with the kept password without retyping it.
    auto lines = PrintThrough(FullPPD(), "print\n");
    auto hold = LinesStartingWith(lines, "@PJL SET HOLDENCRYPTKEY");
    ASSERT_EQ(hold.size(), 1u);
    EXPECT_EQ(UnprotectValue(QuotedValue(hold[0])), "1234");
}

TEST_F(AccountDialogRules, MailboxNumberOutsideTheBoxesIsRefused) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                             "modal\n"
                                             "  type 5406 0\n"
                                             "  click 5401\n"
                                             "  type 5406 101\n"
                                             "  click 5401\n"
                                             "  click 5402\n"
                                             "end\n"
                                             "choose 5001 \"Save to Mailbox\"\n"
                                             "print\n");
    ASSERT_EQ(run.alerts.size(), 2u) << run.json;
    for (const std::string& alert : run.alerts)
        EXPECT_EQ(alert, "Enter a mailbox number from 1 to 100 (digits only).");
    // The cancelled window leaves the job a normal print.
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "1");
}

TEST_F(AccountDialogRules, ProductTypeTwoTakesTwelveCharacterNames) {
    AccountPPD spec;
    spec.printType = "Default02-Main";
    DialogRun run =
        e2e.RunDialog(PPDWith(spec, "type2"), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                              "modal\n"
                                              "  type 5206 kim\n"
                                              "  set 5209 2\n"
                                              "  type 5210 abcdefghijklm\n"
                                              "  click 5201\n"
                                              "end\n"
                                              "choose 5001 \"Sample Print\"\n"
                                              "print\n");
    // Typing stops at 12; the name goes out as far as it got.
    EXPECT_EQ(run.printSettings[kKey + "DocumentNameTicketKey"], "abcdefghijkl") << run.json;
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeProductTypeTicketKey"], "2");
    // A longer name kept from when the queue had a model with longer names
    // comes back cut to what this model takes. The list already shows sample
    // print (kept for the queue), so the settings button opens the window.
    run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                   "modal\n"
                                   "  type 5210 abcdefghijklmnopqrst\n"
                                   "  click 5201\n"
                                   "end\n"
                                   "click 5004\n"
                                   "print\n");
    EXPECT_EQ(run.printSettings[kKey + "DocumentNameTicketKey"], "abcdefghijklmnopqrst");
    run = e2e.RunDialog(PPDWith(spec, "type2b"), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                                 "modal\n"
                                                 "  click 5201\n"
                                                 "end\n"
                                                 "click 5004\n"
                                                 "print\n");
    EXPECT_TRUE(run.alerts.empty()) << run.json;
    EXPECT_EQ(run.printSettings[kKey + "DocumentNameTicketKey"], "abcdefghijkl");
}

TEST_F(AccountDialogRules, ListFollowsThePrinterStorage) {
    AccountPPD spec;
    spec.hardDisk = "False";
    spec.mailBox = "";
    DialogRun run =
        e2e.RunDialog(PPDWith(spec, "nodisk"), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                               "choose 5001 \"Secure Print\"\n");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.stderrText.find("is disabled"), std::string::npos) << run.stderrText;
    run = e2e.RunDialog(PPDWith(spec, "nodisk2"), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                                  "choose 5001 \"Save to Mailbox\"\n");
    EXPECT_NE(run.stderrText.find("has no item"), std::string::npos) << run.stderrText;
}

TEST_F(AccountDialogRules, KeptJobTypeThePrinterCannotTakeFallsBackToNormal) {
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                             "modal\n"
                                             "  type 5406 7\n"
                                             "  click 5401\n"
                                             "end\n"
                                             "choose 5001 \"Save to Mailbox\"\n"
                                             "print\n");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "5");
    AccountPPD spec;
    spec.mailBox = "";
    run = e2e.RunDialog(PPDWith(spec, "nomailbox"), "print\n");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "1") << run.json;
    spec.hardDisk = "False";
    run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.PrintTypeKind\n"
                                   "modal\n"
                                   "  type 5206 kim\n"
                                   "  click 5201\n"
                                   "end\n"
                                   "choose 5001 \"Sample Print\"\n"
                                   "print\n");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "3");
    run = e2e.RunDialog(PPDWith(spec, "nodisk"), "print\n");
    EXPECT_EQ(run.printSettings[kKey + "PrintTypeTicketKey"], "1") << run.json;
}

TEST_F(AccountDialogRules, PanelsOfferedByAttribute) {
    struct Offer {
        const char* printType;
        const char* accounting;
        std::vector<std::string> kinds;
    };
    const Offer offers[] = {
        {"Default00-Main",
         "Default00-Main",
         {"com.kestrane.mtk.pde.AccountKind", "com.kestrane.mtk.pde.PrintTypeKind"}},
        {"Default01-Main", "", {"com.kestrane.mtk.pde.PrintTypeKind"}},
        {"", "Default00-Main", {"com.kestrane.mtk.pde.AccountKind"}},
        {"", "", {}},
        // Resources that the bundle does not have: no panel.
        {"Default07-Main", "Default00-Other", {}},
    };
    int n = 0;
    for (const Offer& offer : offers) {
        AccountPPD spec;
        spec.printType = offer.printType;
        spec.accounting = offer.accounting;
        DialogRun run = e2e.RunDialog(PPDWith(spec, "offer" + std::to_string(n++)), "cancel\n");
        std::vector<std::string> kinds;
        for (const std::string& kind : run.panelKinds)
            if (kind == "com.kestrane.mtk.pde.AccountKind" ||
                kind == "com.kestrane.mtk.pde.PrintTypeKind")
                kinds.push_back(kind);
        EXPECT_EQ(kinds, offer.kinds) << offer.printType << "/" << offer.accounting;
    }
}

TEST_F(AccountDialogRules, NonAdministratorGetsOneModeChangeAndNoAllUsersEdits) {
    // The person running the tests is not in the administrators' group here.
    DialogRun run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                             "set 1001 1\n"
                                             "set 1001 2\n");
    EXPECT_NE(run.stderrText.find("control 1001 is disabled"), std::string::npos) << run.stderrText;
    run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\n"
                                   "modal\n"
                                   "  type 2007 mallory\n"
                                   "end\n"
                                   "set 1001 1\n"
                                   "click 1002\n");
    EXPECT_NE(run.stderrText.find("control 2007 is disabled"), std::string::npos) << run.stderrText;
}

TEST_F(AccountDialogRules, AnonymousSetLocksTheModeAndSettings) {
    AccountPPD spec;
    spec.selectID = "None";
    DialogRun run = e2e.RunDialog(PPDWith(spec, "anon"), "panel com.kestrane.mtk.pde.AccountKind\n"
                                                         "set 1003 1\n"
                                                         "print\n");
    EXPECT_EQ(run.printSettings[kKey + "JBAInfoListTicketKey"], "1") << run.json;
    EXPECT_EQ(run.printSettings[kKey + "JBAInfoSetListTicketKey"], "8");
    run = e2e.RunDialog(PPDWith(spec, "anon2"), "panel com.kestrane.mtk.pde.AccountKind\n"
                                                "set 1003 1\n"
                                                "click 1002\n");
    EXPECT_NE(run.stderrText.find("control 1002 is disabled"), std::string::npos) << run.stderrText;
    // Without the customisation both lists go to the ticket as 0.
    run = e2e.RunDialog(FullPPD(), "panel com.kestrane.mtk.pde.AccountKind\nprint\n");
    EXPECT_EQ(run.printSettings[kKey + "JBAInfoListTicketKey"], "0");
    EXPECT_EQ(run.printSettings[kKey + "JBAInfoSetListTicketKey"], "0");
}

TEST_F(AccountDialogRules, CaseListsShapeTheEntryWindow) {
    AccountPPD spec;
    spec.selectID = "UserID"; // with kind 3 this is Case_2: no account ID
    DialogRun run = e2e.RunDialog(PPDWith(spec, "case2"), "panel com.kestrane.mtk.pde.AccountKind\n"
                                                          "set 1003 3\n"
                                                          "modal\n"
                                                          "  set 3017 1\n"
                                                          "  type 3018 x\n"
                                                          "end\n"
                                                          "click 1002\n");
    EXPECT_NE(run.stderrText.find("control 3018 is disabled"), std::string::npos) << run.stderrText;
    run = e2e.RunDialog(PPDWith(spec, "case2b"), "panel com.kestrane.mtk.pde.AccountKind\n"
                                                 "set 1003 3\n"
                                                 "modal\n"
                                                 "  set 3017 1\n"
                                                 "  click 3001\n"
                                                 "end\n"
                                                 "click 1002\n"
                                                 "modal\n"
                                                 "  type 4006 ann\n"
                                                 "  type 4017 acc\n"
                                                 "end\n"
                                                 "print\n");
    EXPECT_NE(run.stderrText.find("control 4017 is hidden"), std::string::npos) << run.stderrText;
}

} // namespace
