#include "BasePrintPanel.h"

#include "BaseControl.h"
#include "PopupWinInPanel.h"

namespace KESTRANE_NS {

BasePrintPanel::BasePrintPanel() = default;
BasePrintPanel::~BasePrintPanel() = default;

void BasePrintPanel::terminate() {
    fCtrlGroupArray.clear();
    fCtrlInstallableGroupArray.clear();
    fWindowGroupArray.clear();
    _control_num_item = _installableControl_num_item = _parentPane_num_item = 0;
    registriesCreated = false;
    currentPrintString.clear();
}

void BasePrintPanel::CreatePanel(QWidget* window) {
    fCtrlGroupArray.clear();
    fCtrlInstallableGroupArray.clear();
    fWindowGroupArray.clear();
    AllGroupNameStrArray.clear();
    GeneralGroupOptionArray.clear();
    registriesCreated = true;
    windowRef = window;
    pParentPane = nullptr;
    pdeBundleRef = nullptr;
    currentPrintSession = nullptr;
    m_pSettings = nullptr;
    m_ptCurrentPPD = nullptr;
    currentPrintString.clear();
    isRegistPrintEvent = false;
    _control_num_item = _installableControl_num_item = _parentPane_num_item = 0;
}

int BasePrintPanel::Open() {
    for (auto& c : fCtrlGroupArray)
        c->Open();
    for (auto& w : fWindowGroupArray)
        if (w->Open() != 0)
            break;
    return 0;
}

int BasePrintPanel::Close() {
    for (auto& c : fCtrlGroupArray)
        c->Close();
    for (auto& w : fWindowGroupArray)
        if (w->Close() != 0)
            break;
    return 0;
}

int BasePrintPanel::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    for (auto& c : fCtrlGroupArray)
        c->GetSummaryText(dict, orderArray);
    for (auto& w : fWindowGroupArray)
        if (w->GetSummaryText(dict, orderArray) != 0)
            break;
    return 0;
}

void BasePrintPanel::initWithCallback(PDECallbackRef callback) {
    m_pPDECallbackObj = callback;
    thePDEName.clear();
}

int BasePrintPanel::InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) {
    if (LocalizeTableName.isEmpty() && ppd)
        LocalizeTableName = LocalizeTableNameFromPPD(ppd);
    pdeBundleRef = bundle;
    InitializeUserPaneControl(bundle, ppd);
    SetControlEventHandler();
    InitilaizeChildWindow(bundle, ppd);
    ConstrainPanelControlFromPPD(ppd);
    return 0;
}

int BasePrintPanel::InitializeUserPaneControl(PDEBundleRef bundle, ppd_file_t* ppd) {
    for (auto& c : fCtrlGroupArray)
        c->InitializeCtrl(bundle, ppd);
    return 0;
}

int BasePrintPanel::InitilaizeChildWindow(PDEBundleRef bundle, ppd_file_t* ppd) {
    for (auto& w : fWindowGroupArray)
        if (w->InitializeUserPane(bundle, ppd) != 0)
            break;
    return 0;
}

void BasePrintPanel::SetControlEventHandler() {
    for (auto& c : fCtrlGroupArray)
        c->setTargetandAction();
}

int BasePrintPanel::ConstrainPanelControlFromPPD(ppd_file_t* ppd) {
    for (auto& c : fCtrlInstallableGroupArray)
        c->ConstrainPanelControlFromPPD(ppd);
    return 0;
}

int BasePrintPanel::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
    for (auto& c : fCtrlGroupArray)
        c->UpdateConflictsPanelControlFromPPD(ppd);
    return 0;
}

const std::string& BasePrintPanel::GetCurrentPrinterString() const {
    return currentPrintString;
}

bool BasePrintPanel::RefreshPrinterString(PMPrintSession session) {
    currentPrintString.clear();
    return SetPrinterIdentifier(session, currentPrintString);
}

bool BasePrintPanel::SetCurrentPrinterString(PMPrintSession session) {
    currentPrintSession = session;
    if (!RefreshPrinterString(session))
        return false;
    for (auto& w : fWindowGroupArray)
        if (!w->SetCurrentPrinterString(session))
            return false;
    return true;
}

BaseControl* BasePrintPanel::GetPanelControl(int tag) const {
    for (auto& c : fCtrlGroupArray)
        if (c->GetControlPtr() && c->GetControlTag() == tag)
            return c.get();
    for (auto& c : fCtrlInstallableGroupArray)
        if (c->GetControlPtr() && c->GetControlTag() == tag)
            return c.get();
    for (auto& w : fWindowGroupArray)
        if (BaseControl* c = w->GetPanelControl(tag))
            return c;
    return nullptr;
}

int BasePrintPanel::RunTimeAddNewControl(BaseControl* control) {
    if (!registriesCreated || !control)
        return 0;
    control->SetParenetPanel(this);
    fCtrlGroupArray.emplace_back(control);
    return _control_num_item++;
}

int BasePrintPanel::RunTimeAddNewInstallableControl(BaseControl* control) {
    if (!registriesCreated || !control)
        return 0;
    control->SetParenetPanel(this);
    fCtrlInstallableGroupArray.emplace_back(control);
    return _installableControl_num_item++;
}

int BasePrintPanel::RunTimeAddNewWindow(PopupWinInPanel* window) {
    if (!registriesCreated || !window)
        return 0;
    window->SetParenetPane(this);
    fWindowGroupArray.emplace_back(window);
    return _parentPane_num_item++;
}

