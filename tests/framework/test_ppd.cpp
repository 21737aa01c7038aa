// PPD-bound controls on the framework's test PPD: marking the PPD, reporting
// choices to the host, greying exactly the conflicting menu items, run-time
// widgets and installable options.
#include "FrameworkTestFixture.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {
namespace {

using PPDControls = FrameworkTest;

const char* Marked(ppd_file_t* ppd, const char* option) {
    ppd_choice_t* c = ppdFindMarkedChoice(ppd, option);
    return c ? c->choice : "";
}

std::vector<bool> ItemStates(QComboBox* combo) {
    auto* model = qobject_cast<QStandardItemModel*>(combo->model());
    std::vector<bool> states;
    for (int i = 0; i < combo->count(); ++i)
        states.push_back(model->item(i)->isEnabled());
    return states;
}

TEST_F(PPDControls, ListsComeFromThePPDWithItsDefaults) {
    OpenPanel();
    auto* staple = W<QComboBox>(kTagPPDStaple);
    ASSERT_EQ(staple->count(), 3);
    EXPECT_EQ(staple->itemText(0), "Off");
    EXPECT_EQ(staple->itemData(2).toString(), "Rear");
    EXPECT_EQ(staple->currentIndex(), 0);
    EXPECT_EQ(W<QLabel>(kTagStapleTitle)->text(), "Staple");
    // The Boolean option lists "False" first; its default is "False".
    EXPECT_FALSE(W<QCheckBox>(kTagPPDPunch)->isChecked());
    EXPECT_EQ(W<QCheckBox>(kTagPPDPunch)->text(), "Punch");
    auto* punch = panel->Control<PPDCheckBox>(kTagPPDPunch);
    EXPECT_EQ(punch->getPPDChoices().size(), 2u);
    EXPECT_EQ(punch->getPPDOptions()->keyword, std::string("KRPunch"));
}

TEST_F(PPDControls, ChoosingMarksThePPDAndGreysExactlyTheConflictingItems) {
    OpenPanel();
    auto* staple = W<QComboBox>(kTagPPDStaple);
    auto* duplex = W<QComboBox>(kTagPPDDuplex);
    EXPECT_EQ(ItemStates(duplex), (std::vector<bool>{true, true, true}));

    ChooseMenuItem(staple, 2); // Rear forbids Duplex DuplexTumble
    EXPECT_STREQ(Marked(ctx->host.ppd, "KRStaple"), "Rear");
    ASSERT_FALSE(ctx->host.reported.empty());
    EXPECT_EQ(ctx->host.reported.back(), (std::pair<std::string, std::string>{"KRStaple", "Rear"}));
    EXPECT_EQ(ItemStates(duplex), (std::vector<bool>{true, true, false}));

    // A greyed item takes no click.
    ChooseMenuItem(duplex, 2);
    EXPECT_EQ(duplex->currentIndex(), 0);
    ChooseMenuItem(duplex, 1);
    EXPECT_EQ(duplex->currentIndex(), 1);
    EXPECT_STREQ(Marked(ctx->host.ppd, "Duplex"), "DuplexNoTumble");

    ChooseMenuItem(staple, 1);
    EXPECT_EQ(ItemStates(duplex), (std::vector<bool>{true, true, true}));

    // PPD-bound lists write no ticket key.
    Save();
    for (const std::string& key : ctx->host.settings.Keys())
        EXPECT_EQ(key.find("KRStaple"), std::string::npos);
}

TEST_F(PPDControls, LaterOpenShowsWhatThePPDHasMarked) {
    OpenPanel();
    ChooseMenuItem(W<QComboBox>(kTagPPDStaple), 2);
    ClickButton(W<QCheckBox>(kTagPPDPunch)); // Punch True greys Staple Rear
    panel->SetValueFromUIToControl();
    panel->RunLaterOpen(ctx->host);
    EXPECT_EQ(W<QComboBox>(kTagPPDStaple)->currentIndex(), 2);
    EXPECT_TRUE(W<QCheckBox>(kTagPPDPunch)->isChecked());
    EXPECT_EQ(ItemStates(W<QComboBox>(kTagPPDStaple)), (std::vector<bool>{true, true, false}));

    // Marks changed elsewhere in the dialog reach the panel on its next open.
    ppdMarkOption(ctx->host.ppd, "KRPunch", "False");
    ppdMarkOption(ctx->host.ppd, "KRStaple", "Front");
    panel->RunLaterOpen(ctx->host);
    EXPECT_EQ(W<QComboBox>(kTagPPDStaple)->currentIndex(), 1);
    EXPECT_FALSE(W<QCheckBox>(kTagPPDPunch)->isChecked());
    EXPECT_EQ(ItemStates(W<QComboBox>(kTagPPDStaple)), (std::vector<bool>{true, true, true}));
}

TEST_F(PPDControls, CheckBoxMarksTrueOrFalseWhateverTheirOrder) {
    OpenPanel();
    auto* punch = W<QCheckBox>(kTagPPDPunch);
    ClickButton(punch);
    EXPECT_STREQ(Marked(ctx->host.ppd, "KRPunch"), "True");
    EXPECT_EQ(ctx->host.reported.back(), (std::pair<std::string, std::string>{"KRPunch", "True"}));
    // Punch True forbids Staple Rear: the staple menus grey it.
    EXPECT_EQ(ItemStates(W<QComboBox>(kTagPPDStaple)), (std::vector<bool>{true, true, false}));
    ClickButton(punch);
    EXPECT_STREQ(Marked(ctx->host.ppd, "KRPunch"), "False");
    EXPECT_EQ(ItemStates(W<QComboBox>(kTagPPDStaple)), (std::vector<bool>{true, true, true}));

    SummaryDictionary dict;
    QStringList order;
    panel->SetValueFromUIToControl();
    panel->GetPanelControl(kTagPPDPunch)->GetSummaryText(dict, order);
    EXPECT_EQ(order, QStringList{"Punch"});
    EXPECT_EQ(dict.value("Punch").toString(), "No");
}

TEST_F(PPDControls, RunTimeWidgetsArePlacedInTheirBoxByIndex) {
    OpenPanel();
    QWidget* box = W<QWidget>(kTagGroupRuntime);
    QWidget* title = panel->foldTitleExt->GetControlPtr();
    QWidget* fold = panel->foldExt->GetControlPtr();
    QWidget* staple = panel->stapleExt->GetControlPtr();
    ASSERT_TRUE(title && fold && staple);
    EXPECT_EQ(title->parentWidget(), box);
    EXPECT_EQ(fold->parentWidget(), box);
    EXPECT_EQ(qobject_cast<QLabel*>(title)->text(), "Fold:");
    EXPECT_EQ(panel->stapleExt->GetOptionTitle(), "Staple:");
    // Higher indexes sit lower without overlapping; the record's bottom
    // margin holds for the last.
    EXPECT_LT(title->y(), fold->y());
    EXPECT_LT(fold->y(), staple->y());
    EXPECT_LE(title->geometry().bottom(), fold->y());
    EXPECT_LE(fold->geometry().bottom(), staple->y());
    EXPECT_EQ(panel->stapleExt->GetBounds().bottom() + 1, box->height() - 8);
    // Fold's PPD default is True.
    EXPECT_TRUE(qobject_cast<QCheckBox*>(fold)->isChecked());

    // Punch True forbids Fold's "False", the choice a click would switch to.
    ClickButton(W<QCheckBox>(kTagPPDPunch));
    EXPECT_FALSE(fold->isEnabled());
    ClickButton(W<QCheckBox>(kTagPPDPunch));
    EXPECT_TRUE(fold->isEnabled());

    // Resetting the run-time text enables it but does not show it again.
    title->hide();
    panel->foldTitleExt->Disable();
    panel->foldTitleExt->ResetStatus();
    EXPECT_TRUE(title->isEnabled());
    EXPECT_TRUE(title->isHidden());
}

TEST_F(PPDControls, WithoutConstraintIndexListsSkipThePPD) {
    FrameworkTestPanel bare;
    bare.RunFirstOpen(ctx->host, ctx->bundle, nullptr);
    EXPECT_EQ(bare.Widget<QComboBox>(kTagPPDStaple)->count(), 0);
    EXPECT_EQ(bare.stapleExt->GetControlPtr(), nullptr);
    // The check box still works without PPD values.
    EXPECT_NE(bare.foldExt->GetControlPtr(), nullptr);
}

TEST_F(PPDControls, InstallableOptionDisablesItsTagsByMarkedChoice) {
    OpenPanel();
    // Not installed: the window button is ruled out.
    EXPECT_FALSE(W<QPushButton>(kTagButtonOpen)->isEnabled());
    EXPECT_EQ(panel->hardDisk->ConstrainPanelControlFromPPD(nullptr), 0);

    ppdMarkOption(ctx->host.ppd, "KRHardDisk", "Installed");
    panel->ResetControlStatus();
    EXPECT_TRUE(W<QPushButton>(kTagButtonOpen)->isEnabled());
    EXPECT_EQ(panel->hardDisk->ConstrainPanelControlFromPPD(ctx->host.ppd), 0);

    ppdMarkOption(ctx->host.ppd, "KRHardDisk", "NotInstalled");
    panel->ResetControlStatus();
    EXPECT_FALSE(W<QPushButton>(kTagButtonOpen)->isEnabled());
    panel->ResetControlStatus(); // counters start again each time
    EXPECT_EQ(panel->GetPanelControl(kTagButtonOpen)->GetConstrainCount(), 1);
}

TEST_F(PPDControls, ConflictTestReadsTheIndexAgainstTheMarks) {
    OpenPanel();
    auto* duplex = panel->Control<PPDPopupControl>(kTagPPDDuplex);
    EXPECT_FALSE(
        duplex->isChoiceConflicted("Duplex:DuplexTumble", "KRStaple", "Front", ctx->host.ppd));
    EXPECT_TRUE(
        duplex->isChoiceConflicted("Duplex:DuplexTumble", "KRStaple", "Rear", ctx->host.ppd));
    EXPECT_FALSE(duplex->isChoiceConflicted("Duplex:None", "KRStaple", "Rear", ctx->host.ppd));
    EXPECT_TRUE(duplex->ConvertFromPresetIndex(2));
    EXPECT_EQ(duplex->GetValue(), 3);
    EXPECT_FALSE(duplex->ConvertFromPresetIndex(3));
    EXPECT_EQ(duplex->GetValue(), 3);
}

} // namespace
} // namespace KESTRANE_NS
