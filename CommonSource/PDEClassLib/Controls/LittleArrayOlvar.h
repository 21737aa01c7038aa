// A stepper with a title: an integer value kept within the record's range.
#pragma once

#include "IntegerControl.h"

namespace KESTRANE_NS {

class LittleArrayOlvar : public IntegerControl<LittleArrayOlvarIniData> {
public:
    LittleArrayOlvar(QWidget* widget, const LittleArrayOlvarIniData* iniData,
                     const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                     const char* userName, const QString& title);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    void SetRange(int minimum, int maximum); // SetRange:Max:
    void SetValueFromUIToControl() override;
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;
    using BaseControl::SetValueToTicket;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    virtual bool ToGetSummaryText() { return true; }

    int GetLastValue() const { return lastValue; }
    bool IsInRange(int value) const;

protected:
    int WidgetValue() const override;
    void ShowWidgetValue(int value) override;

    QString titleString;
    int lastValue = 0;
};

} // namespace KESTRANE_NS
