#include "PopupWinInPanel.h"

#include "BaseControl.h"

#include <QWidget>

namespace KESTRANE_NS {

void PopupWinInPanel::PopupWinInPanelInit(QWidget* window, const char* titleKey) {
    CreatePanel(window);
    winTitleTextRef = titleKey;
    isActived = false;
}

int PopupWinInPanel::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    if (LocalizeTableName.isEmpty() && ppd)
        LocalizeTableName = LocalizeTableNameFromPPD(ppd);
    InitializeUserPaneTitle(bundle);
    InitializeUserPaneControl(bundle, ppd);
    pdeBundleRef = bundle;
    currentPPD = ppd;
    SetControlEventHandler();
    return 0;
}

void PopupWinInPanel::ReInitializeUserPane() {
    ReInitializeUserPaneControl(pdeBundleRef, currentPPD);
    ReInitializeUserPaneTitle();
    SetControlEventHandler();
}

void PopupWinInPanel::ActivateWindow() {
    if (!windowRef)
        return;
    ReInitializeUserPane();
    SetUIDataToIniData();
    SetCurrentValueToUI();
    WindowValuesShown();
    modalRunning = true;
    modalResult = RunModalWindow(windowRef);
    modalRunning = false;
}

void PopupWinInPanel::DeactivateWindow() {
    DeactivateWindow(0);
}

void PopupWinInPanel::DeactivateWindow(int result) {
    modalResult = result;
    if (windowRef)
        StopModalWindow(windowRef, result);
}

bool PopupWinInPanel::InitializeUserPaneTitle(PDEBundleRef bundle) {
    if (!winTitleTextRef || !bundle)
        return false;
    if (windowRef)
        windowRef->setWindowTitle(LocalizedString(bundle, winTitleTextRef, LocalizeTableName));
    return true;
}

bool PopupWinInPanel::ReInitializeUserPaneTitle() {
    return InitializeUserPaneTitle(pdeBundleRef);
}

void PopupWinInPanel::SycValueFromUI() {
    for (auto& c : fCtrlGroupArray)
        if (c->GetControlPtr())
            c->GetValueFromUI();
}

const std::string& PopupWinInPanel::GetCurrentPrinterString() const {
    return pParentPane ? pParentPane->GetCurrentPrinterString() : currentPrintString;
}

} // namespace KESTRANE_NS