int BasePrintPanel::SetUIDataToIniData() {
    for (auto& c : fCtrlGroupArray)
        c->SetUIValueToIniData();
    for (auto& w : fWindowGroupArray)
        if (w->SetUIDataToIniData() != 0)
            break;
    return 0;
}

int BasePrintPanel::SetDefaultValueToUI() {
    for (auto& c : fCtrlGroupArray) {
        c->SetDefaultValueToUI();
        c->SimulationUIEventHandler();
    }
    return 0;
}

int BasePrintPanel::GetValueFromPreference() {
    for (auto& c : fCtrlGroupArray)
        if (!c->GetValueFromPreference())
            c->SetControlValueToDefault();
    for (auto& w : fWindowGroupArray)
        if (w->GetValueFromPreference() != 0)
            break;
    return 0;
}

int BasePrintPanel::SetValueToPreference() {
    bool lastFailed = false;
    for (auto& c : fCtrlGroupArray)
        lastFailed = !c->SetValueToPreference();
    if (!fWindowGroupArray.empty()) {
        for (auto& w : fWindowGroupArray)
            if (int r = w->SetValueToPreference(); r != 0)
                return r;
        return 0;
    }
    return lastFailed ? 1 : 0;
}

int BasePrintPanel::SetValueToTicket(PMPrintSettings settings, bool lock,
                                     const std::vector<int>& encryptArray) {
    if (!registriesCreated)
        return 0;
    for (auto& c : fCtrlGroupArray)
        c->SetValueToTicket(settings, lock, encryptArray);
    for (auto& w : fWindowGroupArray)
        if (w->SetValueToTicket(settings, lock, encryptArray) != 0)
            break;
    return 0;
}

int BasePrintPanel::SetValueToTicket(PMPrintSettings settings, bool lock) {
    if (!registriesCreated)
        return 0;
    for (auto& c : fCtrlGroupArray)
        c->SetValueToTicket(settings, lock);
    for (auto& w : fWindowGroupArray)
        if (w->SetValueToTicket(settings, lock) != 0)
            break;
    return 0;
}

int BasePrintPanel::ReInitializeUserPaneControl(PDEBundleRef bundle, ppd_file_t* ppd) {
    for (auto& c : fCtrlGroupArray) {
        c->ReInitializeCtrl(bundle, ppd);
        c->ResetStatus();
    }
    return 0;
}

int BasePrintPanel::SetCurrentValueToUI() {
    // Every value is shown before any constraint list runs, so a control
    // disabled by a later control's value ends up disabled.
    for (auto& c : fCtrlGroupArray)
        c->SetControlValueToUI();
    for (auto& c : fCtrlGroupArray)
        c->SimulationUIEventHandler();
    for (auto& w : fWindowGroupArray)
        if (w->SetCurrentValueToUI() != 0)
            break;
    return 0;
}

int BasePrintPanel::SetValueFromUIToControl() {
    for (auto& c : fCtrlGroupArray)
        if (c->GetValueFromUI())
            c->SetValueFromUIToControl();
    return 0;
}

ppd_file_t* BasePrintPanel::GetPPDRefFromCurrentPrintSession() const {
    if (!currentPrintSession)
        return nullptr;
    return CallbackPPD(m_pPDECallbackObj);
}

bool BasePrintPanel::GetValueFromPreset() {
    for (auto& c : fCtrlGroupArray)
        if (!c->GetValueToPreset())
            c->SetControlValueToDefault();
    for (auto& w : fWindowGroupArray)
        if (!w->GetValueFromPreset())
            break;
    return true;
}

int BasePrintPanel::ResetControlStatus() {
    for (auto& c : fCtrlGroupArray)
        if (c->GetControlPtr())
            c->ResetStatus();
    for (auto& w : fWindowGroupArray)
        if (w->ResetControlStatus() != 0)
            break;
    if (ppd_file_t* ppd = GetPPDRefFromCurrentPrintSession())
        ConstrainPanelControlFromPPD(ppd);
    return 0;
}

int BasePrintPanel::ResetCurrentControlStatus() {
    for (auto& c : fCtrlGroupArray)
        if (c->GetControlPtr())
            c->ResetStatus();
    if (ppd_file_t* ppd = GetPPDRefFromCurrentPrintSession())
        ConstrainPanelControlFromPPD(ppd);
    return 0;
}

void BasePrintPanel::SetxppdPtr(CQuickXPPDIndex* index) {
    xppd = index;
    for (auto& w : fWindowGroupArray)
        w->SetxppdPtr(index);
}

int BasePrintPanel::ShowErrMsg(const char* messageKey) {
    return ShowControlAlert(pdeBundleRef, messageKey, LocalizeTableName, windowRef);
}

std::vector<BaseControl*> BasePrintPanel::getCtrlGroupArrayRef() const {
    std::vector<BaseControl*> out;
    out.reserve(fCtrlGroupArray.size());
    for (auto& c : fCtrlGroupArray)
        out.push_back(c.get());
    return out;
}

bool BasePrintPanel::SetCurrentPrintSettings(PMPrintSettings settings, ppd_file_t* ppd,
                                             PDECallbackRef callback, PMPrintSession session) {
    m_pSettings = settings;
    m_ptCurrentPPD = ppd;
    m_pPDECallbackObj = callback;
    if (!RefreshPrinterString(session))
        return false;
    for (auto& w : fWindowGroupArray)
        if (!w->SetCurrentPrintSettings(settings, ppd, callback, session))
            return false;
    return true;
}

} // namespace KESTRANE_NS
