// A pop-up list: value = selected item index + 1 (0: nothing selected); the
// constraint lists are indexed by the item index.
#pragma once

#include "IntegerControl.h"

class QComboBox;

namespace KESTRANE_NS {

class PopupControl : public IntegerControl<PopupIniData> {
public:
    // CreateControl:IniData:ConstrainArray:AccessInfo:usernamein:
    PopupControl(QWidget* widget, const PopupIniData* iniData, const ControlConstrainTable* table,
                 const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd);
    int DoControlUpdateConstrain() override;
    int DoControlConstrain() override;
    int DoControlHideConstrain() override;
    bool SimulationUIEventHandler() override;
    int GetCurrentControlArrayNumber() override { return WidgetValue() - 1; }
    // Whether an entry of the panel's constraint index under "option:choice"
    // points at the given option and choice of the PPD.
    bool isChoiceConflicted(const char* key, const char* option, const char* choice,
                            ppd_file_t* ppd);
    void RequestPopupList();

    QComboBox* GetComboBox() const;
    // Enables or disables one menu item (items enable only on request).
    void SetItemEnabled(int index, bool enabled);
    bool IsItemEnabled(int index) const;

protected:
    // Selected index + 1 from the widget (the UI value without a widget).
    int WidgetValue() const override;
    // Selects item value - 1; any other value clears the selection.
    void ShowWidgetValue(int value) override;
    // The same under the names the panels built on pop-up lists use.
    int SelectedValue() const { return WidgetValue(); }
    void SelectValue(int value) { ShowWidgetValue(value); }
};

} // namespace KESTRANE_NS
