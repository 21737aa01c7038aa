#include "FinishingControls.h"

#include "FinishingTags.h"
#include "PrintFeaturesPDEmtk.h"

#include <QAbstractButton>
#include <QComboBox>

namespace KESTRANE_NS {

namespace {

const CheckBoxIniData kPPDSwitchIni = {0, 0, 0, nullptr};
const PopupIniData kPPDListIni = {0, 1, 1, nullptr};

const ControlDataAccessInfo kSeparatorListAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.SeparatorPageListTicket", nullptr};
const ControlDataAccessInfo kOffsetStackingAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.OffsetStackingListTicket", nullptr};
const ControlDataAccessInfo kBookletSwitchAccess = {
    kControlValueTypeInteger, kControlValueTypeInteger,
    "com.kestrane.mtz.printsettings.BookletMarginSwitchTicket",
    "com.kestrane.mtz.printsettings.BookletMarginSwitchTicket"};
const CheckBoxIniData kBookletSwitchIni = {0, 0, 0, "Booklet Margin Title"};

// The offset-stacking entries that have a window of their own.
constexpr int kOffsetEveryPages = 4;
constexpr int kOffsetEveryCopies = 5;

} // namespace

template <typename Base> FeaturesJobRule FeaturesPPDControl<Base>::Rule() const {
    return JobRuleForKey(this->ppdKey, panel->getPrintTypeMailbox(), panel->getSpecialPage());
}

template <typename Base> void FeaturesPPDControl<Base>::HoldDefault(bool report) {
    ppd_file_t* ppd = this->PanelPPD();
    int value = 0;
    if (!ppd || this->ctrlDataBlkPtr.empty() || !this->GetDefaultValueFromPPD(ppd, &value))
        return;
    this->SetControlBlkInt(value);
    this->SetUIBlkInt(value);
    this->ShowWidgetValue(value);
    if (report)
        this->SetPPD(ppd);
}

template <typename Base> void FeaturesPPDControl<Base>::ChooseValue(int value) {
    this->ShowWidgetValue(value);
    this->GetValueFromUI();
    SetValueFromUIToControl();
    this->SetPPD(this->PanelPPD());
}

template <typename Base> bool FeaturesPPDControl<Base>::GetValueToPreset() {
    ppd_file_t* ppd = this->PanelPPD();
    int value = 0;
    if (!ppd || this->ctrlDataBlkPtr.empty() || !this->MarkedValue(ppd, value))
        return false;
    this->SetControlBlkInt(value);
    if (Rule().restore)
        HoldDefault(true);
    return true;
}

template <typename Base> void FeaturesPPDControl<Base>::SetValueFromUIToControl() {
    Base::SetValueFromUIToControl();
    if (Rule().restore)
        HoldDefault(true);
}

template <typename Base> bool FeaturesPPDControl<Base>::UIEventHandler() {
    this->GetValueFromUI();
    return Base::UIEventHandler();
}

template class FeaturesPPDControl<PPDPopupControlExt>;
template class FeaturesPPDControl<PPDCheckBoxExt>;

PFListMN::PFListMN(PrintFeaturesPDEmtk* owner, const PPDControlPlacement& placement,
                   const char* key, const ControlDataAccessInfo* access)
    : FeaturesPPDControl(owner, placement, key, &kPPDListIni, access) {}

std::string PFListMN::SelectedChoice() const {
    const int index = WidgetValue() - 1;
    if (!m_ptPPDOptions || index < 0 || index >= m_ptPPDOptions->num_choices)
        return {};
    return m_ptPPDOptions->choices[index].choice;
}

int PFListMN::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    PPDPopupControlExt::UpdateConflictsPanelControlFromPPD(ppd);
    if (!ControlPtr)
        return 0;
    const FeaturesJobRule rule = Rule();
    const bool extra = ExtraEnabled();
    if (rule.restore || !extra)
        HoldDefault(true);
    ControlPtr->setEnabled(!rule.disable && extra);
    return 0;
}

int PFListMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (!ControlPtr)
        return 0;
    if (Rule().restore)
        HoldDefault(false);
    return PPDPopupControlExt::GetSummaryText(dict, orderArray);
}

PFListExtMN::PFListExtMN(PrintFeaturesPDEmtk* owner, const PPDControlPlacement& placement)
    : PFListMN(owner, placement, KPPDIntSheet, &kSeparatorListAccess) {}

