// A pop-up list: value = selected item index + 1 (0: nothing selected); the
// constraint lists are indexed by the item index.
#pragma once

#include "BaseControl.h"

class QComboBox;

namespace KESTRANE_NS {

class PopupControl : public BaseControl {
public:
    // CreateControl:IniData:ConstrainArray:AccessInfo:usernamein:
    PopupControl(QWidget* widget, const PopupIniData* iniData, const ControlConstrainTable* table,
                 const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd);
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
    int GetCurrentControlArrayNumber() override { return SelectedValue() - 1; }
    // Whether an entry of the panel's constraint index under "option:choice"
    // points at the given option and choice of the PPD.
    bool isChoiceConflicted(const char* key, const char* option, const char* choice,
                            ppd_file_t* ppd);
    void RequestPopupList();

    int GetValue() const { return ControlBlkInt(); }
    QComboBox* GetComboBox() const;
    // Enables or disables one menu item (items enable only on request).
    void SetItemEnabled(int index, bool enabled);
    bool IsItemEnabled(int index) const;

protected:
    // Selected index + 1 from the widget (the UI value without a widget).
    int SelectedValue() const;
    void SelectValue(int value);

    PopupIniData iniData;
    bool hasIniData = false;
};

} // namespace KESTRANE_NS
