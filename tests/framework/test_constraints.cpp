// Constraint lists as a person meets them: check boxes, radio groups and
// pop-up lists enabling, disabling, hiding and refreshing other controls.
#include "FrameworkTestFixture.h"

#include <cstring>

namespace KESTRANE_NS {
namespace {

using ConstraintLists = FrameworkTest;

TEST_F(ConstraintLists, ValueShownFirstAppliesItsListsOnOpen) {
    OpenPanel();
    // Check A shows 0 (initial -1): its list 0 disables "both" only.
    EXPECT_FALSE(W<QCheckBox>(kTagCheckA)->isChecked());
    EXPECT_FALSE(W<QCheckBox>(kTagCheckBoth)->isEnabled());
    EXPECT_TRUE(W<QCheckBox>(kTagCheckTarget)->isEnabled());
    EXPECT_FALSE(W<QLabel>(kTagStaticNote)->isHidden());
}

TEST_F(ConstraintLists, ControlInTwoDisableListsStaysDisabledAcrossChanges) {
    OpenPanel();
    auto* checkA = W<QCheckBox>(kTagCheckA);
    auto* target = W<QCheckBox>(kTagCheckTarget);
    auto* both = W<QCheckBox>(kTagCheckBoth);
    auto* counting = panel->Control<CountingCheckBox>(kTagCheckTarget);
    int updatesBefore = counting->updates;

    ClickButton(checkA); // 0 -> 1: list 1 disables target and both, list 0 released
    EXPECT_TRUE(checkA->isChecked());
    EXPECT_FALSE(target->isEnabled());
    EXPECT_FALSE(both->isEnabled());
    EXPECT_EQ(panel->GetPanelControl(kTagCheckBoth)->GetConstrainCount(), 1);
    EXPECT_TRUE(W<QLabel>(kTagStaticNote)->isHidden());
    EXPECT_EQ(counting->updates, updatesBefore + 1);

    QTest::keyClick(checkA, Qt::Key_Space); // 1 -> 0
    EXPECT_FALSE(checkA->isChecked());
    EXPECT_TRUE(target->isEnabled());
    EXPECT_FALSE(both->isEnabled());
    EXPECT_FALSE(W<QLabel>(kTagStaticNote)->isHidden());
    // Back to 0 refreshes nobody: list 0 has no update entry.
    EXPECT_EQ(counting->updates, updatesBefore + 1);
}

TEST_F(ConstraintLists, CountedDisableAndHideNeedEveryRelease) {
    OpenPanel();
    BaseControl* target = panel->GetPanelControl(kTagCheckTarget);
    QWidget* w = target->GetControlPtr();
    target->Disable();
    target->Disable();
    target->Enable();
    EXPECT_FALSE(w->isEnabled());
    target->Enable();
    EXPECT_TRUE(w->isEnabled());
    // A release without a matching disable must not swallow the next one.
    target->Enable();
    target->Disable();
    EXPECT_FALSE(w->isEnabled());

    target->Hide();
    target->Hide();
    target->Show();
    EXPECT_TRUE(w->isHidden());
    target->Show();
    EXPECT_FALSE(w->isHidden());

    target->Hide();
    target->ResetStatus();
    EXPECT_EQ(target->GetConstrainCount(), 0);
    EXPECT_EQ(target->GetHideCount(), 0);
    EXPECT_TRUE(w->isEnabled());
    EXPECT_FALSE(w->isHidden());
}

TEST_F(ConstraintLists, AllValuesAreShownBeforeAnyListRuns) {
    // Check A is registered after the boxes it rules; with value 1 in the
    // ticket the target still ends up disabled after the opening.
    ctx->host.settings.SetText(TicketKey("TESTCheckA"), "1");
    ctx->host.settings.SetText(TicketKey("TESTPopup"), "3");
    OpenPanel();
    EXPECT_TRUE(W<QCheckBox>(kTagCheckA)->isChecked());
    EXPECT_FALSE(W<QCheckBox>(kTagCheckTarget)->isEnabled());
    EXPECT_EQ(W<QComboBox>(kTagPopup)->currentIndex(), 2);
    EXPECT_FALSE(W<QCheckBox>(kTagCheckB)->isEnabled());
    EXPECT_FALSE(W<QCheckBox>(kTagCheckC)->isEnabled());

    // Re-evaluating from scratch gives the same picture.
    panel->ResetControlStatus();
    EXPECT_TRUE(W<QCheckBox>(kTagCheckTarget)->isEnabled());
    panel->SetUIDataToIniData();
    panel->SetCurrentValueToUI();
    EXPECT_FALSE(W<QCheckBox>(kTagCheckTarget)->isEnabled());
    EXPECT_FALSE(W<QCheckBox>(kTagCheckC)->isEnabled());
    EXPECT_EQ(panel->GetPanelControl(kTagCheckC)->GetConstrainCount(), 1);
}

TEST_F(ConstraintLists, RadioGroupFollowsClicksAndReleasesTheOtherButtonsLists) {
    OpenPanel();
    auto* one = W<QRadioButton>(kTagRadioOne);
    auto* two = W<QRadioButton>(kTagRadioTwo);
    auto* radioTwo = panel->Control<RadioButton>(kTagRadioTwo);
    // Default: the first way.
    EXPECT_TRUE(one->isChecked());
    EXPECT_EQ(panel->radioGroup.GetcurRadio(), 0);
    EXPECT_EQ(panel->radioGroup.GetRadioCount(), 2);
    EXPECT_EQ(radioTwo->GetRadioIndex(), 1);
    EXPECT_EQ(one->text(), "First way"); // default table, not the PPD's
    EXPECT_TRUE(W<QCheckBox>(kTagCheckRadioTarget)->isEnabled());

    ClickButton(two);
    EXPECT_TRUE(two->isChecked());
    EXPECT_FALSE(one->isChecked());
    EXPECT_EQ(panel->radioGroup.GetcurRadio(), 1);
    EXPECT_FALSE(W<QCheckBox>(kTagCheckRadioTarget)->isEnabled());
    // The group read every button.
    int32_t v = 0;
    std::memcpy(&v, panel->GetPanelControl(kTagRadioOne)->GetValueFromUIDataBlk(), 4);
    EXPECT_EQ(v, 0);

    ClickButton(one); // the second way's list is released with it
    EXPECT_EQ(panel->radioGroup.GetcurRadio(), 0);
    EXPECT_TRUE(W<QCheckBox>(kTagCheckRadioTarget)->isEnabled());

    Save();
    EXPECT_EQ(ctx->Ticket("TESTRadioOne"), "1");
    EXPECT_EQ(ctx->Ticket("TESTRadioTwo"), "0");
}

TEST_F(ConstraintLists, RadioGroupWithoutCurrentTakesTheFirst) {
    RadioGroup group;
    EXPECT_EQ(group.GetcurRadio(), -1);
    OpenPanel();
    panel->radioGroup.SetcurRadio(-1);
    panel->GetPanelControl(kTagRadioTwo)->SimulationUIEventHandler();
    EXPECT_EQ(panel->radioGroup.GetcurRadio(), 0);
    int32_t one = 1;
    panel->GetPanelControl(kTagRadioTwo)->setExternalValueToData(&one, 4, 2);
    EXPECT_EQ(panel->radioGroup.GetcurRadio(), 1);
}

TEST_F(ConstraintLists, PopupValueIsIndexPlusOneAndReleasesBeforeDisabling) {
    OpenPanel();
    auto* popup = W<QComboBox>(kTagPopup);
    // Items from the PPD's table; default value 1 selects the first item.
    ASSERT_EQ(popup->count(), 3);
    EXPECT_EQ(popup->itemText(1), "Bravo");
    EXPECT_EQ(popup->itemData(1).toString(), "Item B");
    EXPECT_EQ(popup->currentIndex(), 0);

    ChooseMenuItem(popup, 1);
    EXPECT_EQ(popup->currentIndex(), 1);
    EXPECT_FALSE(W<QCheckBox>(kTagCheckB)->isEnabled());
    EXPECT_TRUE(W<QCheckBox>(kTagCheckC)->isEnabled());

    // B -> C: list 1 released first, then list 2 applied; B's box is in both.
    ChooseMenuItem(popup, 2);
    EXPECT_EQ(popup->currentIndex(), 2);
    EXPECT_FALSE(W<QCheckBox>(kTagCheckB)->isEnabled());
    EXPECT_FALSE(W<QCheckBox>(kTagCheckC)->isEnabled());
    EXPECT_EQ(panel->GetPanelControl(kTagCheckB)->GetConstrainCount(), 1);

    QTest::keyClick(popup, Qt::Key_Up); // C -> B by keyboard
    EXPECT_EQ(popup->currentIndex(), 1);
    EXPECT_FALSE(W<QCheckBox>(kTagCheckB)->isEnabled());
    EXPECT_TRUE(W<QCheckBox>(kTagCheckC)->isEnabled());

    Save();
    EXPECT_EQ(ctx->Ticket("TESTPopup"), "2");
}

TEST_F(ConstraintLists, StepperKeepsItsRangeAndRefusesToWriteOutsideIt) {
    OpenPanel();
    auto* spin = W<QSpinBox>(kTagStepper);
    EXPECT_EQ(spin->minimum(), 1);
    EXPECT_EQ(spin->maximum(), 9999);
    EXPECT_EQ(spin->value(), 1); // the default
    QTest::keyClick(spin, Qt::Key_Up);
    QTest::keyClick(spin, Qt::Key_Up);
    EXPECT_EQ(spin->value(), 3);
    Save();
    EXPECT_EQ(ctx->Ticket("TESTCopies"), "3");

    auto* stepper = panel->Control<LittleArrayOlvar>(kTagStepper);
    int32_t zero = 0;
    stepper->setExternalValueToData(&zero, 4, 2);
    EXPECT_FALSE(stepper->SetValueToTicket(&ctx->host.settings, false));
    EXPECT_EQ(ctx->Ticket("TESTCopies"), "3"); // the earlier value stays
    int32_t top = 9999;
    stepper->setExternalValueToData(&top, 4, 2);
    EXPECT_TRUE(stepper->SetValueToTicket(&ctx->host.settings, false));
    EXPECT_EQ(ctx->Ticket("TESTCopies"), "9999");
}

} // namespace
} // namespace KESTRANE_NS
