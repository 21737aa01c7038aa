// Panels and child windows: registries, lookups through child windows, the
// broadcast and its stop rules, modal runs answered by the test services,
// summaries, and a screenshot of the test panel.
#include "FrameworkTestFixture.h"

#include "InterfaceFile.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {
namespace {

using Panels = FrameworkTest;

TEST_F(Panels, RegistriesCountFromZeroAndNeedThePanelFirst) {
    BasePrintPanel panelNoRegistry;
    static const CheckBoxIniData ini{0, 0, 0, nullptr};
    auto* early = new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr);
    EXPECT_EQ(panelNoRegistry.RunTimeAddNewControl(early), 0);
    EXPECT_EQ(panelNoRegistry.GetControlCount(), 0);
    delete early; // not taken

    BasePrintPanel p;
    p.CreatePanel(nullptr);
    EXPECT_EQ(p.RunTimeAddNewControl(new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr)), 0);
    EXPECT_EQ(p.RunTimeAddNewControl(new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr)), 1);
    EXPECT_EQ(p.RunTimeAddNewControl(new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr)), 2);
    EXPECT_EQ(p.RunTimeAddNewInstallableControl(new InstallableControl), 0);
    EXPECT_EQ(p.getCtrlGroupArrayRef().size(), 3u);
    EXPECT_EQ(p.getCtrlGroupArrayRef()[0]->GetParentPanel(), &p);
    // Writing without settings or values does not fault.
    EXPECT_EQ(p.SetValueToTicket(nullptr, false), 0);
}

TEST_F(Panels, LookupReachesControlsInsideChildWindows) {
    OpenPanel();
    BaseControl* childCheck = panel->GetPanelControl(kTagChildCheck);
    ASSERT_NE(childCheck, nullptr);
    EXPECT_EQ(childCheck->GetParentPanel(), panel->child);
    EXPECT_EQ(panel->GetPanelControl(kTagCheckA)->GetControlTag(), kTagCheckA);
    EXPECT_EQ(panel->GetPanelControl(9999), nullptr);
    EXPECT_EQ(panel->child->GetParentWnd(), panel.get());
    EXPECT_EQ(panel->child->Getxppd(), &ctx->index);
    EXPECT_EQ(panel->child->GetCurrentPrinterString(), "Office_Printer");
    EXPECT_EQ(panel->child->GetPanelControlPtr()->windowTitle(), "Test Settings");
}

TEST_F(Panels, ChildWindowRunsModallyAndKeepsWhatThePersonEntered) {
    // The window's button needs the disk installed.
    ppdMarkOption(ctx->host.ppd, "KRHardDisk", "Installed");
    OpenPanel();
    auto* open = W<QPushButton>(kTagButtonOpen);
    ASSERT_TRUE(open->isEnabled());
    // Committed before the run: the child's default 1; the window shows it
    // over its initial data.
    bool shownChecked = false;
    QString shownText;
    ctx->services.modalActions.push_back([&](QWidget* window) {
        auto* check = window->findChild<QCheckBox*>("childCheck");
        auto* text = window->findChild<QLineEdit*>("childText");
        shownChecked = check->isChecked();
        shownText = text->text();
        ClickButton(check);
        text->clear();
        QTest::keyClicks(text, "hello");
        QTest::mouseClick(window->findChild<QPushButton*>("childOK"), Qt::LeftButton);
        return 7;
    });
    QTest::mouseClick(open, Qt::LeftButton);
    ASSERT_EQ(ctx->services.modalRuns.size(), 1u);
    EXPECT_EQ(ctx->services.modalRuns[0], panel->child->GetPanelControlPtr());
    EXPECT_TRUE(shownChecked);
    EXPECT_EQ(shownText, ""); // no committed text: width 0 shows empty
    ASSERT_EQ(ctx->services.modalStops.size(), 1u);
    EXPECT_EQ(ctx->services.modalStops[0].second, 1);
    EXPECT_EQ(panel->child->GetModalResult(), 7);

    // The OK button committed the window's values; the panel writes them.
    panel->SetValueToTicket(&ctx->host.settings, false);
    EXPECT_EQ(ctx->Ticket("TESTChildCheck"), "0");
    EXPECT_EQ(ctx->Ticket("TESTChildText"), "hello");
    EXPECT_FALSE(panel->child->IsActived());
    panel->child->ChangeActivedStatus();
    EXPECT_TRUE(panel->child->IsActived());
}

TEST_F(Panels, PresetStopsAtTheFirstWindowThatFails) {
    auto* second = new TestChildWindow(TestDataPath("TestChildWindow.ui"));
    OpenPanel();
    panel->RunTimeAddNewWindow(second);
    EXPECT_EQ(panel->GetChildWindowCount(), 2);

    panel->child->presetResult = false;
    int firstBefore = panel->child->presetCalls;
    EXPECT_TRUE(panel->GetValueFromPreset());
    EXPECT_EQ(panel->child->presetCalls, firstBefore + 1);
    EXPECT_EQ(second->presetCalls, 0);

    panel->child->presetResult = true;
    EXPECT_TRUE(panel->GetValueFromPreset());
    EXPECT_EQ(second->presetCalls, 1);
    // The first window's control answers lookups before the second's.
    EXPECT_EQ(panel->GetPanelControl(kTagChildCheck)->GetParentPanel(), panel->child);
}