bool PFListExtMN::SetValueToTicket(PMPrintSettings settings, bool lock) {
    return ControlPtr && BaseSetValueToTicket(settings, lock);
}

bool PFListExtMN::UIEventHandler() {
    PFListMN::UIEventHandler();
    if (WidgetValue() > 1)
        panel->OpenOptionWindow(FinishingWindow::Separator);
    return true;
}

bool PFCoverTypeListMN::ExtraEnabled() const {
    return panel->IsAnySheetFromMSI();
}

PFOffsetStackingListCtrlMN::PFOffsetStackingListCtrlMN(PrintFeaturesPDEmtk* owner,
                                                       const PPDControlPlacement& placement)
    : PFListMN(owner, placement, KPPDKVJog, &kOffsetStackingAccess) {}

bool PFOffsetStackingListCtrlMN::SetValueToTicket(PMPrintSettings settings, bool lock) {
    return ControlPtr && BaseSetValueToTicket(settings, lock);
}

bool PFOffsetStackingListCtrlMN::UIEventHandler() {
    PFListMN::UIEventHandler();
    if (WidgetValue() == kOffsetEveryPages)
        panel->OpenOptionWindow(FinishingWindow::OffsetPages);
    else if (WidgetValue() == kOffsetEveryCopies)
        panel->OpenOptionWindow(FinishingWindow::OffsetCopies);
    return true;
}

PFCheckBoxMN::PFCheckBoxMN(PrintFeaturesPDEmtk* owner, const PPDControlPlacement& placement,
                           const char* key, const ControlDataAccessInfo* access)
    : FeaturesPPDControl(owner, placement, key, &kPPDSwitchIni, access) {}

int PFCheckBoxMN::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    const FeaturesJobRule rule = Rule();
    if (rule.restore)
        HoldDefault(true);
    PPDCheckBoxExt::UpdateConflictsPanelControlFromPPD(ppd);
    if (ControlPtr && rule.disable)
        ControlPtr->setEnabled(false);
    return 0;
}

PFCheckBoxExtMN::PFCheckBoxExtMN(PrintFeaturesPDEmtk* owner, const PPDControlPlacement& placement,
                                 const char* key, const ControlDataAccessInfo* access)
    : PFCheckBoxMN(owner, placement, key, access) {}

bool PFCheckBoxExtMN::SetValueToTicket(PMPrintSettings settings, bool lock) {
    return ControlPtr && BaseSetValueToTicket(settings, lock);
}

PFNonPPDCheckBoxMN::PFNonPPDCheckBoxMN(PrintFeaturesPDEmtk* owner, QWidget* widget)
    : CheckBox(widget, &kBookletSwitchIni, nullptr, &kBookletSwitchAccess, nullptr), panel(owner) {}

bool PFNonPPDCheckBoxMN::UIEventHandler() {
    CheckBox::UIEventHandler();
    GetValueFromUI();
    panel->UpdateSetupButtons();
    return true;
}

int PFNonPPDCheckBoxMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (!ControlPtr || ctrlDataBlkPtr.empty())
        return 0;
    QString title = LocalizedText("Booklet Margin Title");
    dict.insert(title, LocalizedText(ControlBlkInt() ? "On" : "Off"));
    orderArray.append(title);
    return 0;
}

void PFNonPPDCheckBoxMN::SwitchOff() {
    ShowWidgetValue(0);
    GetValueFromUI();
    SetValueFromUIToControl();
}

PFGroupListMN::PFGroupListMN(PrintFeaturesPDEmtk* owner, QWidget* widget)
    : PopupControl(widget, &kPPDListIni, nullptr, nullptr, nullptr), panel(owner) {}

bool PFGroupListMN::InitializeMenu(PDEBundleRef, ppd_file_t*) {
    QComboBox* combo = GetComboBox();
    if (!combo)
        return false;
    combo->clear();
    for (const QString& name : panel->getGroupNameStrArrayRef())
        combo->addItem(name, name);
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    return true;
}

bool PFGroupListMN::UIEventHandler() {
    GetValueFromUI();
    ShowPage(WidgetValue() - 1);
    return true;
}

bool PFGroupListMN::SimulationUIEventHandler() {
    PopupControl::SimulationUIEventHandler();
    ShowPage(WidgetValue() - 1);
    return true;
}

void PFGroupListMN::ShowPage(int page) {
    panel->ShowGroupPage(page < 0 ? 0 : page);
}

} // namespace KESTRANE_NS
