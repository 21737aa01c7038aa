#include "AccountPanelBase.h"

#include "AccountControls.h"
#include "BaseControl.h"
#include "PDEResourceAccess.h"
#include "PopupWinInPanel.h"

#include <QWidget>

namespace KESTRANE_NS {

AccountPanelBase::AccountPanelBase(PDECallbackRef callback, const char* title, const char* kind)
    : titleKey(title), kindName(kind) {
    initWithCallback(callback);
}

AccountPanelBase::~AccountPanelBase() {
    // Controls hold widgets of the view: let them go first.
    terminate();
    delete view;
}

void AccountPanelBase::SetResourceNames(std::string nib, std::string help) {
    nibName = std::move(nib);
    helpPage = std::move(help);
}

ppd_file_t* AccountPanelBase::HostPPD() const {
    return CallbackPPD(GetCurrentPDECallbackObj());
}

QString AccountPanelBase::panelName() {
    ppd_file_t* ppd = HostPPD();
    if (ppd) {
        QString table = LocalizeTableNameFromPPD(ppd);
        if (!table.isEmpty())
            LocalizeTableName = table;
    }
    if (thePDEName.isEmpty())
        thePDEName = LocalizedString(GetAppBundleRef(), titleKey, LocalizeTableName);
    return thePDEName;
}

QWidget* AccountPanelBase::panelView() {
    if (!view)
        view = LoadAccountInterface(GetAppBundleRef(), nibName.c_str());
    return view;
}

bool AccountPanelBase::OpenPanel() {
    ppd_file_t* ppd = HostPPD();
    if (!ppd || !panelView())
        return false;
    PDECallbackRef host = GetCurrentPDECallbackObj();
    if (firstOpen) {
        CreatePanel(view);
        RegisterMyHelpBook();
        SetCurrentPrintSettings(host->printSettings(), ppd, host, host->printSession());
        SetCurrentPrintSession(host->printSession());
        CreatePanelControls(ppd);
        InitializeUserPane(GetAppBundleRef(), ppd);
    }
    SetCurrentPrintSettings(host->printSettings(), ppd, host, host->printSession());
    if (firstOpen) {
        SetUIDataToIniData();
        GetValueFromPreference();
    }
    GetValueFromPreset();
    SetCurrentValueToUI();
    AfterValuesShown();
    if (!firstOpen)
        UpdateConflictsPanelControlFromPPD(ppd);
    firstOpen = false;
    return true;
}

bool AccountPanelBase::restoreValuesAndReturnError(QString*) {
    OpenPanel();
    return true;
}

void AccountPanelBase::ReloadFromPreferences() {
    GetValueFromPreference();
    SetCurrentValueToUI();
    AfterValuesShown();
}

void AccountPanelBase::willShow() {
    if (firstOpen) {
        OpenPanel();
    } else {
        ReloadFromPreferences();
    }
    Open();
}

bool AccountPanelBase::GetValueFromPreset() {
    for (BaseControl* control : getCtrlGroupArrayRef())
        control->GetValueToPreset();
    for (const auto& window : GetChildWindows()) {
        for (BaseControl* control : window->getCtrlGroupArrayRef())
            control->GetValueToPreset();
    }
    return true;
}

bool AccountPanelBase::StoreValues(PMPrintSettings settings) {
    // The windows committed their values when they were closed with OK.
    SetValueFromUIToControl();
    // A preference that cannot be written costs the next dialog its start
    // values, never this job.
    SetValueToPreference();
    if (!settings)
        return false;
    SetValueToTicket(settings, false, scrambledControls);
    return true;
}

bool AccountPanelBase::saveValuesAndReturnError(QString*) {
    if (firstOpen)
        return GetCurrentPDECallbackObj() && GetCurrentPDECallbackObj()->printSettings();
    return StoreValues(GetCurrentPDECallbackObj()->printSettings());
}

bool AccountPanelBase::shouldPrint() {
    if (firstOpen && !OpenPanel())
        return true;
    return StoreValues(GetCurrentPDECallbackObj()->printSettings());
}

void AccountPanelBase::ShowPanelHelp() {
    GotoHelpPage(GetAppBundleRef(), helpPage.c_str(), nullptr, "Help Book Name");
}

bool AccountPanelBase::shouldShowHelp() {
    ShowPanelHelp();
    return false;
}

QVariantMap AccountPanelBase::summaryInfo() {
    SummaryDictionary dict;
    QStringList order;
    if (firstOpen)
        return dict;
    GetSummaryText(dict, order);
    dict.insert(QString::fromLatin1(kPDESummaryDisplayOrder), order);
    return dict;
}

} // namespace KESTRANE_NS
