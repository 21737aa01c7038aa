// A check box: value 0 or 1, the value index is the check state.
#pragma once

#include "IntegerControl.h"

namespace KESTRANE_NS {

class CheckBox : public IntegerControl<CheckBoxIniData> {
public:
    // CheckBox:IniData:Constrain:AccessInfo:usernamein:
    CheckBox(QWidget* widget, const CheckBoxIniData* iniData, const ControlConstrainTable* table,
             const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual bool InitializeTitle(PDEBundleRef bundle);
    int DoControlUpdateConstrain() override;
    int DoControlConstrain() override;
    int DoControlHideConstrain() override;
    bool SimulationUIEventHandler() override;
    int GetCurrentControlArrayNumber() override { return WidgetValue(); }

protected:
    // The widget's check state, or the UI value without a widget.
    int WidgetValue() const override;
    void ShowWidgetValue(int value) override;
    const QString& TitleTable() const { return useDefaultTable ? emptyTable : LocalizeTableName; }

    bool useDefaultTable = false;
    QString emptyTable;
};

} // namespace KESTRANE_NS
