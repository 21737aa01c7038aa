#include "PPDBoundControl.h"

#include "BasePrintPanel.h"
#include "CheckBox.h"
#include "PopupControl.h"
#include "XPPD.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

template <typename Control> ppd_file_t* PPDBoundControl<Control>::PanelPPD() const {
    return this->ctrlParentPanelPtr ? this->ctrlParentPanelPtr->GetCurrentPPD() : nullptr;
}

template <typename Control> void PPDBoundControl<Control>::BindPPDOption(ppd_file_t* ppd) {
    this->m_ptPPDOptions = ppd && !ppdKey.empty() ? ppdFindOption(ppd, ppdKey.c_str()) : nullptr;
    this->m_paPPDChoices =
        ArrayFromPPDOption(this->m_ptPPDOptions).value_or(std::vector<PDEChoice>{});
}

template <typename Control>
bool PPDBoundControl<Control>::MarkChoice(ppd_file_t* ppd, const char* choice) {
    if (!ppd || ppdKey.empty() || !choice)
        return false;
    MarkPPDChoice(ppd, ppdKey.c_str(), choice);
    if (this->ctrlParentPanelPtr)
        ReportPPDChoice(this->ctrlParentPanelPtr->GetCurrentPDECallbackObj(), ppdKey.c_str(),
                        choice);
    return true;
}

template <typename Control>
bool PPDBoundControl<Control>::FillPPDInfoList(ppd_file_t* ppd, PPDUIList& list) const {
    BasePrintPanel* panel = this->ctrlParentPanelPtr;
    CQuickXPPDIndex* index = panel ? panel->Getxppd() : nullptr;
    list.clear();
    if (!ppd || !index || ppdKey.empty())
        return false;
    InitializeValueFromPPD(ppd, *index, &list, ppdKey.c_str());
    return true;
}

template <typename Control> void PPDBoundControl<Control>::TakeDefaultValue(int value) {
    this->iniData.defaultValue = static_cast<uint32_t>(value);
    this->hasIniData = true;
}

template <typename Control> bool PPDBoundControl<Control>::UIEventHandler() {
    Control::UIEventHandler();
    ppd_file_t* ppd = PanelPPD();
    SetPPD(ppd);
    if (this->ctrlParentPanelPtr && ppd)
        this->ctrlParentPanelPtr->UpdateConflictsPanelControlFromPPD(ppd);
    return true;
}

template <typename Control> bool PPDBoundControl<Control>::GetValueToPreset() {
    if (this->ctrlDataAccessInfoPtr && this->ctrlDataAccessInfoPtr->ticketKey)
        return Control::GetValueToPreset();
    ppd_file_t* ppd = PanelPPD();
    int value = 0;
    if (!ppd || ppdKey.empty() || this->ctrlDataBlkPtr.empty() || !MarkedValue(ppd, value))
        return false;
    this->SetControlBlkInt(value);
    return true;
}

template class PPDBoundControl<CheckBox>;
template class PPDBoundControl<PopupControl>;

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
