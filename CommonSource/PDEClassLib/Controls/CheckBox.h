// A check box: value 0 or 1, the value index is the check state.
#pragma once

#include "BaseControl.h"

namespace KESTRANE_NS {

class CheckBox : public BaseControl {
public:
    // CheckBox:IniData:Constrain:AccessInfo:usernamein:
    CheckBox(QWidget* widget, const CheckBoxIniData* iniData, const ControlConstrainTable* table,
             const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual bool InitializeTitle(PDEBundleRef bundle);
    bool SetControlValueToUI() override;
    bool SetExternalValueToUI(const void* value, uint32_t size) override;
    void SetValueFromUIToControl() override;
    uint8_t* GetValueFromUI() override;
    uint8_t* GetValueFromControl() override { return GetControlBlkPtr(); }
    bool ConvertToTickectData(std::string& out) override;
    bool GetValueToPreset() override;
    bool ConvertFromPreferenceString(const std::string& text) override;
    bool ConvertToPreferenceString(std::string& out) override;
    const void* GetDefaultDataBlk() const override;
    uint32_t GetDefaultDataSize() const override { return hasIniData ? 4 : 0; }
    const void* GetIniDataBlk() const override;
    uint32_t GetIniDataSize() const override { return hasIniData ? 4 : 0; }
    int DoControlUpdateConstrain() override;
    int DoControlConstrain() override;
    int DoControlHideConstrain() override;
    bool SimulationUIEventHandler() override;
    int GetCurrentControlArrayNumber() override { return WidgetState(); }

    // The committed value (0 or 1).
    int GetValue() const { return ControlBlkInt(); }

protected:
    // The widget's check state, or the UI value without a widget.
    virtual int WidgetState() const;
    virtual void SetWidgetState(int value);
    const QString& TitleTable() const { return useDefaultTable ? emptyTable : LocalizeTableName; }

    CheckBoxIniData iniData;
    bool hasIniData = false;
    bool useDefaultTable = false;
    QString emptyTable;
};

} // namespace KESTRANE_NS
