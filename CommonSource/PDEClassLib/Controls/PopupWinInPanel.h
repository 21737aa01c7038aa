// A modal child window of a panel (setup and edit windows). Each activation
// reloads its controls from their initial data and shows their committed
// values; the modal run goes through the platform services so tests can
// answer it.
#pragma once

#include "BasePrintPanel.h"

#include <QString>

namespace KESTRANE_NS {

class PopupWinInPanel : public BasePrintPanel {
public:
    PopupWinInPanel() = default;
    // PopupWinInPanel:theWinTitleStr:
    PopupWinInPanel(QWidget* window, const char* titleKey) {
        PopupWinInPanelInit(window, titleKey);
    }
    void PopupWinInPanelInit(QWidget* window, const char* titleKey);

    int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) override;
    virtual void ReInitializeUserPane();
    virtual void ActivateWindow();
    virtual void DeactivateWindow();
    virtual int ReleaseWindow() { return 0; }
    bool InitializeUserPaneTitle(PDEBundleRef bundle);
    bool ReInitializeUserPaneTitle();
    void SycValueFromUI();
    bool IsActived() const { return isActived; }
    void ChangeActivedStatus() { isActived = true; }
    void ChangeActivedStatus(bool active) { isActived = active; }
    const std::string& GetCurrentPrinterString() const override;
    // The result the modal run ended with (set by DeactivateWindow(int)).
    int GetModalResult() const { return modalResult; }
    void DeactivateWindow(int result);

protected:
    // Runs after the window shows its values and before its modal run; a
    // window applies its own rules here.
    virtual void WindowValuesShown() {}

    const char* winTitleTextRef = nullptr;
    ppd_file_t* currentPPD = nullptr;
    bool isActived = false;
    bool modalRunning = false;
    int modalResult = 0;
};

} // namespace KESTRANE_NS
