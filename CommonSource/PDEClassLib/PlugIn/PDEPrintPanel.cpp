#include "PDEPrintPanel.h"

#include "BaseControl.h"
#include "InterfaceFile.h"
#include "PDEPlugInEntry.h"
#include "PDEResourceAccess.h"
#include "PopupWinInPanel.h"
#include "XPPDConstraints.h"

#include "PrintSettings.h"

#include <QWidget>

namespace KESTRANE_NS {

PDEPrintPanel::PDEPrintPanel(PDEPlugInCallbackProtocol* callback, const char* kind,
                             const char* titleKey)
    : m_callback(callback), m_panelKind(kind ? kind : ""),
      m_titleKey(titleKey ? titleKey : "PDE Title") {
    initWithCallback(callback);
}

PDEPrintPanel::~PDEPrintPanel() {
    // Controls point at widgets of the view: they go first.
    terminate();
    delete m_view.data();
}

void PDEPrintPanel::SetPanelResources(const std::string& interfacePath, const std::string& nibName,
                                      const std::string& helpPage) {
    m_interfacePath = interfacePath;
    currentPDENibFileName = nibName;
    m_helpPage = helpPage;
}

QString PDEPrintPanel::panelName() {
    ppd_file_t* ppd = m_callback ? m_callback->ppdFile() : nullptr;
    LocalizeTableName = LocalizeTableNameFromPPD(ppd);
    if (thePDEName.isEmpty())
        thePDEName = LocalizedString(GetPDEPlugInBundle(), m_titleKey, LocalizeTableName);
    return thePDEName;
}

QWidget* PDEPrintPanel::LoadPanelView() {
    if (!m_view && !m_interfacePath.empty())
        m_view = LoadInterfaceFile(QString::fromStdString(m_interfacePath));
    return m_view.data();
}

QWidget* PDEPrintPanel::panelView() {
    return LoadPanelView();
}

std::vector<std::string> PDEPrintPanel::supportedPPDOptionKeys() {
    return PanelPPDOptionKeys();
}

bool PDEPrintPanel::LoadConstraintIndexFromCache(const char* baseName) {
    ppd_file_t* ppd = m_callback ? m_callback->ppdFile() : nullptr;
    if (!ppd || !CDFKeyExist(ppd, kCDFSettingKey))
        return false;
    m_cacheIndex = std::make_unique<CQuickXPPDIndex>();
    SetxppdPtr(m_cacheIndex.get());
    return GetXPPD(ppd, *m_cacheIndex, baseName, kCDFSettingKey) == 0;
}

void PDEPrintPanel::willShow() {
    if (bFirstInitialzePDE)
        SimulationOpenPDE();
    else if (m_keepsPreferences)
        ReloadFromPreferences();
    // The panel's window is its own view: the dialog embeds it.
    if (!GetPanelControlPtr())
        SetPanelControlPtr(LoadPanelView());
    Open();
    BasePrintPanel::willShow();
}

bool PDEPrintPanel::SimulationOpenPDE() {
    ppd_file_t* ppd = m_callback ? m_callback->ppdFile() : nullptr;
    if (!ppd)
        return true;
    QWidget* view = LoadPanelView();
    // An interface file that cannot be read leaves nothing to open.
    if (!view)
        return true;
    PrintSettings* settings = m_callback->printSettings();
    PrintSession* session = m_callback->printSession();
    bool helpRegistered = true;
    if (bFirstInitialzePDE) {
        CreatePanel(view);
        helpRegistered = RegisterMyHelpBook() == 0;
        SetCurrentPrintSession(session);
        SetCurrentPrintSettings(settings, ppd, m_callback, session);
        LoadPanelControls();
        InitializeUserPane(GetPDEPlugInBundle(), ppd);
    }
    SetCurrentPrintSettings(settings, ppd, m_callback, session);
    if (bFirstInitialzePDE) {
        SetUIDataToIniData();
        if (m_keepsPreferences)
            GetValueFromPreference();
    }
    GetValueFromPreset();
    SetCurrentValueToUI();
    ValuesShown();
    if (!bFirstInitialzePDE)
        UpdateConflictsPanelControlFromPPD(ppd);
    bFirstInitialzePDE = false;
    return helpRegistered;
}

void PDEPrintPanel::ReloadFromPreferences() {
    GetValueFromPreference();
    SetCurrentValueToUI();
    ValuesShown();
}

bool PDEPrintPanel::GetValueFromPreset() {
    if (!m_keepsPreferences)
        return BasePrintPanel::GetValueFromPreset();
    for (BaseControl* control : getCtrlGroupArrayRef())
        control->GetValueToPreset();
    for (const auto& window : GetChildWindows())
        for (BaseControl* control : window->getCtrlGroupArrayRef())
            control->GetValueToPreset();
    return true;
}

bool PDEPrintPanel::restoreValuesAndReturnError(QString* error) {
    bool ok = SimulationOpenPDE();
    if (!ok && error)
        *error = QStringLiteral("the help book of the panel could not be registered");
    return ok;
}

void PDEPrintPanel::SaveValuesToTicket(PrintSettings* settings) {
    if (m_keepsPreferences) {
        if (bFirstInitialzePDE)
            return;
        // A preference that cannot be written costs the next dialog its
        // start values, never this job.
        SetValueToPreference();
    }
    SetValueToTicket(settings, false, m_scrambledControls);
}

bool PDEPrintPanel::saveValuesAndReturnError(QString* error) {
    if (m_view)
        SetValueFromUIToControl();
    PrintSettings* settings = m_callback ? m_callback->printSettings() : nullptr;
    if (!settings) {
        if (error)
            *error = QStringLiteral("the dialog gave no print settings");
        return false;
    }
    SaveValuesToTicket(settings);
    return true;
}

bool PDEPrintPanel::shouldPrint() {
    // A panel the person never opened still writes its values.
    if (bFirstInitialzePDE)
        SimulationOpenPDE();
    return saveValuesAndReturnError(nullptr);
}

bool PDEPrintPanel::shouldShowHelp() {
    if (BaseControl* help = GetHelpButtonControl())
        return !help->UIEventHandler();
    if (!m_helpBookNameKey)
        return true;
    GotoHelpPage(GetPDEPlugInBundle(), m_helpPage.c_str(), nullptr, m_helpBookNameKey);
    return false;
}

QVariantMap PDEPrintPanel::summaryInfo() {
    SummaryDictionary dict;
    QStringList order;
    GetSummaryText(dict, order);
    dict.insert(QString::fromLatin1(kPDESummaryDisplayOrder), order);
    return dict;
}

} // namespace KESTRANE_NS
