// The plug-in boundary through the two copies of the test plug-in: which
// panels are offered, the opening sequence of first and later opens, the
// summary, saving without settings, and two same-named copies side by side.
#include "DialogSession.h"
#include "HostTestSupport.h"

#include "HelpSystem.h"
#include "RecordingPlatformServices.h"

#include <cups/ppd.h>

// The test reads the marked PPD choice through libcups, as the dialog does.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

#include <QAbstractButton>
#include <QComboBox>
#include <QWidget>

#include <dlfcn.h>

#include <gtest/gtest.h>

using namespace hosttest;

namespace {

QWidget* Tagged(QWidget* root, int tag) {
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->property("tag").isValid() && w->property("tag").toInt() == tag)
            return w;
    return nullptr;
}

class HostPlugInTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prefs.isValid() && dir.isValid());
        UsePrivatePreferences(prefs);
        HelpUnregisterAll();
        ASSERT_EQ(TestPlugIns().plugins.size(), 2u);
    }

    // Opens the printer on a PPD variant and collects the offered panels.
    void Open(const std::string& attributeLine) {
        std::string error;
        ASSERT_TRUE(session.Open("Office_Printer", WriteTestPPD(dir, attributeLine), {}, error))
            << error;
        session.CollectPanels(TestPlugIns().plugins);
    }

    PDEPanel& Panel(const std::string& copy) {
        int i = session.FindPanel("com.kestrane.mtk.pde.HostTestKind.MNHostTest" + copy);
        EXPECT_GE(i, 0) << copy;
        return *session.Panels().at(i).panel;
    }

    std::string Setting(const std::string& key) {
        std::string v;
        session.printSettings()->GetText(key, v);
        return v;
    }

    // What the copy's panel wrote about its opening sequence.
    std::string Trace(const std::string& copy) {
        EXPECT_TRUE(Panel(copy).saveValuesAndReturnError(nullptr));
        return Setting(Ticket("MNHostTest" + copy, "Trace"));
    }

    QTemporaryDir prefs, dir;
    RecordingPlatformServices services;
    ScopedPlatformServices scope{&services};
    DialogSession session;
};

struct OfferCase {
    const char* name;
    std::string attributeLine;
    int panels;      // offered by both copies together
    int productType; // of copy A's panel
};

class OfferRules : public HostPlugInTest, public ::testing::WithParamInterface<OfferCase> {};

TEST_P(OfferRules, PanelsFollowAttributeAndResources) {
    const OfferCase& c = GetParam();
    Open(c.attributeLine);
    ASSERT_EQ(static_cast<int>(session.Panels().size()), c.panels);
    if (c.panels == 0)
        return;
    EXPECT_EQ(session.Panels()[0].name.toStdString(), "Host Test A");
    EXPECT_EQ(session.Panels()[1].name.toStdString(), "Host Test B");
    Panel("A").restoreValuesAndReturnError(nullptr);
    EXPECT_NE(Trace("A").find(" type=" + std::to_string(c.productType) + " "), std::string::npos)
        << Trace("A");
}

