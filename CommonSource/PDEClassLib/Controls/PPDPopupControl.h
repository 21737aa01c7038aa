// A pop-up list bound to a PPD option: its items are the option's choices,
// value = choice index + 1. It writes no ticket key; the chosen choice is
// marked in the PPD and reported to the host, and items that the current
// marks forbid are greyed through the panel's constraint index.
#pragma once

#include "PopupControl.h"
#include "XPPDConstraints.h"

namespace KESTRANE_NS {

class PPDPopupControl : public PopupControl {
public:
    PPDPopupControl(QWidget* widget, const char* ppdKey, const PopupIniData* iniData,
                    const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                    const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // Rebuilds the menu from the PPD information list.
    void ReInitializeMenu(const PPDUIList& list);
    bool SetValueToTicket(PMPrintSettings, bool) override { return true; }
    using PopupControl::SetValueToTicket;
    bool BaseSetValueToTicket(PMPrintSettings settings, bool lock) {
        return BaseControl::SetValueToTicket(settings, lock);
    }
    bool UIEventHandler() override;
    // Without a ticket key the value is the choice marked in the PPD.
    bool GetValueToPreset() override;
    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    // Marks the choice of a value (index + 1) and reports it to the host.
    bool SetPPD(ppd_file_t* ppd);
    bool GetDefaultValueFromPPD(ppd_file_t* ppd, int* value);
    // Stores index + 1 when the index is within the list.
    bool ConvertFromPresetIndex(int index);
    virtual bool ToGetSummaryText();
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

    const std::string& GetPPDKey() const { return ppdKey; }
    const PPDUIList& GetPPDInfoList() const { return ppdInfoList; }
    const QString& GetOptionTitle() const { return optionTitle; }

protected:
    ppd_file_t* PanelPPD() const;
    void BindPPDOption(ppd_file_t* ppd);
    bool FillPPDInfoList(ppd_file_t* ppd);

    std::string ppdKey; // at most 255 bytes
    PPDUIList ppdInfoList;
    QString optionTitle;
};

} // namespace KESTRANE_NS
