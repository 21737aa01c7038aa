#include "JBAPDEmtk.h"

#include "BaseButton.h"
#include "JBAClientIdentity.h"
#include "PDEResourceAccess.h"
#include "PrintAccountKeys.h"
#include "VersionStringSText.h"

#include <QComboBox>
#include <QLabel>

namespace KESTRANE_NS {

namespace {

const char* const kModeItems[] = {"Job Authentication Type User Mode",
                                  "Job Authentication Type Administration Mode", nullptr};
const PopupIniData kModeIniData = {0, kJBAModePersonal, kJBAModePersonal, kModeItems};
const ControlDataAccessInfo kModeAccess = {0, 0, KACCOUNT_KEY("JBAManageTypeListTicketKey"),
                                           KACCOUNT_KEY("JBAManageTypeListReference")};

const char* const kInfoItems[] = {"User ID Fixed Text", "Billing ID Fixed Text",
                                  "Switch Enabled Text", nullptr};
const PopupIniData kInfoIniData = {0, 1, 1, kInfoItems};
const ControlDataAccessInfo kInfoAccess = {0, 0, KACCOUNT_KEY("JBAInfoListTicketKey"),
                                           KACCOUNT_KEY("JBAInfoListReference")};

const char* const kInfoSetItems[] = {"Case_1", "Case_2", "Case_3", "Case_4", "Case_5",
                                     "Case_6", "Case_7", "Case_8", "Case_9", nullptr};
const PopupIniData kInfoSetIniData = {0, 1, 1, kInfoSetItems};
const ControlDataAccessInfo kInfoSetAccess = {0, 0, KACCOUNT_KEY("JBAInfoSetListTicketKey"),
                                              KACCOUNT_KEY("JBAInfoSetListReference")};

} // namespace

JBAListCtrlMN::JBAListCtrlMN(QWidget* widget, JBAPDEmtk* owner)
    : AccountPopupControl(widget, &kModeIniData, nullptr, &kModeAccess, nullptr), panel(owner) {}

bool JBAListCtrlMN::UIEventHandler() {
    bool result = AccountPopupControl::UIEventHandler();
    // Someone who may not change the settings for all users gets one change.
    if (!panel->IsAdmin() && !selfDisabled) {
        Disable();
        selfDisabled = true;
    }
    return result;
}

int JBAListCtrlMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    QComboBox* combo = GetComboBox();
    if (!combo)
        return 0;
    QString title = AccountMessage(ctrlBundleRef, "Summary Accounting Mode", LocalizeTableName, -1);
    dict.insert(title, combo->itemText(GetValue() - 1));
    orderArray.append(title);
    JBAInfoWindowBase* window = panel->GetSettingsWindow(GetValue());
    title = AccountMessage(ctrlBundleRef, "Summary Accounting Entry", LocalizeTableName, -1);
    const char* how = window && window->IsPrintTimeEntry() ? "Summary Accounting At Print"
                                                           : "Summary Accounting Stored";
    dict.insert(title, AccountMessage(ctrlBundleRef, how, LocalizeTableName, -1));
    orderArray.append(title);
    return 0;
}

JBAInfoListCtrlMN::JBAInfoListCtrlMN(QWidget* widget, const PopupIniData* ini,
                                     const ControlDataAccessInfo* access, JBAPDEmtk* owner,
                                     bool set)
    : AccountPopupControl(widget, ini, nullptr, access, nullptr), panel(owner), isSet(set) {}

bool JBAInfoListCtrlMN::ConvertToTickectData(std::string& out) {
    JBAInfoTicketValues values =
        JBAInfoValuesForTicket(panel->HasSelectID(), panel->GetInfoKind(), panel->GetInfoSet());
    out = std::to_string(isSet ? values.infoSet : values.infoKind);
    return true;
}

bool JBAInfoListCtrlMN::UIEventHandler() {
    bool result = AccountPopupControl::UIEventHandler();
    if (!isSet)
        panel->UpdateInfoSet();
    return result;
}

int JBAInfoListCtrlMN::Update() {
    panel->UpdateInfoSet();
    return 0;
}