INSTANTIATE_TEST_SUITE_P(
    HostTest, OfferRules,
    ::testing::Values(OfferCase{"Default01", "*KRVHostTestSettings: \"Default01-Main\"", 2, 1},
                      OfferCase{"Default00", "*KRVHostTestSettings: \"Default00-Main\"", 2, 0},
                      // The interface file exists but the product is not in the table.
                      OfferCase{"Other", "*KRVHostTestSettings: \"Other-Main\"", 2, -1},
                      OfferCase{"NoAttribute", "", 0, -1},
                      OfferCase{"NoInterfaceFile", "*KRVHostTestSettings: \"Missing-Main\"", 0, -1},
                      OfferCase{"NoHelpPage", "*KRVHostTestSettings: \"Default00-Gone\"", 0, -1},
                      OfferCase{"NoHyphen", "*KRVHostTestSettings: \"Default00\"", 0, -1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostPlugInTest, OnlyThePrintDialogWithAPPDGetsPanels) {
    std::string error;
    ASSERT_TRUE(session.Open("Office_Printer",
                             WriteTestPPD(dir, "*KRVHostTestSettings: \"Default00-Main\""), {},
                             error));
    PDEPlugIn& entry = *TestPlugIns().plugins[0].entries.at(0);
    EXPECT_EQ(entry.PDEPanelsForType(kPDEPrintDialogType, &session).size(), 1u);
    EXPECT_TRUE(entry.PDEPanelsForType("page setup", &session).empty());
    EXPECT_TRUE(entry.PDEPanelsForType(kPDEPrintDialogType, nullptr).empty());
    session.Close();
    EXPECT_TRUE(entry.PDEPanelsForType(kPDEPrintDialogType, &session).empty());
}

TEST_F(HostPlugInTest, FirstOpenBuildsLaterOpensRecheckConflicts) {
    Open("*KRVHostTestSettings: \"Default00-Main\"");
    PDEPanel& a = Panel("A");
    auto* popup = qobject_cast<QComboBox*>(Tagged(a.panelView(), 2));
    ASSERT_TRUE(popup);

    ASSERT_TRUE(a.restoreValuesAndReturnError(nullptr));
    EXPECT_NE(Trace("A").find("loads=1 opens=1 conflicts=0"), std::string::npos) << Trace("A");
    // No ticket yet: the controls show their defaults.
    EXPECT_EQ(popup->currentIndex(), 0);
    EXPECT_EQ(Setting(Ticket("MNHostTestA", "Popup")), "1");

    // Another part of the dialog changed the settings; the next open reads
    // them without building the controls again.
    session.printSettings()->SetText(Ticket("MNHostTestA", "Popup"), "3");
    session.printSettings()->SetText(Ticket("MNHostTestA", "Check"), "1");
    ASSERT_TRUE(a.restoreValuesAndReturnError(nullptr));
    EXPECT_EQ(popup->currentIndex(), 2);
    auto* check = qobject_cast<QAbstractButton*>(Tagged(a.panelView(), 1));
    EXPECT_TRUE(check->isChecked());
    // The check box's constraint list greys out the name field.
    EXPECT_FALSE(Tagged(a.panelView(), 3)->isEnabled());
    EXPECT_NE(Trace("A").find("loads=1 opens=2 conflicts=1"), std::string::npos) << Trace("A");

    // The other copy was never opened: printing opens it first.
    PDEPanel& b = Panel("B");
    ASSERT_TRUE(b.shouldPrint());
    EXPECT_NE(Setting(Ticket("MNHostTestB", "Trace")).find("loads=1 opens=1 conflicts=0"),
              std::string::npos);
    EXPECT_EQ(Setting(Ticket("MNHostTestB", "Copies")), "1");
    // Escaped text form for a value with a comma.
    EXPECT_EQ(Setting(Ticket("MNHostTestB", "Note")), "/97/44/98");
}

TEST_F(HostPlugInTest, SummaryKeepsPanelOrder) {
    Open("*KRVHostTestSettings: \"Default00-Main\"");
    PDEPanel& a = Panel("A");
    a.restoreValuesAndReturnError(nullptr);
    QVariantMap info = a.summaryInfo();
    const QStringList order = info.value(kPDESummaryDisplayOrder).toStringList();
    ASSERT_EQ(order, (QStringList{"Copies", "Toner Save", "Note"}));
    EXPECT_EQ(info.value("Note").toString(), "a,b");
    EXPECT_EQ(info.value("Toner Save").toString(), "Off");

    // The dialog's summary lists the entries in the same order, panel by panel.
    auto summary = session.Summary();
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].first, "Host Test A");
    ASSERT_EQ(summary[0].second.size(), 3u);
    EXPECT_EQ(summary[0].second[0].first, "Copies");
    EXPECT_EQ(summary[0].second[2].first, "Note");
}

