// PPD-bound controls that a panel lays out itself at run time: the widget is
// made at initialisation and placed in the parent group box by the position
// record, controls with higher indexes lower down.
#pragma once

#include "PPDCheckBox.h"
#include "PPDPopupControl.h"
#include "PPDStaticTextCtrl.h"

#include <QRect>

namespace KESTRANE_NS {

// Where the run-time widgets go and how they are placed.
struct PPDControlPlacement {
    int indexInPanel = 0;
    int group = -1;
    QWidget* parentGroupBox = nullptr;
    ControlPositionData position;
};

// Bounds of a run-time widget of the given height in its box. The position
// record counts from the box's bottom; widgets count from the top.
QRect GetControlPosition(const PPDControlPlacement& placement, int height);

class PPDCheckBoxExt : public PPDCheckBox {
public:
    PPDCheckBoxExt(const PPDControlPlacement& placement, const char* ppdKey,
                   const CheckBoxIniData* iniData, const ControlConstrainTable* table,
                   const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
    const QRect& GetBounds() const { return bounds; }

private:
    PPDControlPlacement placement;
    QRect bounds;
    PPDUIList ppdInfoList;
};

class PPDPopupControlExt : public PPDPopupControl {
public:
    PPDPopupControlExt(const PPDControlPlacement& placement, const char* ppdKey,
                       const PopupIniData* iniData, const ControlConstrainTable* table,
                       const ControlDataAccessInfo* accessInfo, const char* userName);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    const QRect& GetBounds() const { return bounds; }

private:
    PPDControlPlacement placement;
    QRect bounds;
};

class PPDStaticTextCtrlExt : public PPDStaticTextCtrl {
public:
    PPDStaticTextCtrlExt(const PPDControlPlacement& placement, const char* ppdKey);

    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // Clears the counters, enables the text and turns it black again; it is
    // not shown again.
    void ResetStatus() override;
    const QRect& GetBounds() const { return bounds; }

private:
    PPDControlPlacement placement;
    QRect bounds;
};

} // namespace KESTRANE_NS
