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
    : PPDBoundControl(widget, key, ini, table, accessInfo, userName) {}

bool PPDPopupControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    BindPPDOption(ppd);
    InitializeMenu(bundle, ppd);
    AllocateIntegerBlocks();
    return true;
}

bool PPDPopupControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    BindPPDOption(ppd);
    return InitializeMenu(bundle, ppd);
}

bool PPDPopupControl::InitializeMenu(PDEBundleRef, ppd_file_t* ppd) {
    // Without the constraint index the control skips its PPD initialisation.
    if (!FillPPDInfoList(ppd, ppdInfoList))
        return false;
    ReInitializeMenu(ppdInfoList);
    if (QComboBox* combo = GetComboBox()) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
    int value = 0;
    if (GetDefaultValueFromPPD(ppd, &value))
        TakeDefaultValue(value);
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
    int index = WidgetValue() - 1;
    if (!m_ptPPDOptions || index < 0 || index >= m_ptPPDOptions->num_choices)
        return false;
    return MarkChoice(ppd, m_ptPPDOptions->choices[index].choice);
}

// The choice travels as a PPD mark, so what is marked now is the value; the
// option's default stands in when nothing is marked.
bool PPDPopupControl::MarkedValue(ppd_file_t* ppd, int& value) {
    int index = GetIndexOfMarkedOptionWithKey(nullptr, ppd, ppdKey.c_str());
    if (index < 0)
        return false;
    value = index + 1;
    return true;
}

int PPDPopupControl::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    if (!FillPPDInfoList(ppd, ppdInfoList))
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
