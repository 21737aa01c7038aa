// A check box bound to a Boolean PPD option: value 1 marks the option's
// "True" choice and 0 its "False" choice, whatever their order in the PPD. It
// writes no ticket key; the choice travels as a PPD option of the job.
#pragma once

#include "CheckBox.h"
#include "PPDBoundControl.h"

namespace KESTRANE_NS {

extern template class PPDBoundControl<CheckBox>;

class PPDCheckBox : public PPDBoundControl<CheckBox> {
public:
    // PPDCheckBox:ppdKey:IniData:Constrain:AccessInfo:usernamein:
    PPDCheckBox(QWidget* widget, const char* ppdKey, const CheckBoxIniData* iniData,
                const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InitializeTitle(PDEBundleRef bundle) override;
    // Marks the choice of a value (1 "True", 0 "False") in the PPD and reports
    // it to the host.
    bool PPDMarkOptionByIndex(ppd_file_t* ppd, int value);
    bool SetPPD(ppd_file_t* ppd) override;
    // The value of a default choice keyword; false without one.
    bool GetDefaultValueFromPPD(ppd_file_t* ppd, int* value);
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

    // The choice of the option for a value, or null.
    ppd_choice_t* ChoiceForValue(int value) const;

protected:
    bool MarkedValue(ppd_file_t* ppd, int& value) override;
};

} // namespace KESTRANE_NS
