// A container of controls: a plug-in's panel or, through PopupWinInPanel, a
// modal child window. Every lifecycle request goes to the controls in
// registration order and then to the child windows, so a tree of windows
// behaves as one.
#pragma once

#include "ControlPlatform.h"

#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>

class QWidget;

namespace KESTRANE_NS {

class BaseControl;
class PopupWinInPanel;

class BasePrintPanel {
public:
    BasePrintPanel();
    virtual ~BasePrintPanel(); // dealloc
    BasePrintPanel(const BasePrintPanel&) = delete;
    BasePrintPanel& operator=(const BasePrintPanel&) = delete;

    virtual void terminate();
    virtual void willShow() {}
    virtual bool shouldHide() { return true; }
    void CreatePanel(QWidget* window);
    virtual int Open();
    virtual int Close();
    virtual int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray);
    void SetPanelControlPtr(QWidget* window) { windowRef = window; }
    QWidget* GetPanelControlPtr() const { return windowRef; }
    void initWithCallback(PDECallbackRef callback);
    virtual int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd);
    int InitializeUserPaneControl(PDEBundleRef bundle, ppd_file_t* ppd);
    int InitilaizeChildWindow(PDEBundleRef bundle, ppd_file_t* ppd);
    void SetControlEventHandler();
    virtual int ConstrainPanelControlFromPPD(ppd_file_t* ppd);
    virtual int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd);
    void SetCurrentPrintSession(PMPrintSession session) { currentPrintSession = session; }
    PMPrintSession GetCurrentPrintSession() const { return currentPrintSession; }
    virtual const std::string& GetCurrentPrinterString() const;
    bool SetCurrentPrinterString(PMPrintSession session);
    BaseControl* GetPanelControl(int tag) const;
    int RunTimeAddNewControl(BaseControl* control);
    int RunTimeAddNewInstallableControl(BaseControl* control);
    int RunTimeAddNewWindow(PopupWinInPanel* window);

    int SetUIDataToIniData();
    int SetDefaultValueToUI();
    virtual int GetValueFromPreference();
    virtual int SetValueToPreference();
    virtual int SetValueToTicket(PMPrintSettings settings, bool lock,
                                 const std::vector<int>& encryptArray);
    virtual int SetValueToTicket(PMPrintSettings settings, bool lock);
    int ReInitializeUserPaneControl(PDEBundleRef bundle, ppd_file_t* ppd);
    virtual int SetCurrentValueToUI();
    virtual int SetValueFromUIToControl();
    void SetParenetPane(BasePrintPanel* parent) { pParentPane = parent; }
    BasePrintPanel* GetParentWnd() const { return pParentPane; }
    virtual void* GetPrinterSupporttedListRef() { return nullptr; }
    virtual void* GetErrMsgPanel() { return nullptr; }
    ppd_file_t* GetPPDRefFromCurrentPrintSession() const;
    virtual bool GetValueFromPreset();
    int ResetControlStatus();
    int ResetCurrentControlStatus();
    CQuickXPPDIndex* Getxppd() const { return xppd; }
    void SetxppdPtr(CQuickXPPDIndex* index);
    PDEBundleRef GetPDEBundleRef() const { return pdeBundleRef; }
    QStringList& getGroupNameStrArrayRef() { return AllGroupNameStrArray; }
    std::vector<BaseControl*> getCtrlGroupArrayRef() const;
    void SetCurrentPMPrintSettings(PMPrintSettings settings) { m_pSettings = settings; }
    PMPrintSettings GetCurrentPMPrintSettings() const { return m_pSettings; }
    void SetCurrentPPD(ppd_file_t* ppd) { m_ptCurrentPPD = ppd; }
    ppd_file_t* GetCurrentPPD() const { return m_ptCurrentPPD; }
    void SetCurrentPDECallbackObj(PDECallbackRef callback) { m_pPDECallbackObj = callback; }
    PDECallbackRef GetCurrentPDECallbackObj() const { return m_pPDECallbackObj; }
    bool SetCurrentPrintSettings(PMPrintSettings settings, ppd_file_t* ppd, PDECallbackRef callback,
                                 PMPrintSession session);

    // An alert with the localised text of the message key, the bundle's alert
    // icon and the "Alert OK Btn" button; answers the button chosen.
    int ShowErrMsg(const char* messageKey);

    const QString& GetLocalizeTableName() const { return LocalizeTableName; }
    int GetControlCount() const { return _control_num_item; }
    int GetInstallableControlCount() const { return _installableControl_num_item; }
    int GetChildWindowCount() const { return _parentPane_num_item; }
    const std::vector<std::unique_ptr<PopupWinInPanel>>& GetChildWindows() const {
        return fWindowGroupArray;
    }

protected:
    bool hasRegistries() const { return registriesCreated; }
    // Refreshes the printer identifier from a session.
    bool RefreshPrinterString(PMPrintSession session);

    QString thePDEName;
    std::string currentPrintString;
    std::vector<std::unique_ptr<BaseControl>> fCtrlGroupArray;
    std::vector<std::unique_ptr<BaseControl>> fCtrlInstallableGroupArray;
    std::vector<std::unique_ptr<PopupWinInPanel>> fWindowGroupArray;
    QStringList AllGroupNameStrArray;
    QStringList GeneralGroupOptionArray;
    BasePrintPanel* pParentPane = nullptr;
    QWidget* windowRef = nullptr;
    PDEBundleRef pdeBundleRef = nullptr;
    int32_t _control_num_item = 0;
    int32_t _installableControl_num_item = 0;
    int32_t _parentPane_num_item = 0;
    PMPrintSession currentPrintSession = nullptr;
    CQuickXPPDIndex* xppd = nullptr;
    bool isRegistPrintEvent = false;
    PMPrintSettings m_pSettings = nullptr;
    ppd_file_t* m_ptCurrentPPD = nullptr;
    PDECallbackRef m_pPDECallbackObj = nullptr;
    QString LocalizeTableName;
    bool registriesCreated = false;
};

} // namespace KESTRANE_NS
