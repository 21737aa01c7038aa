#include "LittleArrayOlvar.h"

#include "NumberUnit.h"

#include <QSignalBlocker>
#include <QSpinBox>

namespace KESTRANE_NS {

LittleArrayOlvar::LittleArrayOlvar(QWidget* widget, const LittleArrayOlvarIniData* ini,
                                   const ControlConstrainTable* table,
                                   const ControlDataAccessInfo* accessInfo, const char* userName,
                                   const QString& title)
    : IntegerControl(widget, ini, table, accessInfo, userName), titleString(title) {
    if (ini)
        lastValue = ini->defaultValue;
}

bool LittleArrayOlvar::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    if (hasIniData)
        SetRange(iniData.minimum, iniData.maximum);
    AllocateIntegerBlocks();
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

void LittleArrayOlvar::ShowWidgetValue(int value) {
    if (auto* spin = qobject_cast<QSpinBox*>(ControlPtr)) {
        const QSignalBlocker block(spin);
        spin->setValue(value);
    }
}

void LittleArrayOlvar::SetValueFromUIToControl() {
    IntegerControl::SetValueFromUIToControl();
    if (ControlPtr)
        lastValue = UIBlkInt();
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
