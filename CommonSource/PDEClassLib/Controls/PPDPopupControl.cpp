#include "PPDPopupControl.h"

#include "BasePrintPanel.h"
#include "XPPD.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <cstring>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

PPDPopupControl::PPDPopupControl(QWidget* widget, const char* key, const PopupIniData* ini,
                                 const ControlConstrainTable* table,
                                 const ControlDataAccessInfo* accessInfo, const char* userName)
    : PopupControl(widget, ini, table, accessInfo, userName) {
    if (key)
        ppdKey.assign(key, strnlen(key, 255));
}

ppd_file_t* PPDPopupControl::PanelPPD() const {
    return ctrlParentPanelPtr ? ctrlParentPanelPtr->GetCurrentPPD() : nullptr;
}

void PPDPopupControl::BindPPDOption(ppd_file_t* ppd) {
    m_ptPPDOptions = ppd && !ppdKey.empty() ? ppdFindOption(ppd, ppdKey.c_str()) : nullptr;
    m_paPPDChoices = ArrayFromPPDOption(m_ptPPDOptions).value_or(std::vector<PDEChoice>{});
}

bool PPDPopupControl::FillPPDInfoList(ppd_file_t* ppd) {
    CQuickXPPDIndex* index = ctrlParentPanelPtr ? ctrlParentPanelPtr->Getxppd() : nullptr;
    ppdInfoList.clear();
    if (!ppd || !index || ppdKey.empty())
        return false;
    InitializeValueFromPPD(ppd, *index, &ppdInfoList, ppdKey.c_str());
    return true;
}

bool PPDPopupControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    BindPPDOption(ppd);
    InitializeMenu(bundle, ppd);
    AllocateValueBlocks(4);
    ctrlDataSize = 4;
    return true;
}

bool PPDPopupControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    BindPPDOption(ppd);
    return InitializeMenu(bundle, ppd);
}

bool PPDPopupControl::InitializeMenu(PDEBundleRef, ppd_file_t* ppd) {
    // Without the constraint index the control skips its PPD initialisation.
    if (!FillPPDInfoList(ppd))
        return false;
    ReInitializeMenu(ppdInfoList);
    if (QComboBox* combo = GetComboBox()) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
    int value = 0;
    if (GetDefaultValueFromPPD(ppd, &value)) {
        iniData.defaultValue = static_cast<uint32_t>(value);
        hasIniData = true;
    }
    std::optional<std::string> title;
    GetUITitleFromPPD(ppd, ppdKey.c_str(), title);
    optionTitle = title ? QString::fromStdString(*title) : QString();
    return true;
}

void PPDPopupControl::ReInitializeMenu(const PPDUIList& list) {
    QComboBox* combo = GetComboBox();
    if (!combo)
        return;
    const QSignalBlocker block(combo);
    int current = combo->currentIndex();
    combo->clear();
    for (const PPDUIListEntry& entry : list)
        combo->addItem(QString::fromStdString(entry[2]), QString::fromStdString(entry[1]));
    for (size_t i = 0; i < list.size(); ++i)
        SetItemEnabled(static_cast<int>(i), list[i][3] != kConflictTrue);
    if (current >= 0 && current < combo->count())
        combo->setCurrentIndex(current);
}

bool PPDPopupControl::GetDefaultValueFromPPD(ppd_file_t* ppd, int* value) {
    if (!ppd || !value)
        return false;
    int index = GetUIDefaultValueFromPPD(ppd, ppdKey.c_str());
    if (index < 0)
        return false;
    *value = index + 1;
    return true;
}

bool PPDPopupControl::SetPPD(ppd_file_t* ppd) {
    if (!ppd || ppdKey.empty())
        return false;
    if (!m_ptPPDOptions)
        BindPPDOption(ppd);
    int index = SelectedValue() - 1;
    if (!m_ptPPDOptions || index < 0 || index >= m_ptPPDOptions->num_choices)
        return false;
    const char* choice = m_ptPPDOptions->choices[index].choice;
    MarkPPDChoice(ppd, ppdKey.c_str(), choice);
    if (ctrlParentPanelPtr)
        ReportPPDChoice(ctrlParentPanelPtr->GetCurrentPDECallbackObj(), ppdKey.c_str(), choice);
    return true;
}

bool PPDPopupControl::UIEventHandler() {
    PopupControl::UIEventHandler();
    ppd_file_t* ppd = PanelPPD();
    SetPPD(ppd);
    if (ctrlParentPanelPtr && ppd)
        ctrlParentPanelPtr->UpdateConflictsPanelControlFromPPD(ppd);
    return true;
}

bool PPDPopupControl::GetValueToPreset() {
    if (ctrlDataAccessInfoPtr && ctrlDataAccessInfoPtr->ticketKey)
        return PopupControl::GetValueToPreset();
    // The choice travels as a PPD mark, so what is marked now is the value;
    // the option's default stands in when nothing is marked.
    ppd_file_t* ppd = PanelPPD();
    if (!ppd || ppdKey.empty() || ctrlDataBlkPtr.empty())
        return false;
    int index = GetIndexOfMarkedOptionWithKey(nullptr, ppd, ppdKey.c_str());
    if (index < 0)
        return false;
    SetControlBlkInt(index + 1);
    return true;
}

int PPDPopupControl::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    if (!FillPPDInfoList(ppd))
        return 0;
    for (size_t i = 0; i < ppdInfoList.size(); ++i)
        SetItemEnabled(static_cast<int>(i), ppdInfoList[i][3] != kConflictTrue);
    return 0;
}

bool PPDPopupControl::ConvertFromPresetIndex(int index) {
    if (index < 0 || static_cast<size_t>(index) >= ppdInfoList.size())
        return false;
    SetControlBlkInt(index + 1);
    return true;
}

bool PPDPopupControl::ToGetSummaryText() {
    return ctrlConstrainCount <= 0 && ctrlHideCount <= 0;
}

int PPDPopupControl::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (!ToGetSummaryText() || ctrlDataBlkPtr.empty())
        return 0;
    int index = ControlBlkInt() - 1;
    if (index < 0 || static_cast<size_t>(index) >= ppdInfoList.size())
        return 0;
    dict.insert(optionTitle, QString::fromStdString(ppdInfoList[static_cast<size_t>(index)][2]));
    orderArray.append(optionTitle);
    return 0;
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