TEST_F(Panels, SummaryListsTitlesInPanelOrder) {
    ppdMarkOption(ctx->host.ppd, "KRHardDisk", "Installed");
    OpenPanel();
    ChooseMenuItem(W<QComboBox>(kTagPPDStaple), 1);
    panel->SetValueFromUIToControl();
    SummaryDictionary dict;
    QStringList order;
    EXPECT_EQ(panel->GetSummaryText(dict, order), 0);
    EXPECT_TRUE(order.contains("Copies"));
    EXPECT_EQ(dict.value("Copies").toString(), "0.1");
    EXPECT_EQ(dict.value("Staple").toString(), "Front");
    EXPECT_EQ(dict.value("Punch").toString(), "No");
    EXPECT_LT(order.indexOf("Copies"), order.indexOf("Punch"));
    EXPECT_LT(order.indexOf("Punch"), order.indexOf("Staple"));

    // A list greyed by constraints leaves its entry out.
    panel->GetPanelControl(kTagPPDStaple)->Disable();
    dict.clear();
    order.clear();
    panel->GetSummaryText(dict, order);
    EXPECT_FALSE(dict.contains("Staple"));
}

TEST_F(Panels, TitlesComeFromThePPDsTableWithFallbacks) {
    OpenPanel();
    EXPECT_EQ(panel->GetLocalizeTableName(), "LocalizableT1");
    EXPECT_EQ(W<QCheckBox>(kTagCheckA)->text(), "Use option A");
    EXPECT_EQ(W<QPushButton>(kTagButtonOpen)->text(), "Settings...");
    EXPECT_EQ(W<QWidget>(kTagGroupRuntime)->property("title").toString(), "Finishing");
    EXPECT_EQ(LocalizedString(ctx->bundle, "Missing Key", "LocalizableT1"), "no translation");
    EXPECT_EQ(LocalizedString(nullptr, "Check A", "LocalizableT1"), "no translation");
    // The version text: hidden, "." marks a PPD without a constraint cache.
    auto* version = W<QLabel>(kTagVersion);
    EXPECT_TRUE(version->isHidden());
    EXPECT_EQ(version->text(), "ver.1.2");
    EXPECT_EQ(VersionStringSText::VersionText("1.2", false), "ver.1.2.");
}

TEST_F(Panels, InterfaceFilesAndDefaultsReachTheWidgets) {
    QString error;
    EXPECT_EQ(LoadInterfaceFile("/nonexistent/Panel.ui", nullptr, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(FindTaggedWidget(nullptr, 1), nullptr);
    EXPECT_EQ(FindTaggedWidgetAs<QComboBox>(panel->view.get(), kTagCheckA), nullptr);
    EXPECT_NE(FindTaggedWidgetAs<QCheckBox>(panel->view.get(), kTagCheckA), nullptr);

    ctx->host.settings.SetText(TicketKey("TESTCheckA"), "1");
    ctx->host.settings.SetText(TicketKey("TESTPopup"), "3");
    OpenPanel();
    // Defaults shown by program apply their lists like a person's change.
    panel->SetDefaultValueToUI();
    EXPECT_FALSE(W<QCheckBox>(kTagCheckA)->isChecked());
    EXPECT_TRUE(W<QCheckBox>(kTagCheckTarget)->isEnabled());
    EXPECT_EQ(W<QComboBox>(kTagPopup)->currentIndex(), 0);
    EXPECT_TRUE(W<QCheckBox>(kTagCheckB)->isEnabled());
    EXPECT_TRUE(W<QCheckBox>(kTagCheckC)->isEnabled());
}

TEST_F(Panels, PanelAlertCarriesTheLocalisedMessageIconAndButton) {
    OpenPanel();
    ctx->services.alertAnswers.push_back(0);
    EXPECT_EQ(panel->ShowErrMsg("Err Text Width"), 0);
    ASSERT_EQ(ctx->services.alerts.size(), 1u);
    EXPECT_EQ(ctx->services.alerts[0].message, "Enter 2 to 4 letters or digits.");
    EXPECT_EQ(ctx->services.alerts[0].buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(ctx->services.alerts[0].parent, panel->view.get());
    // A key the table lacks still shows, as the platform's fallback text.
    panel->ShowErrMsg("No Such Key");
    EXPECT_EQ(ctx->services.alerts[1].message, "no translation");
}

TEST_F(Panels, ScreenshotOfTheTestPanel) {
    ppdMarkOption(ctx->host.ppd, "KRHardDisk", "Installed");
    OpenPanel();
    ClickButton(W<QCheckBox>(kTagCheckA));
    ChooseMenuItem(W<QComboBox>(kTagPPDStaple), 2);
    QTest::keyClicks(W<QLineEdit>(kTagTextName), "Ab12");
    QTest::keyClicks(W<QLineEdit>(kTagPassword), "secret");
    panel->view->resize(panel->view->sizeHint().expandedTo(QSize(560, 520)));
    QImage image = panel->view->grab().toImage();
    ASSERT_FALSE(image.isNull());
    const QString path = QString::fromStdString(TestOutputPath("framework-test-panel.png"));
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path));
    // Not a blank picture: the widgets drew something.
    QColor corner = image.pixelColor(0, 0);
    int differing = 0;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            differing += image.pixelColor(x, y) != corner;
    EXPECT_GT(differing, 100);
}

} // namespace
} // namespace KESTRANE_NS
