// A pop-up list bound to a PPD option: its items are the option's choices,
// value = choice index + 1. It writes no ticket key; the chosen choice is
// marked in the PPD and reported to the host, and items that the current
// marks forbid are greyed through the panel's constraint index.
#pragma once

#include "PPDBoundControl.h"
#include "PopupControl.h"

namespace KESTRANE_NS {

extern template class PPDBoundControl<PopupControl>;

class PPDPopupControl : public PPDBoundControl<PopupControl> {
public:
    PPDPopupControl(QWidget* widget, const char* ppdKey, const PopupIniData* iniData,
                    const ControlConstrainTable* table, const ControlDataAccessInfo* accessInfo,
                    const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // Rebuilds the menu from the PPD information list.
    void ReInitializeMenu(const PPDUIList& list);
    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    // Marks the choice of the shown value (index + 1).
    bool SetPPD(ppd_file_t* ppd) override;
    bool GetDefaultValueFromPPD(ppd_file_t* ppd, int* value);
    // Stores index + 1 when the index is within the list.
    bool ConvertFromPresetIndex(int index);
    virtual bool ToGetSummaryText();
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

    const PPDUIList& GetPPDInfoList() const { return ppdInfoList; }
    const QString& GetOptionTitle() const { return optionTitle; }

protected:
    // The marked choice, or the option's default when nothing is marked.
    bool MarkedValue(ppd_file_t* ppd, int& value) override;

    PPDUIList ppdInfoList;
};

} // namespace KESTRANE_NS