// A panel that keeps its values in the preferences: its own title beside
// the bundle's other panel, nothing kept or written before it is opened, the
// kept values in the next dialog unless the ticket holds the key, a reload
// on every later show, and its help page opened by itself.
TEST_F(HostPlugInTest, KeptValuesReachTheNextDialog) {
    const std::string both = "*KRVHostTestSettings: \"Default00-Main\"\n"
                             "*KRVHostTestKeptSettings: \"Default00-Main\"";
    Open(both);
    ASSERT_EQ(session.Panels().size(), 4u);
    const int at = session.FindPanel("com.kestrane.mtk.pde.HostTestKeptKind.MNHostTestA");
    ASSERT_GE(at, 0);
    EXPECT_EQ(session.Panels()[at].name.toStdString(), "Kept Host Test A");
    EXPECT_EQ(session.Panels()[0].name.toStdString(), "Host Test A");
    PDEPanel& kept = *session.Panels()[at].panel;

    EXPECT_TRUE(kept.saveValuesAndReturnError(nullptr));
    EXPECT_EQ(session.printSettings()->Count(), 0u);

    ASSERT_TRUE(kept.restoreValuesAndReturnError(nullptr));
    kept.willShow();
    auto* check = qobject_cast<QAbstractButton*>(Tagged(kept.panelView(), 1));
    ASSERT_TRUE(check && !check->isChecked());
    check->click();
    ASSERT_TRUE(kept.saveValuesAndReturnError(nullptr));
    EXPECT_EQ(Setting(Ticket("MNHostTestA", "Check")), "1");

    EXPECT_FALSE(kept.shouldShowHelp());
    ASSERT_EQ(services.helpPages.size(), 1u);
    EXPECT_NE(services.helpPages[0].find("HostTestMain_Main.htm"), std::string::npos);

    DialogSession next;
    std::string error;
    ASSERT_TRUE(next.Open("Office_Printer", WriteTestPPD(dir, both, "next.ppd"), {}, error))
        << error;
    next.CollectPanels(TestPlugIns().plugins);
    PDEPanel& again = *next.Panels().at(at).panel;
    ASSERT_TRUE(again.restoreValuesAndReturnError(nullptr));
    auto* checkAgain = qobject_cast<QAbstractButton*>(Tagged(again.panelView(), 1));
    EXPECT_TRUE(checkAgain->isChecked());
    // The plain panel keeps nothing and starts from its default.
    PDEPanel& plain = *next.Panels().at(0).panel;
    ASSERT_TRUE(plain.restoreValuesAndReturnError(nullptr));
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(Tagged(plain.panelView(), 1))->isChecked());

    next.printSettings()->SetText(Ticket("MNHostTestA", "Check"), "0");
    ASSERT_TRUE(again.restoreValuesAndReturnError(nullptr));
    EXPECT_FALSE(checkAgain->isChecked());
    again.willShow();
    EXPECT_TRUE(checkAgain->isChecked());
}

// A dialog that has no print settings to give.
class NoSettingsHost : public PDEPlugInCallbackProtocol {
public:
    explicit NoSettingsHost(DialogSession& s) : session(s) {}
    ppd_file_t* ppdFile() override { return session.ppdFile(); }
    PrintSettings* printSettings() override { return nullptr; }
    PrintSession* printSession() override { return session.printSession(); }
    PageFormat* pageFormat() override { return session.pageFormat(); }
    bool willChangePPDOptionKeyValue(const std::string& o, const std::string& c) override {
        return session.willChangePPDOptionKeyValue(o, c);
    }
    DialogSession& session;
};

