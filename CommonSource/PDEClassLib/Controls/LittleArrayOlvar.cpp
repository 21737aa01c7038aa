#include "LittleArrayOlvar.h"

#include "BasePrintPanel.h"
#include "NumberUnit.h"

#include <QSignalBlocker>
#include <QSpinBox>

#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

LittleArrayOlvar::LittleArrayOlvar(QWidget* widget, const LittleArrayOlvarIniData* ini,
                                   const ControlConstrainTable* table,
                                   const ControlDataAccessInfo* accessInfo, const char* userName,
                                   const QString& title)
    : titleString(title) {
    CreateControl(widget);
    if (ini) {
        iniData = *ini;
        hasIniData = true;
        lastValue = ini->defaultValue;
    }
    StoreRecords(table, accessInfo, userName);
    ctrlDataSize = 4;
}

bool LittleArrayOlvar::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    if (hasIniData)
        SetRange(iniData.minimum, iniData.maximum);
    AllocateValueBlocks(4);
    ctrlDataSize = 4;
    return true;
}

void LittleArrayOlvar::SetRange(int minimum, int maximum) {
    if (auto* spin = qobject_cast<QSpinBox*>(ControlPtr)) {
        const QSignalBlocker block(spin);
        spin->setRange(minimum, maximum);
    }
}

bool LittleArrayOlvar::IsInRange(int value) const {
    return hasIniData && iniData.minimum <= value && value <= iniData.maximum;
}

int LittleArrayOlvar::WidgetValue() const {
    if (auto* spin = qobject_cast<QSpinBox*>(ControlPtr))
        return spin->value();
    return UIBlkInt();
}

bool LittleArrayOlvar::SetControlValueToUI() {
    if (auto* spin = qobject_cast<QSpinBox*>(ControlPtr)) {
        const QSignalBlocker block(spin);
        spin->setValue(ControlBlkInt());
    }
    return true;
}

bool LittleArrayOlvar::SetExternalValueToUI(const void* value, uint32_t) {
    auto* spin = qobject_cast<QSpinBox*>(ControlPtr);
    if (!spin || !IsWidgetEnabled(spin) || !value)
        return false;
    int32_t v;
    std::memcpy(&v, value, sizeof v);
    const QSignalBlocker block(spin);
    spin->setValue(v);
    return true;
}

void LittleArrayOlvar::SetValueFromUIToControl() {
    if (ControlPtr) {
        SetControlBlkInt(UIBlkInt());
        lastValue = UIBlkInt();
    }
}

uint8_t* LittleArrayOlvar::GetValueFromUI() {
    SetUIBlkInt(WidgetValue());
    return GetValueFromUIDataBlk();
}

bool LittleArrayOlvar::ConvertToTickectData(std::string& out) {
    out = std::to_string(ControlBlkInt());
    return true;
}

bool LittleArrayOlvar::GetValueToPreset() {
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

bool LittleArrayOlvar::ConvertFromPreferenceString(const std::string& text) {
    SetControlBlkInt(std::atoi(text.c_str()));
    return true;
}

bool LittleArrayOlvar::ConvertToPreferenceString(std::string& out) {
    out = std::to_string(ControlBlkInt());
    return true;
}

const void* LittleArrayOlvar::GetDefaultDataBlk() const {
    return hasIniData ? &iniData.defaultValue : nullptr;
}

const void* LittleArrayOlvar::GetIniDataBlk() const {
    return hasIniData ? &iniData.initialValue : nullptr;
}

bool LittleArrayOlvar::SetValueToTicket(PMPrintSettings settings, bool lock) {
    // A value outside the range never reaches the printer.
    if (!IsInRange(ControlBlkInt()))
        return false;
    return BaseControl::SetValueToTicket(settings, lock);
}

int LittleArrayOlvar::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (!ToGetSummaryText() || ctrlDataBlkPtr.empty())
        return 0;
    char text[32] = {};
    ConvertIntToFloatStr(ControlBlkInt(), text, sizeof text);
    dict.insert(titleString, QString::fromUtf8(text));
    orderArray.append(titleString);
    return 0;
}

} // namespace KESTRANE_NS
