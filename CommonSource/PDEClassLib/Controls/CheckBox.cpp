#include "CheckBox.h"

#include <QAbstractButton>
#include <QSignalBlocker>

namespace KESTRANE_NS {

CheckBox::CheckBox(QWidget* widget, const CheckBoxIniData* ini, const ControlConstrainTable* table,
                   const ControlDataAccessInfo* accessInfo, const char* userName)
    : IntegerControl(widget, ini, table, accessInfo, userName) {}

bool CheckBox::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    bool titled = InitializeTitle(bundle);
    AllocateIntegerBlocks();
    return titled;
}

bool CheckBox::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t*) {
    return InitializeTitle(bundle);
}

bool CheckBox::InitializeTitle(PDEBundleRef bundle) {
    if (!hasIniData || !iniData.titleKey)
        return true;
    auto* button = qobject_cast<QAbstractButton*>(ControlPtr);
    if (!button)
        return false;
    ctrlBundleRef = bundle;
    button->setText(LocalizedString(bundle, iniData.titleKey, TitleTable()));
    return true;
}

int CheckBox::WidgetValue() const {
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr))
        return button->isChecked() ? 1 : 0;
    return UIBlkInt();
}

void CheckBox::ShowWidgetValue(int value) {
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr)) {
        const QSignalBlocker block(button);
        button->setChecked(value != 0);
    }
}

int CheckBox::DoControlUpdateConstrain() {
    return ApplyUpdateList(WidgetValue(), UIBlkInt());
}
int CheckBox::DoControlConstrain() {
    return ApplyDisableLists(WidgetValue(), UIBlkInt());
}
int CheckBox::DoControlHideConstrain() {
    return ApplyHideLists(WidgetValue(), UIBlkInt());
}

bool CheckBox::SimulationUIEventHandler() {
    BaseControl::SimulationUIEventHandler();
    GetValueFromUI();
    return true;
}

} // namespace KESTRANE_NS