TEST_F(HostPlugInTest, SavingWithoutSettingsAnswersNo) {
    Open("*KRVHostTestSettings: \"Default00-Main\"");
    NoSettingsHost host(session);
    PDEPanelList panels =
        TestPlugIns().plugins[0].entries.at(0)->PDEPanelsForType(kPDEPrintDialogType, &host);
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_TRUE(panels[0]->restoreValuesAndReturnError(nullptr));
    QString error;
    EXPECT_FALSE(panels[0]->saveValuesAndReturnError(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(panels[0]->shouldPrint());
    EXPECT_EQ(session.printSettings()->Count(), 0u);
}

TEST_F(HostPlugInTest, SameNamedCopiesRunTheirOwnCode) {
    Open("*KRVHostTestSettings: \"Default00-Main\"");
    ASSERT_EQ(session.Panels().size(), 2u);
    EXPECT_EQ(session.Panels()[0].kind, "com.kestrane.mtk.pde.HostTestKind.MNHostTestA");
    EXPECT_EQ(session.Panels()[1].kind, "com.kestrane.mtk.pde.HostTestKind.MNHostTestB");

    void* entryA = dlsym(TestPlugIns().plugins[0].library, KESTRANE_PDE_ENTRY_NAME);
    void* entryB = dlsym(TestPlugIns().plugins[1].library, KESTRANE_PDE_ENTRY_NAME);
    ASSERT_TRUE(entryA && entryB);
    EXPECT_NE(entryA, entryB);

    // One more panel from copy A only: its counter moves, B's does not.
    auto countOf = [&](const std::string& copy) {
        Panel(copy).restoreValuesAndReturnError(nullptr);
        const std::string t = Trace(copy);
        EXPECT_EQ(t.rfind("MNHostTest" + copy + " ", 0), 0u) << t;
        return std::stoi(t.substr(t.find("made=") + 5));
    };
    const int madeA = countOf("A");
    const int madeB = countOf("B");
    PDEPanelList extra =
        TestPlugIns().plugins[0].entries.at(0)->PDEPanelsForType(kPDEPrintDialogType, &session);
    ASSERT_EQ(extra.size(), 1u);
    EXPECT_EQ(countOf("A"), madeA + 1);
    EXPECT_EQ(countOf("B"), madeB);
}

TEST_F(HostPlugInTest, ControlsReachTheDialogAndThePlatform) {
    Open("*KRVHostTestSettings: \"Default00-Main\"");
    PDEPanel& a = Panel("A");
    ASSERT_TRUE(a.restoreValuesAndReturnError(nullptr));
    a.willShow();
    QWidget* view = a.panelView();

    // A PPD-bound control reports its choice; it travels as a PPD option.
    qobject_cast<QAbstractButton*>(Tagged(view, 5))->click();
    ASSERT_FALSE(session.PPDChoices().empty());
    EXPECT_EQ(session.PPDChoices().back(),
              (std::pair<std::string, std::string>{"KSTEcoMode", "True"}));

    // Help: the panel opens its page itself and tells the dialog not to.
    EXPECT_FALSE(a.shouldShowHelp());
    ASSERT_EQ(services.helpPages.size(), 1u);
    EXPECT_NE(services.helpPages[0].find("HostTestMain_Main.htm"), std::string::npos);

    // An alert and a modal child window, answered as a person would.
    services.alertAnswers.push_back(0);
    qobject_cast<QAbstractButton*>(Tagged(view, 9))->click();
    ASSERT_EQ(services.alerts.size(), 1u);
    EXPECT_EQ(services.alerts[0].message, "Test alert of copy A");
    services.modalActions.push_back([](QWidget* window) {
        qobject_cast<QAbstractButton*>(Tagged(window, 101))->click();
        qobject_cast<QAbstractButton*>(Tagged(window, 103))->click();
        return 1;
    });
    qobject_cast<QAbstractButton*>(Tagged(view, 7))->click();
    EXPECT_EQ(services.modalRuns.size(), 1u);
    EXPECT_NE(Trace("A").find("alert=0"), std::string::npos);
    EXPECT_EQ(Setting(Ticket("MNHostTestA", "ChildCheck")), "1");
}

TEST_F(HostPlugInTest, DialogSettingsReachPageFormatAndJob) {
    Open("");
    // The PPD's default paper is no choice of the person's.
    EXPECT_EQ(session.Paper(), "A4");
    EXPECT_TRUE(session.PPDChoices().empty());
    EXPECT_DOUBLE_EQ(session.pageFormat()->GetUnadjustedPaperRect().right, 595);

    ASSERT_TRUE(session.SetPaper("Letter"));
    EXPECT_FALSE(session.SetPaper("A0"));
    const PMRect paper = session.pageFormat()->GetUnadjustedPaperRect();
    EXPECT_DOUBLE_EQ(paper.right - paper.left, 612);
    EXPECT_DOUBLE_EQ(paper.bottom - paper.top, 792);
    EXPECT_EQ(ppdFindMarkedChoice(session.ppdFile(), "PageSize")->choice, std::string("Letter"));

    // Unknown options and choices are refused and not sent.
    EXPECT_FALSE(session.willChangePPDOptionKeyValue("Duplex", "Sideways"));
    EXPECT_FALSE(session.willChangePPDOptionKeyValue("Stapler", "On"));
    EXPECT_TRUE(session.willChangePPDOptionKeyValue("Duplex", "DuplexTumble"));

    session.SetOrientation(kPMLandscape);
    session.Layout().pagesPerSheet = 2;
    session.SetCopies(3);
    std::string refused;
    ASSERT_TRUE(session.ShouldPrint(refused));
    JobOptions job = MakeJobOptions(session.MakeJobRequest());
    auto value = [&](const std::string& name) {
        for (const auto& [n, v] : job.options)
            if (n == name)
                return v;
        return std::string("(absent)");
    };
    EXPECT_EQ(value("PageSize"), "Letter");
    EXPECT_EQ(value("Duplex"), "DuplexTumble");
    EXPECT_EQ(value("orientation-requested"), "4");
    EXPECT_EQ(value("copies"), "3");
    EXPECT_EQ(value("number-up"), "2");
    // Two landscape pages on a sheet sit one above the other.
    EXPECT_EQ(value("com.apple.print.PrintSettings.PMLayoutRows..n."), "2");
    EXPECT_EQ(value("com.apple.print.PrintSettings.PMLayoutColumns..n."), "1");
}

} // namespace