JBAPDEmtk::JBAPDEmtk(PDECallbackRef callback)
    : PDEPrintPanel(callback, "com.kestrane.mtk.pde.AccountKind") {
    using namespace JBATag;
    SetKeepsValuesInPreferences(true);
    SetHelpBookNameKey("Help Book Name");
    SetScrambledControls({kAllUsersBase + kUserPasswordEdit, kAllUsersBase + kStoragePasswordEdit,
                          kPersonalBase + kUserPasswordEdit, kPersonalBase + kStoragePasswordEdit,
                          kInputUserPasswordEdit, kInputStoragePasswordEdit});
}

bool JBAPDEmtk::LoadPanelControls() {
    using namespace JBATag;
    QWidget* view = GetPanelControlPtr();
    ppd_file_t* ppd = GetCurrentPPD();
    selectID = GetJBASelectID(ppd);
    isAdmin = IsUserAdmin();
    PDEBundleRef bundle = GetAppBundleRef();

    modeList = new JBAListCtrlMN(FindTaggedWidget(view, kModeList), this);
    RunTimeAddNewControl(modeList);
    infoList = new JBAInfoListCtrlMN(FindTaggedWidget(view, kInfoList), &kInfoIniData, &kInfoAccess,
                                     this, false);
    RunTimeAddNewControl(infoList);
    infoSetList = new JBAInfoListCtrlMN(FindTaggedWidget(view, kInfoSetList), &kInfoSetIniData,
                                        &kInfoSetAccess, this, true);
    RunTimeAddNewControl(infoSetList);
    auto* button = new BaseButton(FindTaggedWidget(view, kSettingsButton), "JBA Settings Btn");
    button->SetPressAction([this] {
        if (JBAInfoWindowBase* window = CurrentModeWindow())
            window->ActivateWindow();
        return true;
    });
    settingsButton = button;
    RunTimeAddNewControl(button);
    auto* version = new VersionStringSText();
    version->CreateControl(FindTaggedWidget(view, kVersionText), nullptr, false);
    RunTimeAddNewControl(version);

    const std::pair<int32_t, const char*> labels[] = {{kModeLabel, "JBA Mode Label"},
                                                      {kInfoLabel, "JBA Info Label"},
                                                      {kInfoSetLabel, "JBA Info Set Label"}};
    for (const auto& [tag, key] : labels) {
        if (auto* label = qobject_cast<QLabel*>(FindTaggedWidget(view, tag)))
            label->setText(AccountMessage(bundle, key, LocalizeTableName, -1));
    }
    // The information lists mean something only to a customised printer; the
    // set follows from the kind there, so nobody picks it by hand.
    for (int32_t tag : {kInfoList, kInfoLabel, kInfoSetList, kInfoSetLabel}) {
        if (QWidget* widget = FindTaggedWidget(view, tag))
            widget->setHidden(!HasSelectID());
    }
    if (QWidget* widget = FindTaggedWidget(view, kInfoSetList))
        widget->setEnabled(false);

    if (QWidget* dialog = LoadAccountInterface(bundle, "JBAInfoAdminWindow")) {
        adminWindow = new JBAInfoAdminWndKR(dialog, this);
        adminWindow->CreateWindowControls(ppd);
        RunTimeAddNewWindow(adminWindow);
    }
    if (QWidget* dialog = LoadAccountInterface(bundle, "JBAInfoWindow")) {
        personalWindow = new JBAInfoWndMN(dialog, this);
        personalWindow->CreateWindowControls(ppd);
        RunTimeAddNewWindow(personalWindow);
    }
    if (QWidget* dialog = LoadAccountInterface(bundle, "JBAInputWindow")) {
        inputWindow = new JBAInputWindowKR(dialog, this);
        inputWindow->CreateWindowControls(ppd);
        RunTimeAddNewWindow(inputWindow);
    }
    return true;
}

int32_t JBAPDEmtk::GetMode() const {
    return modeList ? modeList->ShownValue() : kJBAModePersonal;
}

int32_t JBAPDEmtk::GetInfoKind() const {
    return infoList ? infoList->ShownValue() : 1;
}

int32_t JBAPDEmtk::GetInfoSet() const {
    return infoSetList ? infoSetList->ShownValue() : 1;
}

