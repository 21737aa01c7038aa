// The accounting panel: the accounting mode, the information kind and set
// the printer asks for, and the settings windows; at print time, the entry
// window and the client identity.
#pragma once

#include "PDEPrintPanel.h"
#include "JBAWindows.h"

namespace KESTRANE_NS {

class JBAPDEmtk;

// The accounting mode list. For a person who is not an administrator it
// disables itself after any change.
class JBAListCtrlMN : public AccountPopupControl {
public:
    JBAListCtrlMN(QWidget* widget, JBAPDEmtk* panel);
    bool UIEventHandler() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    JBAPDEmtk* panel;
    bool selfDisabled = false;
};

// The information kind and information set lists: their ticket values are 0
// unless the printer is customised (KRSelectID).
class JBAInfoListCtrlMN : public AccountPopupControl {
public:
    JBAInfoListCtrlMN(QWidget* widget, const PopupIniData* iniData,
                      const ControlDataAccessInfo* accessInfo, JBAPDEmtk* panel, bool isSet);
    bool ConvertToTickectData(std::string& out) override;
    bool UIEventHandler() override;
    int Update() override;

private:
    JBAPDEmtk* panel;
    bool isSet;
};

class JBAPDEmtk : public PDEPrintPanel {
public:
    explicit JBAPDEmtk(PDECallbackRef callback);

    bool shouldPrint() override;

    // Shows the entry window when the settings ask for it; NO when cancelled.
    bool OnClickPrintCommand();
    // Moves the information set to the one the kind and the printer's prompt
    // give, and enables the panel for it.
    void UpdateInfoSet();
    // The rules of a settings window as it opens: its case list, and for
    // the all-users window the lock for people who are not administrators.
    void ApplySettingsWindowRules(JBAInfoWindowBase* window);
    // The entry window's case lists.
    void ApplyInputWindowRules(PopupWinInPanel* window);

    bool HasSelectID() const { return selectID >= 0; }
    int32_t GetSelectID() const { return selectID; }
    bool IsAdmin() const { return isAdmin; }
    int32_t GetMode() const;
    int32_t GetInfoKind() const;
    int32_t GetInfoSet() const;
    JBAInfoWindowBase* CurrentModeWindow() const;
    JBAInfoWindowBase* GetSettingsWindow(int32_t mode) const {
        if (mode == kJBAModeAllUsers)
            return adminWindow;
        return personalWindow;
    }

protected:
    bool LoadPanelControls() override;
    void SaveValuesToTicket(PrintSettings* settings) override;
    void ValuesShown() override { UpdateInfoSet(); }

private:
    void SetTagsEnabled(PopupWinInPanel* window, const std::vector<int32_t>& tags, bool enabled);
    void SetTagsHidden(PopupWinInPanel* window, const std::vector<int32_t>& tags, bool hidden);

    int32_t selectID = -1;
    bool isAdmin = false;
    bool anonymousApplied = false;
    JBAListCtrlMN* modeList = nullptr;
    JBAInfoListCtrlMN* infoList = nullptr;
    JBAInfoListCtrlMN* infoSetList = nullptr;
    BaseControl* settingsButton = nullptr;
    JBAInfoAdminWndKR* adminWindow = nullptr;
    JBAInfoWndMN* personalWindow = nullptr;
    JBAInputWindowKR* inputWindow = nullptr;
};

} // namespace KESTRANE_NS
