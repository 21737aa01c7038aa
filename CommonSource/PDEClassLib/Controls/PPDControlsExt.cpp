#include "PPDControlsExt.h"

#include "BasePrintPanel.h"
#include "XPPD.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QSignalBlocker>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

QRect GetControlPosition(const PPDControlPlacement& placement, int height) {
    int fromBottom = GetControlPositionY(placement.position, placement.indexInPanel, height);
    int boxHeight = placement.parentGroupBox ? placement.parentGroupBox->height() : 0;
    int boxWidth = placement.parentGroupBox ? placement.parentGroupBox->width() : 0;
    int x = placement.position.p0;
    int width = boxWidth > 2 * x ? boxWidth - 2 * x : boxWidth;
    return QRect(x, boxHeight - fromBottom - height, width, height);
}

static QString WithColon(const QString& title) {
    return title + QLatin1Char(':');
}

// Puts a run-time widget into its box at its bounds.
static void PlaceWidget(QWidget* widget, const PPDControlPlacement& placement,
                        const QRect& bounds) {
    if (placement.parentGroupBox)
        widget->setParent(placement.parentGroupBox);
    widget->setGeometry(bounds);
    widget->show();
}

// Makes a new run-time widget the control's widget at its place in the box;
// returns its bounds.
static QRect AdoptWidget(BaseControl& control, QWidget* widget,
                         const PPDControlPlacement& placement) {
    QRect bounds = GetControlPosition(placement, widget->sizeHint().height());
    widget->setGeometry(bounds);
    control.SetControlPtr(widget);
    return bounds;
}

PPDCheckBoxExt::PPDCheckBoxExt(const PPDControlPlacement& where, const char* key,
                               const CheckBoxIniData* ini, const ControlConstrainTable* table,
                               const ControlDataAccessInfo* accessInfo, const char* userName)
    : PPDCheckBox(nullptr, key, ini, table, accessInfo, userName), placement(where) {
    ctrlInWhichGroup = where.group;
}

bool PPDCheckBoxExt::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    QString title = PPDStaticTextCtrl::OptionTitle(ppd, ppdKey);
    if (!title.isEmpty()) {
        optionTitle = title;
        auto* box = new QCheckBox(title);
        bounds = AdoptWidget(*this, box, placement);
        int value = 0;
        CQuickXPPDIndex* index = ctrlParentPanelPtr ? ctrlParentPanelPtr->Getxppd() : nullptr;
        if (ppd && index && GetDefaultValueFromPPD(ppd, &value)) {
            box->setChecked(value != 0);
            TakeDefaultValue(value);
        }
        PlaceWidget(box, placement, bounds);
        AllocateIntegerBlocks();
    }
    BindPPDOption(ppd);
    return true;
}

int PPDCheckBoxExt::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    if (!ControlPtr || !FillPPDInfoList(ppd, ppdInfoList))
        return 0;
    // A click switches to the other choice: the box is usable only while that
    // choice is allowed, whatever order the PPD lists the choices in.
    ppd_choice_t* target = ChoiceForValue(WidgetValue() ? 0 : 1);
    bool forbidden = false;
    for (const PPDUIListEntry& entry : ppdInfoList)
        if (target && entry[1] == target->choice && entry[3] == kConflictTrue)
            forbidden = true;
    ControlPtr->setEnabled(!forbidden);
    return 0;
}

PPDPopupControlExt::PPDPopupControlExt(const PPDControlPlacement& where, const char* key,
                                       const PopupIniData* ini, const ControlConstrainTable* table,
                                       const ControlDataAccessInfo* accessInfo,
                                       const char* userName)
    : PPDPopupControl(nullptr, key, ini, table, accessInfo, userName), placement(where) {
    ctrlInWhichGroup = where.group;
}

bool PPDPopupControlExt::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    QString title = PPDStaticTextCtrl::OptionTitle(ppd, ppdKey);
    if (!title.isEmpty()) {
        optionTitle = WithColon(title);
        auto* combo = new QComboBox;
        combo->setEditable(false);
        combo->setToolTip(optionTitle);
        bounds = AdoptWidget(*this, combo, placement);
        if (!FillPPDInfoList(ppd, ppdInfoList)) {
            // Nothing to list: the widget is not shown and holds no value.
            SetControlPtr(nullptr);
            delete combo;
        } else {
            ReInitializeMenu(ppdInfoList);
            int value = 0;
            if (GetDefaultValueFromPPD(ppd, &value)) {
                const QSignalBlocker block(combo);
                combo->setCurrentIndex(value - 1);
                TakeDefaultValue(value);
            }
            PlaceWidget(combo, placement, bounds);
            AllocateIntegerBlocks();
        }
    }
    BindPPDOption(ppd);
    return true;
}

PPDStaticTextCtrlExt::PPDStaticTextCtrlExt(const PPDControlPlacement& where, const char* key)
    : PPDStaticTextCtrl(nullptr, key), placement(where) {
    ctrlInWhichGroup = where.group;
}

bool PPDStaticTextCtrlExt::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    QString title = OptionTitle(ppd, ppdKey);
    if (title.isEmpty())
        return false;
    auto* label = new QLabel(WithColon(title));
    bounds = AdoptWidget(*this, label, placement);
    PlaceWidget(label, placement, bounds);
    return true;
}

void PPDStaticTextCtrlExt::ResetStatus() {
    ctrlConstrainCount = 0;
    ctrlHideCount = 0;
    if (!ControlPtr)
        return;
    ControlPtr->setEnabled(true);
    QPalette palette = ControlPtr->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    ControlPtr->setPalette(palette);
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
