// The finishing panel's controls over the framework's run-time PPD controls:
// lists and switches that follow the job type and the special pages, the
// extras that also write a ticket key and open option windows, the booklet
// margin switch and the group pop-up.
#pragma once

#include "CheckBox.h"
#include "FinishingKeys.h"
#include "PPDControlsExt.h"
#include "PopupControl.h"

namespace KESTRANE_NS {

class PrintFeaturesPDEmtk;

// What the panel's PPD controls add to the framework's run-time ones: their
// value is the PPD mark, so the panel never shows another choice than the
// job carries, and the job type and the special pages may grey them or hold
// them at the PPD default.
template <typename Base> class FeaturesPPDControl : public Base {
public:
    template <typename IniRecord>
    FeaturesPPDControl(PrintFeaturesPDEmtk* owner, const PPDControlPlacement& placement,
                       const char* key, const IniRecord* ini, const ControlDataAccessInfo* access)
        : Base(placement, key, ini, nullptr, access, nullptr), panel(owner) {}

    bool GetValueToPreset() override;
    bool GetValueFromPreference() override { return GetValueToPreset(); }
    void SetValueFromUIToControl() override;
    bool UIEventHandler() override;
    // Shows, keeps and reports a value, as a person's choice.
    void ChooseValue(int value);
    // A held option shows, keeps and reports the PPD default.
    void HoldDefault(bool report);

protected:
    FeaturesJobRule Rule() const;

    PrintFeaturesPDEmtk* panel;
};

extern template class FeaturesPPDControl<PPDPopupControlExt>;
extern template class FeaturesPPDControl<PPDCheckBoxExt>;

// A pick-one PPD option.
class PFListMN : public FeaturesPPDControl<PPDPopupControlExt> {
public:
    PFListMN(PrintFeaturesPDEmtk* panel, const PPDControlPlacement& placement, const char* key,
             const ControlDataAccessInfo* access = nullptr);

    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    // The keyword of the selected choice; empty without one.
    std::string SelectedChoice() const;

protected:
    virtual bool ExtraEnabled() const { return true; }
};

// The separator list (PPD option with its own ticket key); a choice above the
// first opens the separator window at once.
class PFListExtMN : public PFListMN {
public:
    PFListExtMN(PrintFeaturesPDEmtk* panel, const PPDControlPlacement& placement);
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;
    using PFListMN::SetValueToTicket;
    bool UIEventHandler() override;
};

// Front and back cover lists; their choice decides the inserted-sheet type.
class PFCoverListMN : public PFListMN {
public:
    using PFListMN::PFListMN;
};

// The paper type of inserted sheets: usable only while a cover or separator
// list feeds from the multi-purpose tray ("MSI").
class PFCoverTypeListMN : public PFListMN {
public:
    using PFListMN::PFListMN;

protected:
    bool ExtraEnabled() const override;
};

// The offset-stacking list ("KRJog"): 4 offsets every N pages, 5 every N
// copies; choosing either opens its window.
class PFOffsetStackingListCtrlMN : public PFListMN {
public:
    PFOffsetStackingListCtrlMN(PrintFeaturesPDEmtk* panel, const PPDControlPlacement& placement);
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;
    using PFListMN::SetValueToTicket;
    bool UIEventHandler() override;
};

// A Boolean PPD option as a check box.
class PFCheckBoxMN : public FeaturesPPDControl<PPDCheckBoxExt> {
public:
    PFCheckBoxMN(PrintFeaturesPDEmtk* panel, const PPDControlPlacement& placement, const char* key,
                 const ControlDataAccessInfo* access = nullptr);

    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
};

// The switches of the extras (tab margin shift, numbering, trimming): PPD
// option and ticket key ("1" on, "0" off).
class PFCheckBoxExtMN : public PFCheckBoxMN {
public:
    PFCheckBoxExtMN(PrintFeaturesPDEmtk* panel, const PPDControlPlacement& placement,
                    const char* key, const ControlDataAccessInfo* access);
    bool SetValueToTicket(PMPrintSettings settings, bool lock) override;
    using PFCheckBoxMN::SetValueToTicket;
};

// The booklet margin switch: no PPD option, a ticket key and a preference.
class PFNonPPDCheckBoxMN : public CheckBox {
public:
    PFNonPPDCheckBoxMN(PrintFeaturesPDEmtk* panel, QWidget* widget);
    bool UIEventHandler() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;
    void SwitchOff();

private:
    PrintFeaturesPDEmtk* panel;
};

// The group pop-up: choosing a page shows its controls and hides the others.
class PFGroupListMN : public PopupControl {
public:
    PFGroupListMN(PrintFeaturesPDEmtk* panel, QWidget* widget);
    bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) override;
    bool UIEventHandler() override;
    bool SimulationUIEventHandler() override;
    // Shows the page of the index (from 0).
    void ShowPage(int page);

private:
    PrintFeaturesPDEmtk* panel;
};

} // namespace KESTRANE_NS
