#include "CheckBox.h"

#include "BasePrintPanel.h"

#include <QAbstractButton>
#include <QSignalBlocker>

#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

CheckBox::CheckBox(QWidget* widget, const CheckBoxIniData* ini, const ControlConstrainTable* table,
                   const ControlDataAccessInfo* accessInfo, const char* userName) {
    CreateControl(widget);
    if (ini) {
        iniData = *ini;
        hasIniData = true;
    }
    StoreRecords(table, accessInfo, userName);
    ctrlDataSize = 4;
}

bool CheckBox::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    bool titled = InitializeTitle(bundle);
    AllocateValueBlocks(4);
    ctrlDataSize = 4;
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

int CheckBox::WidgetState() const {
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr))
        return button->isChecked() ? 1 : 0;
    return UIBlkInt();
}

void CheckBox::SetWidgetState(int value) {
    if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr)) {
        const QSignalBlocker block(button);
        button->setChecked(value != 0);
    }
}

bool CheckBox::SetControlValueToUI() {
    SetWidgetState(ControlBlkInt());
    return true;
}

bool CheckBox::SetExternalValueToUI(const void* value, uint32_t) {
    if (!ControlPtr || !IsWidgetEnabled(ControlPtr) || !value)
        return false;
    int32_t v;
    std::memcpy(&v, value, sizeof v);
    SetWidgetState(v);
    return true;
}

void CheckBox::SetValueFromUIToControl() {
    if (ControlPtr)
        SetControlBlkInt(UIBlkInt());
}

uint8_t* CheckBox::GetValueFromUI() {
    SetUIBlkInt(WidgetState());
    return GetValueFromUIDataBlk();
}

bool CheckBox::ConvertToTickectData(std::string& out) {
    out = std::to_string(ControlBlkInt());
    return true;
}

bool CheckBox::GetValueToPreset() {
    BasePrintPanel* panel = ctrlParentPanelPtr;
    if (!panel || !panel->GetCurrentPMPrintSettings() || !ctrlDataAccessInfoPtr ||
        !ctrlDataAccessInfoPtr->ticketKey || ctrlDataBlkPtr.empty())
        return false;
    std::string text;
    if (!ReadSettingsText(panel->GetCurrentPMPrintSettings(), ctrlDataAccessInfoPtr->ticketKey,
                          text))
        return false;
    SetControlBlkInt(std::atoi(text.c_str()));
    return true;
}

bool CheckBox::ConvertFromPreferenceString(const std::string& text) {
    SetControlBlkInt(std::atoi(text.c_str()));
    return true;
}

bool CheckBox::ConvertToPreferenceString(std::string& out) {
    out = std::to_string(ControlBlkInt());
    return true;
}

const void* CheckBox::GetDefaultDataBlk() const {
    return hasIniData ? &iniData.defaultValue : nullptr;
}

const void* CheckBox::GetIniDataBlk() const {
    return hasIniData ? &iniData.initialValue : nullptr;
}

int CheckBox::DoControlUpdateConstrain() {
    return ApplyUpdateList(WidgetState(), UIBlkInt());
}
int CheckBox::DoControlConstrain() {
    return ApplyDisableLists(WidgetState(), UIBlkInt());
}
int CheckBox::DoControlHideConstrain() {
    return ApplyHideLists(WidgetState(), UIBlkInt());
}

bool CheckBox::SimulationUIEventHandler() {
    BaseControl::SimulationUIEventHandler();
    GetValueFromUI();
    return true;
}

} // namespace KESTRANE_NS
