#include "PopupControl.h"

#include "BasePrintPanel.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <cstring>

namespace KESTRANE_NS {

PopupControl::PopupControl(QWidget* widget, const PopupIniData* ini,
                           const ControlConstrainTable* table,
                           const ControlDataAccessInfo* accessInfo, const char* userName)
    : IntegerControl(widget, ini, table, accessInfo, userName) {}

QComboBox* PopupControl::GetComboBox() const {
    return qobject_cast<QComboBox*>(ControlPtr);
}

bool PopupControl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    InitializeMenu(bundle, ppd);
    AllocateIntegerBlocks();
    return true;
}

bool PopupControl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    return InitializeMenu(bundle, ppd);
}

bool PopupControl::InitializeMenu(PDEBundleRef bundle, ppd_file_t*) {
    QComboBox* combo = GetComboBox();
    if (!combo || !hasIniData || !iniData.itemKeys)
        return false;
    const QSignalBlocker block(combo);
    combo->clear();
    for (const char* const* key = iniData.itemKeys; *key; ++key) {
        QString text = LocalizedString(bundle, *key, LocalizeTableName);
        if (text == QLatin1String(kNoTranslation))
            text = QString::fromUtf8(*key);
        combo->addItem(text, QString::fromUtf8(*key));
    }
    return true;
}

void PopupControl::SetItemEnabled(int index, bool enabled) {
    QComboBox* combo = GetComboBox();
    auto* model = combo ? qobject_cast<QStandardItemModel*>(combo->model()) : nullptr;
    if (!model)
        return;
    if (QStandardItem* item = model->item(index))
        item->setEnabled(enabled);
}

bool PopupControl::IsItemEnabled(int index) const {
    QComboBox* combo = GetComboBox();
    auto* model = combo ? qobject_cast<QStandardItemModel*>(combo->model()) : nullptr;
    QStandardItem* item = model ? model->item(index) : nullptr;
    return item && item->isEnabled();
}

int PopupControl::WidgetValue() const {
    if (QComboBox* combo = GetComboBox())
        return combo->currentIndex() + 1;
    return UIBlkInt();
}

void PopupControl::ShowWidgetValue(int value) {
    if (QComboBox* combo = GetComboBox()) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(value >= 1 && value <= combo->count() ? value - 1 : -1);
    }
}

int PopupControl::DoControlUpdateConstrain() {
    return ApplyUpdateList(WidgetValue() - 1, UIBlkInt() - 1);
}

int PopupControl::DoControlConstrain() {
    if (!ctrlConstrainControlArray)
        return 0;
    int oldValue = UIBlkInt();
    int newValue = WidgetValue();
    // Unlike the other controls, the old item's list is released before the
    // new one takes hold.
    if (oldValue > 0)
        EnableControlConstrains(
            GetConstrainList(ctrlConstrainControlArray->disableLists, oldValue - 1));
    SetUIBlkInt(newValue);
    DisableControlConstrains(
        GetConstrainList(ctrlConstrainControlArray->disableLists, newValue - 1));
    return 0;
}

int PopupControl::DoControlHideConstrain() {
    return ApplyHideLists(WidgetValue() - 1, UIBlkInt() - 1);
}

bool PopupControl::SimulationUIEventHandler() {
    BaseControl::SimulationUIEventHandler();
    GetValueFromUI();
    return true;
}

bool PopupControl::isChoiceConflicted(const char* key, const char* option, const char* choice,
                                      ppd_file_t* ppd) {
    CQuickXPPDIndex* index = ctrlParentPanelPtr ? ctrlParentPanelPtr->Getxppd() : nullptr;
    if (!index || !key || !option || !choice || !ppd)
        return false;
    auto range = index->equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        const x_constraints& pos = it->second;
        if (pos.group < 0 || pos.group >= ppd->num_groups)
            continue;
        ppd_group_t& group = ppd->groups[pos.group];
        if (pos.option < 0 || pos.option >= group.num_options)
            continue;
        ppd_option_t& opt = group.options[pos.option];
        if (pos.choice < 0 || pos.choice >= opt.num_choices)
            continue;
        if (std::strcmp(opt.keyword, option) == 0 &&
            std::strcmp(opt.choices[pos.choice].choice, choice) == 0)
            return true;
    }
    return false;
}

void PopupControl::RequestPopupList() {
    UIEventHandler();
    GetValueFromUI();
}

} // namespace KESTRANE_NS