JBAInfoWindowBase* JBAPDEmtk::CurrentModeWindow() const {
    return GetSettingsWindow(GetMode());
}

void JBAPDEmtk::UpdateInfoSet() {
    if (!HasSelectID() || !infoSetList)
        return;
    int32_t set = JBAInfoSetFor(GetInfoKind(), selectID);
    if (set > 0)
        infoSetList->SetValue(set);
    // The anonymous set leaves nothing to choose.
    const bool anonymous = GetInfoSet() == kJBAAnonymousInfoSet;
    if (anonymous && !anonymousApplied) {
        modeList->Disable();
        settingsButton->Disable();
        anonymousApplied = true;
    } else if (!anonymous && anonymousApplied) {
        settingsButton->Enable();
        if (isAdmin)
            modeList->Enable();
        anonymousApplied = false;
    }
}

void JBAPDEmtk::SetTagsEnabled(PopupWinInPanel* window, const std::vector<int32_t>& tags,
                               bool enabled) {
    for (int32_t tag : tags) {
        if (BaseControl* control = window->GetPanelControl(tag)) {
            if (!enabled)
                control->Disable();
        } else if (QWidget* widget = FindTaggedWidget(window->GetPanelControlPtr(), tag)) {
            widget->setEnabled(enabled);
        }
    }
}

void JBAPDEmtk::SetTagsHidden(PopupWinInPanel* window, const std::vector<int32_t>& tags,
                              bool hidden) {
    for (int32_t tag : tags) {
        if (BaseControl* control = window->GetPanelControl(tag)) {
            if (hidden)
                control->Hide();
        } else if (QWidget* widget = FindTaggedWidget(window->GetPanelControlPtr(), tag)) {
            widget->setHidden(hidden);
        }
    }
}

void JBAPDEmtk::ApplySettingsWindowRules(JBAInfoWindowBase* window) {
    const int32_t base = window->GetTagBase();
    // Labels are not controls: give them back their state first.
    const uint32_t all = kJBAGroupAccount | kJBAGroupUser | kJBAGroupStorage;
    SetTagsEnabled(window, JBASettingsGroupTags(all, base), true);
    int32_t index = GetInfoSet() - 1;
    if (index >= 0 && index < 9)
        SetTagsEnabled(window, JBASettingsGroupTags(kJBACases[index].settingsDisable, base), false);
    if (window->IsAllUsers() && !isAdmin)
        SetTagsEnabled(window, JBAAdminLockTags(), false);
}

void JBAPDEmtk::ApplyInputWindowRules(PopupWinInPanel* window) {
    const uint32_t all = kJBAGroupAccount | kJBAGroupUser | kJBAGroupStorage | kJBAGroupChoices;
    SetTagsEnabled(window, JBAInputGroupTags(all), true);
    SetTagsHidden(window, JBAInputGroupTags(all), false);
    int32_t index = GetInfoSet() - 1;
    if (index < 0 || index >= 9)
        return;
    SetTagsEnabled(window, JBAInputGroupTags(kJBACases[index].inputDisable), false);
    SetTagsHidden(window, JBAInputGroupTags(kJBACases[index].inputHide), true);
}

bool JBAPDEmtk::OnClickPrintCommand() {
    if (!inputWindow)
        return true;
    if (HasSelectID() && GetInfoSet() == kJBAAnonymousInfoSet) {
        inputWindow->RunEntry(false);
        return true;
    }
    JBAInfoWindowBase* window = CurrentModeWindow();
    if (window && window->IsPrintTimeEntry()) {
        return inputWindow->RunEntry(true);
    }
    return true;
}

void JBAPDEmtk::SaveValuesToTicket(PrintSettings* settings) {
    PDEPrintPanel::SaveValuesToTicket(settings);
    // The client identity goes with every save of an opened panel.
    if (!IsFirstInitialize())
        SetInformationToTicket(settings, false);
}

bool JBAPDEmtk::shouldPrint() {
    if (IsFirstInitialize())
        SimulationOpenPDE();
    // Without a PPD or interface the panel was never built: nothing to ask.
    if (IsFirstInitialize())
        return true;
    if (!OnClickPrintCommand())
        return false;
    return saveValuesAndReturnError(nullptr);
}

} // namespace KESTRANE_NS
