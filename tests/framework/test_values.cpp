// Values leaving the panel: ticket texts (plain, escaped, protected, blank),
// reading them back, text fields with their limits and messages, and the
// per-printer preferences.
#include "FrameworkTestFixture.h"

#include "PreferenceStore.h"
#include "TicketText.h"
#include "UserGroups.h"
#include "kspenclib.h"

#include <QFile>

namespace KESTRANE_NS {
namespace {

using TicketTexts = FrameworkTest;

std::string Unprotect(const std::string& base64) {
    unsigned char scrambled[256];
    int n = 0;
    EXPECT_EQ(KSPB64ToBin(base64.data(), static_cast<int>(base64.size()), scrambled, &n, 256), 0);
    unsigned char plain[256];
    int m = 0;
    EXPECT_EQ(KSPEncrypt(scrambled, n, plain, &m, 256), 0);
    return std::string(reinterpret_cast<char*>(plain), static_cast<size_t>(m));
}

TEST_F(TicketTexts, TypedTextIsWrittenEscapedWhereItMustBe) {
    OpenPanel();
    auto* name = W<QLineEdit>(kTagTextName);
    auto* note = panel->Control<StaticTextEditControl>(kTagStaticNote);
    struct Case {
        const char* typed;
        const char* stored;
    } cases[] = {{"abc", "abc"}, {"Ab1", "Ab1"}};
    for (const Case& c : cases) {
        name->clear();
        QTest::keyClicks(name, c.typed);
        Save();
        EXPECT_EQ(ctx->Ticket("TESTName"), c.stored) << c.typed;
    }
    // The static text holds its default "O'Neil"; "/x" and a comma too.
    note->SetControlValueToDefault();
    note->SetValueToTicket(&ctx->host.settings, false);
    EXPECT_EQ(ctx->Ticket("TESTNote"), "/79/39/78/101/105/108");
    for (auto [text, stored] :
         {std::pair{"/x", "/47/120"}, std::pair{"a,b", "/97/44/98"},
          std::pair{"back\\", "/98/97/99/107/92"}, std::pair{"plain", "plain"}}) {
        note->setExternalValueToData(text, static_cast<uint32_t>(std::strlen(text) + 1), 0);
        EXPECT_TRUE(note->SetValueToTicket(&ctx->host.settings, false));
        EXPECT_EQ(ctx->Ticket("TESTNote"), stored) << text;
        // Reading the ticket back gives the text again.
        EXPECT_EQ(ReadTicketString(ctx->Ticket("TESTNote")), text);
    }
}

TEST_F(TicketTexts, PresetReadsEscapedTextBack) {
    ctx->host.settings.SetText(TicketKey("TESTName"), "/79/39/78");
    OpenPanel();
    EXPECT_EQ(W<QLineEdit>(kTagTextName)->text(), "O'N");
    // Malformed or plain "/" texts are shown as they are.
    EXPECT_EQ(ReadTicketString("/300"), "/300");
    EXPECT_EQ(ReadTicketString("/12a"), "/12a");
    EXPECT_EQ(ReadTicketString("/"), "/");
}

TEST_F(TicketTexts, PasswordIsProtectedAndEmptyStaysEmpty) {
    OpenPanel();
    auto* password = W<QLineEdit>(kTagPassword);
    Save();
    EXPECT_TRUE(ctx->HasTicket("TESTPassword"));
    EXPECT_EQ(ctx->Ticket("TESTPassword"), "");

    QTest::keyClicks(password, "ab,1");
    Save();
    std::string stored = ctx->Ticket("TESTPassword");
    ASSERT_EQ(stored.size(), 8u);
    EXPECT_EQ(stored.substr(6), "==");
    EXPECT_EQ(Unprotect(stored), "ab,1"); // never escaped

    // Without the encrypt list the same control writes plain text (escaped).
    panel->GetPanelControl(kTagPassword)->SetValueToTicket(&ctx->host.settings, false);
    EXPECT_EQ(ctx->Ticket("TESTPassword"), "/97/98/44/49");
}

TEST_F(TicketTexts, ProtectedFormRefusesWhatDoesNotFit) {
    std::string out = "kept";
    EXPECT_TRUE(FormProtectedTicketString("", out));
    EXPECT_EQ(out, "");
    EXPECT_TRUE(FormProtectedTicketString(std::string(189, 'x'), out));
    EXPECT_EQ(out.size(), 252u);
    EXPECT_FALSE(FormProtectedTicketString(std::string(190, 'x'), out));
}

TEST_F(TicketTexts, BlankingControlWritesEmptyTextAndMissingKeysWriteNothing) {
    OpenPanel();
    static const ControlDataAccessInfo access{0, 0, "com.kestrane.mtz.printsettings.TESTBlank",
                                              nullptr};
    static const CheckBoxIniData ini{0, 1, 0, nullptr};
    BlankingCheckBox blank(nullptr, &ini, nullptr, &access, nullptr);
    blank.InitializeCtrl(ctx->bundle, ctx->host.ppd);
    blank.SetControlValueToDefault();
    EXPECT_TRUE(blank.SetValueToTicket(&ctx->host.settings, false));
    EXPECT_EQ(ctx->Ticket("TESTBlank"), "");
    EXPECT_TRUE(blank.SetValueToTicket(&ctx->host.settings, false, {}));
    EXPECT_EQ(ctx->Ticket("TESTBlank"), "");

    CheckBox plain(nullptr, &ini, nullptr, &access, nullptr);
    plain.InitializeCtrl(ctx->bundle, ctx->host.ppd);
    plain.SetControlValueToDefault();
    EXPECT_TRUE(plain.SetValueToTicket(&ctx->host.settings, false));
    EXPECT_EQ(ctx->Ticket("TESTBlank"), "1");

    CheckBox noTicket(nullptr, &ini, nullptr, nullptr, nullptr);
    EXPECT_FALSE(noTicket.SetValueToTicket(&ctx->host.settings, false));
    // A locked key keeps its value and the write reports NO.
    ctx->host.settings.SetText(TicketKey("TESTBlank"), "locked", true);
    EXPECT_FALSE(plain.SetValueToTicket(&ctx->host.settings, false));
    EXPECT_EQ(ctx->Ticket("TESTBlank"), "locked");
}

using TextFields = FrameworkTest;

TEST_F(TextFields, FormatterRefusesTooWideOrForeignTextWithABeep) {
    OpenPanel();
    auto* name = W<QLineEdit>(kTagTextName);
    name->setFocus();
    QTest::keyClicks(name, "12345");
    EXPECT_EQ(name->text(), "1234");
    EXPECT_EQ(ctx->services.beeps, 1);
    QTest::keyClicks(name, "");
    name->clear();
    QTest::keyClicks(name, "a-b");
    EXPECT_EQ(name->text(), "ab");
    EXPECT_EQ(ctx->services.beeps, 2);

    auto* formatter = panel->Control<TextEditCtrl>(kTagTextName)->GetFormatter();
    ASSERT_NE(formatter, nullptr);
    QString why;
    EXPECT_FALSE(formatter->isPartialStringValid("abcde", &why));
    EXPECT_EQ(why, "String too long.");
    EXPECT_TRUE(formatter->isPartialStringValid("abcd", &why));
    // Width counts two columns for characters beyond Latin-1.
    EXPECT_FALSE(formatter->isPartialStringValid(QString::fromUtf8("ab\u65e5"), &why));
}

TEST_F(TextFields, WidthOutsideRangeBlocksSaveWithAlertAndFocusBack) {
    OpenPanel();
    auto* name = W<QLineEdit>(kTagTextName);
    auto* ctrl = panel->Control<TextEditCtrl>(kTagTextName);
    panel->view->activateWindow();
    W<QSpinBox>(kTagStepper)->setFocus();

    EXPECT_TRUE(ctrl->InvalidateData()); // empty: width 0 is exempt
    QTest::keyClicks(name, "a");
    W<QSpinBox>(kTagStepper)->setFocus();
    EXPECT_FALSE(ctrl->InvalidateDataAndReturnError());
    EXPECT_TRUE(ctx->services.alerts.empty());
    EXPECT_FALSE(ctrl->InvalidateDataOnPrintCommand());
    ASSERT_EQ(ctx->services.alerts.size(), 1u);
    const AlertRequest& alert = ctx->services.alerts[0];
    EXPECT_EQ(alert.message, "Enter 2 to 4 letters or digits.");
    ASSERT_EQ(alert.buttons.size(), 1u);
    EXPECT_EQ(alert.buttons[0], "OK");
    EXPECT_TRUE(QString::fromStdString(alert.iconPath).endsWith("AlertIcon.png"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(alert.iconPath)));
    EXPECT_EQ(QApplication::focusWidget(), name);

    QTest::keyClick(name, Qt::Key_End); // the wrong text came back selected
    QTest::keyClicks(name, "b");
    EXPECT_TRUE(ctrl->InvalidateData());
    EXPECT_EQ(ctx->services.alerts.size(), 1u);
}

TEST_F(TextFields, WidthAndBlocksFollowTheText) {
    OpenPanel();
    auto* ctrl = panel->Control<TextEditCtrl>(kTagTextName);
    QTest::keyClicks(W<QLineEdit>(kTagTextName), "ab");
    ctrl->GetValueFromUI();
    EXPECT_EQ(ctrl->GetDataBlkSize(), 2u);
    ctrl->SetValueFromUIToControl();
    EXPECT_EQ(ctrl->GetText(), "ab");
    ctrl->CorrectCtrlUI();
    EXPECT_EQ(W<QLineEdit>(kTagTextName)->text(), "");
    EXPECT_EQ(ctrl->GetDataBlkSize(), 0u);
    ctrl->SetValueFromUIToControl(); // width 0 clears the committed text
    EXPECT_EQ(ctrl->GetText(), "");

    // A long text is cut at a whole character, never inside one.
    auto* note = panel->Control<StaticTextEditControl>(kTagStaticNote);
    std::string longText(254, 'x');
    longText += "\xC3\xA9\xC3\xA9"; // 258 bytes
    W<QLabel>(kTagStaticNote)->setText(QString::fromStdString(longText));
    note->GetValueFromUI();
    note->SetValueFromUIToControl();
    EXPECT_EQ(note->GetText(), std::string(254, 'x'));
}

// Only controls that store their text show the committed text: a control
// without access information leaves its widget to the panel (labels the panel
// fills), and an outside value still reaches it.
TEST_F(TextFields, CommittedTextIsShownOnlyByControlsThatStoreIt) {
    OpenPanel();
    auto* name = panel->Control<TextEditCtrl>(kTagTextName);
    name->setExternalValueToData("Zed", 4, 0);
    name->SetControlValueToUI();
    EXPECT_EQ(W<QLineEdit>(kTagTextName)->text(), "Zed");

    QLabel label(QStringLiteral("Set by the panel"));
    QLineEdit edit(QStringLiteral("typed"));
    StaticTextEditControl shown(&label, nullptr, nullptr, nullptr, nullptr);
    TextEditCtrl field(&edit, nullptr, nullptr, nullptr, nullptr, nullptr);
    for (TextEditCtrl* ctrl : {static_cast<TextEditCtrl*>(&shown), &field}) {
        ctrl->InitializeCtrl(nullptr, nullptr);
        ctrl->setExternalValueToData("abc", 4, 0);
        EXPECT_TRUE(ctrl->SetControlValueToUI());
        EXPECT_EQ(ctrl->GetText(), "abc");
    }
    EXPECT_EQ(label.text(), "Set by the panel");
    EXPECT_EQ(edit.text(), "typed");
    EXPECT_TRUE(field.SetExternalValueToUI("xyz", 4));
    EXPECT_EQ(edit.text(), "xyz");
}

using Preferences = FrameworkTest;

TEST_F(Preferences, ValuesRoundTripUnderThePrinterKey) {
    OpenPanel();
    ClickButton(W<QCheckBox>(kTagCheckA));
    ChooseMenuItem(W<QComboBox>(kTagPopup), 2);
    QTest::keyClicks(W<QLineEdit>(kTagTextName), "Zed");
    panel->SetValueFromUIToControl();
    EXPECT_EQ(panel->SetValueToPreference(), 0);

    PreferenceStore::Shared().Reset(); // read from disk
    EXPECT_EQ(
        PreferenceStore::Shared().CopyValue("Office_PrinterTESTCheckA", kPreferencesCurrentUser),
        std::optional<std::string>("1"));
    EXPECT_EQ(
        PreferenceStore::Shared().CopyValue("Office_PrinterTESTName", kPreferencesCurrentUser),
        std::optional<std::string>("Zed"));

    // A fresh panel on the same printer reads them back.
    FrameworkTestPanel again;
    again.RunFirstOpen(ctx->host, ctx->bundle, &ctx->index);
    again.GetValueFromPreference();
    again.SetUIDataToIniData();
    again.SetCurrentValueToUI();
    EXPECT_TRUE(again.Widget<QCheckBox>(kTagCheckA)->isChecked());
    EXPECT_EQ(again.Widget<QComboBox>(kTagPopup)->currentIndex(), 2);
    EXPECT_EQ(again.Widget<QLineEdit>(kTagTextName)->text(), "Zed");
    EXPECT_FALSE(again.Widget<QCheckBox>(kTagCheckTarget)->isEnabled());
}

TEST_F(Preferences, EmptyStoreLeavesDefaultsAndAnotherPrinterSharesNothing) {
    OpenPanel();
    ClickButton(W<QCheckBox>(kTagCheckA));
    panel->SetValueFromUIToControl();
    panel->SetValueToPreference();

    ctx->host.session.SetCurrentPrinter("Other_Printer");
    panel->SetCurrentPrintSettings(&ctx->host.settings, ctx->host.ppd, &ctx->host,
                                   &ctx->host.session);
    EXPECT_EQ(panel->GetCurrentPrinterString(), "Other_Printer");
    EXPECT_EQ(panel->child->GetCurrentPrinterString(), "Other_Printer");
    panel->GetValueFromPreference();
    panel->SetCurrentValueToUI();
    EXPECT_FALSE(W<QCheckBox>(kTagCheckA)->isChecked());   // default 0
    EXPECT_EQ(W<QComboBox>(kTagPopup)->currentIndex(), 0); // default 1
    EXPECT_EQ(W<QSpinBox>(kTagStepper)->value(), 1);

    // Without a printer nothing is stored and the panel reports it.
    ctx->host.session.ClearCurrentPrinter();
    EXPECT_FALSE(panel->SetCurrentPrintSettings(&ctx->host.settings, ctx->host.ppd, &ctx->host,
                                                &ctx->host.session));
    EXPECT_FALSE(panel->GetPanelControl(kTagCheckA)->SetValueToPreference());
    EXPECT_FALSE(panel->GetPanelControl(kTagCheckA)->GetValueFromPreference());
}

TEST_F(Preferences, AllUsersValuesAreWrittenOnlyByAnAdministrator) {
    OpenPanel();
    static const ControlDataAccessInfo access{0, 0, nullptr, "TESTAdminCheck"};
    static const CheckBoxIniData ini{0, 1, 0, nullptr};
    auto* admin = new CheckBox(nullptr, &ini, nullptr, &access, kPreferencesAnyUser);
    panel->RunTimeAddNewControl(admin);
    admin->InitializeCtrl(ctx->bundle, ctx->host.ppd);
    admin->SetControlValueToDefault();
    EXPECT_TRUE(admin->SetValueToPreference());
    PreferenceStore::Shared().Reset();
    auto stored =
        PreferenceStore::Shared().CopyValue("Office_PrinterTESTAdminCheck", kPreferencesAnyUser);
    if (IsUserAdmin())
        EXPECT_EQ(stored, std::optional<std::string>("1"));
    else
        EXPECT_FALSE(stored.has_value());
    EXPECT_EQ(admin->GetUserNameInPreference(), kPreferencesAnyUser);
}

TEST_F(Preferences, PanelResultFollowsOnlyTheLastControlAndTheWindows) {
    OpenPanel();
    panel->SetValueFromUIToControl();
    // Every control stores: 0.
    EXPECT_EQ(panel->SetValueToPreference(), 0);

    // A panel whose last control fails reports 1, one whose first fails 0.
    FrameworkTestPanel bare;
    bare.CreatePanel(bare.view.get());
    static const ControlDataAccessInfo access{0, 0, nullptr, "TESTBare"};
    static const CheckBoxIniData ini{0, 1, 0, nullptr};
    auto* noBlock = new CheckBox(nullptr, &ini, nullptr, &access, nullptr); // never initialised
    auto* fine = new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr);
    bare.RunTimeAddNewControl(fine);
    bare.RunTimeAddNewControl(noBlock);
    bare.SetCurrentPrinterString(&ctx->host.session);
    EXPECT_EQ(bare.SetValueToPreference(), 1);

    FrameworkTestPanel bare2;
    bare2.CreatePanel(bare2.view.get());
    bare2.RunTimeAddNewControl(new CheckBox(nullptr, &ini, nullptr, &access, nullptr));
    bare2.RunTimeAddNewControl(new CheckBox(nullptr, &ini, nullptr, nullptr, nullptr));
    EXPECT_EQ(bare2.SetValueToPreference(), 0);

    FrameworkTestPanel empty;
    empty.CreatePanel(empty.view.get());
    EXPECT_EQ(empty.SetValueToPreference(), 0);
}

} // namespace
} // namespace KESTRANE_NS
