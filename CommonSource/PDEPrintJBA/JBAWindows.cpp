#include "JBAWindows.h"

#include "BaseButton.h"
#include "CheckBox.h"
#include "JBAPDEmtk.h"
#include "PDEResourceAccess.h"
#include "PreferenceStore.h"
#include "PrintAccountKeys.h"
#include "UserGroups.h"

#include <QLineEdit>
#include <QWidget>

#include <deque>

namespace KESTRANE_NS {

namespace {

// Access records are made once per key and live as long as the plug-in.
const ControlDataAccessInfo* AccessFor(uint32_t type, const std::string& ticketName) {
    static std::deque<std::string> keys;
    static std::deque<ControlDataAccessInfo> records;
    std::string reference = ticketName;
    for (const char* suffix : {"TicketKey", "Ticket"}) {
        std::string s = suffix;
        if (reference.size() > s.size() &&
            reference.compare(reference.size() - s.size(), s.size(), s) == 0) {
            reference.resize(reference.size() - s.size());
            break;
        }
    }
    keys.push_back(KACCOUNT_KEY("") + ticketName);
    const char* ticketKey = keys.back().c_str();
    keys.push_back(KACCOUNT_KEY("") + reference + "Reference");
    const char* preferenceKey = keys.back().c_str();
    records.push_back({type, type, ticketKey, preferenceKey});
    return &records.back();
}

// "JBAUserIDTextEditTicket" in the all-users window is "JBAAdminUserIDTextEditTicket".
std::string KeyName(const char* name, bool allUsers) {
    std::string key = name;
    if (allUsers)
        key.insert(3, "Admin");
    return key;
}

const char* const kUserIDSourceItems[] = {"JBA User ID Login Name", "JBA User ID Entered Name",
                                          nullptr};
const PopupIniData kUserIDSourceIniData = {0, 1, 1, kUserIDSourceItems};
const RadioButtonIniData kSettingRadioIniData = {0, 1, 1, "JBA User Setting Radio", nullptr};
const RadioButtonIniData kInputRadioIniData = {0, 0, 0, "JBA User Input Radio", nullptr};
const RadioButtonIniData kAuthRadioIniData = {0, 1, 1, "JBA Input Auth Radio", nullptr};
const RadioButtonIniData kStrgRadioIniData = {0, 0, 0, "JBA Input Strg Radio", nullptr};
const CheckBoxIniData kLastInfoIniData = {0, 0, 0, "JBA Last Info Checkbox"};
const CheckBoxIniData kUserIDFormatIniData = {0, 0, 0, "JBA User ID Format Checkbox"};
const CheckBoxIniData kAccountIDFormatIniData = {0, 0, 0, "JBA Account ID Format Checkbox"};

PTCheckResult CheckText(const std::u16string& text, int32_t maximum, const char* key) {
    if (!IsPrintableLatin1Text(text) || static_cast<int32_t>(text.size()) > maximum)
        return {key};
    return {};
}

// A password longer than 12 bytes would not fit the printer's field in its
// protected form, so letters that take two bytes count twice.
PTCheckResult CheckAccountPassword(const std::u16string& text) {
    PTCheckResult result = CheckText(text, kJBAPasswordMax, "Warning33");
    if (result.ok() && QString::fromStdU16String(text).toUtf8().size() > kJBAPasswordMax)
        return {"Warning33"};
    return result;
}

// The storage password may stay empty; a given one has the printer's digits.
std::function<PTCheckResult(const std::u16string&)> StoragePasswordCheck(int32_t minimum) {
    return [minimum](const std::u16string& text) {
        if (text.empty())
            return PTCheckResult{};
        return CheckSecurePassword(text, minimum);
    };
}

PTTextEditCtrlMN* TextField(QWidget* widget, int32_t maximum, const char* key,
                            const ControlDataAccessInfo* access, const char* user) {
    return new PTTextEditCtrlMN(
        widget, maximum, PrintableFilter(key), access, user,
        [maximum, key](const std::u16string& text) { return CheckText(text, maximum, key); });
}

bool ValidateControls(BasePrintPanel* window) {
    for (BaseControl* control : window->getCtrlGroupArrayRef()) {
        QWidget* widget = control->GetControlPtr();
        // A field the person cannot reach does not stop them.
        if (widget && (!widget->isEnabled() || widget->isHidden()))
            continue;
        if (!control->PreInvalidateData() || !control->InvalidateData())
            return false;
    }
    return true;
}

BaseButton* AddButton(PopupWinInPanel* window, QWidget* widget, const char* key,
                      std::function<void()> action) {
    auto* button = new BaseButton(widget, key);
    button->SetPressAction([action] {
        action();
        return true;
    });
    window->RunTimeAddNewControl(button);
    return button;
}

} // namespace

JBAInfoWindowBase::JBAInfoWindowBase(QWidget* dialog, const char* titleKey, int32_t base,
                                     bool forAllUsers, JBAPDEmtk* owner)
    : tagBase(base), allUsers(forAllUsers), panel(owner) {
    PopupWinInPanelInit(dialog, titleKey);
}

JBAInfoWindowBase::~JBAInfoWindowBase() {
    delete windowRef;
}

QWidget* JBAInfoWindowBase::Tagged(int32_t offset) const {
    return FindTaggedWidget(windowRef, tagBase + offset);
}

void JBAInfoWindowBase::CreateWindowControls(ppd_file_t* ppd) {
    using namespace JBATag;
    const char* user = allUsers ? kPreferencesAnyUser : nullptr;
    auto key = [this](const char* name) { return KeyName(name, allUsers); };

    settingRadio =
        new RadioButton(Tagged(kSettingRadio), &kSettingRadioIniData, nullptr,
                        AccessFor(0, key("JBAUserSettingRadioBtnTicket")), user, &radioGroup);
    RunTimeAddNewControl(settingRadio);
    inputRadio =
        new RadioButton(Tagged(kInputRadio), &kInputRadioIniData, nullptr,
                        AccessFor(0, key("JBAUserInputRadioBtnTicket")), user, &radioGroup);
    RunTimeAddNewControl(inputRadio);

    userIDListTable.disableLists = {{tagBase + kUserIDEdit}, {}};
    RunTimeAddNewControl(
        new AccountPopupControl(Tagged(kUserIDList), &kUserIDSourceIniData, &userIDListTable,
                                AccessFor(0, key("JBAUserIDListCtrlTicket")), user));
    RunTimeAddNewControl(
        TextField(Tagged(kUserIDEdit), kJBAUserIDMax, "Warning32",
                  AccessFor(kControlValueTypeCFString, key("JBAUserIDTextEditTicket")), user));
    RunTimeAddNewControl(new PTTextEditCtrlMN(
        Tagged(kUserPasswordEdit), kJBAPasswordMax, PrintableFilter("Warning33"),
        AccessFor(kControlValueTypePassword, key("JBAUserPasswordTextEditTicket")), user,
        CheckAccountPassword, true));
    RunTimeAddNewControl(
        TextField(Tagged(kStorageIDEdit), kJBAStorageIDMax, "Warning38",
                  AccessFor(kControlValueTypeCFString, key("JBAStorageIDTextEditTicket")), user));
    RunTimeAddNewControl(new PTTextEditCtrlMN(
        Tagged(kStoragePasswordEdit), kJBAPasswordMax, DigitFilter("Message60"),
        AccessFor(kControlValueTypePassword, key("JBAStoragePasswordTextEditTicket")), user,
        StoragePasswordCheck(GetMinDigitPasscode(ppd)), true));
    RunTimeAddNewControl(
        TextField(Tagged(kAccountIDEdit), kJBAAccountIDMax, "Warning34",
                  AccessFor(kControlValueTypeCFString, key("JBAAccountIDTextEditTicket")), user));
    lastInfoCheck = new CheckBox(Tagged(kLastInfoCheck), &kLastInfoIniData, nullptr,
                                 AccessFor(0, key("JBALastInfoCheckboxTicket")), user);
    RunTimeAddNewControl(lastInfoCheck);
    userIDFormatCheck = new CheckBox(Tagged(kUserIDFormatCheck), &kUserIDFormatIniData, nullptr,
                                     AccessFor(0, key("JBAUserIDFormatCheckboxTicket")), user);
    RunTimeAddNewControl(userIDFormatCheck);
    accountIDFormatCheck =
        new CheckBox(Tagged(kAccountIDFormatCheck), &kAccountIDFormatIniData, nullptr,
                     AccessFor(0, key("JBAAccountIDFormatCheckboxTicket")), user);
    RunTimeAddNewControl(accountIDFormatCheck);

    AddButton(this, Tagged(kOK), "JBA Info OK Btn", [this] { OnOK(); });
    AddButton(this, Tagged(kCancel), "JBA Info CANCEL Btn", [this] { OnCancel(); });
    AddButton(this, Tagged(kRestore), "JBA Info RESTORE Btn", [this] { OnRestore(); });
    AddButton(this, Tagged(kHelp), "JBA Info Help Btn", [this] { OnHelp(); });

    if (auto* login = qobject_cast<QLineEdit*>(Tagged(kLoginEdit)))
        login->setText(QString::fromStdString(CurrentLoginName()));
}

void JBAInfoWindowBase::WindowValuesShown() {
    panel->ApplySettingsWindowRules(this);
}

bool JBAInfoWindowBase::ValidateUserPane() {
    return ValidateControls(this);
}

bool JBAInfoWindowBase::IsPrintTimeEntry() const {
    return inputRadio && inputRadio->GetValue() == 1;
}
bool JBAInfoWindowBase::KeepsLastInput() const {
    return lastInfoCheck && lastInfoCheck->GetValue() == 1;
}
bool JBAInfoWindowBase::HidesUserID() const {
    return userIDFormatCheck && userIDFormatCheck->GetValue() == 1;
}
bool JBAInfoWindowBase::HidesAccountID() const {
    return accountIDFormatCheck && accountIDFormatCheck->GetValue() == 1;
}

void JBAInfoWindowBase::OnOK() {
    if (!ValidateUserPane())
        return;
    SycValueFromUI();
    SetValueFromUIToControl();
    DeactivateWindow(1);
}

void JBAInfoWindowBase::OnCancel() {
    DeactivateWindow(0);
}

void JBAInfoWindowBase::OnRestore() {
    SetDefaultValueToUI();
}

void JBAInfoWindowBase::OnHelp() {
    GotoHelpPage(pdeBundleRef, "DetailedUS.htm", nullptr, "Help Book Name");
}

JBAInfoAdminWndKR::JBAInfoAdminWndKR(QWidget* dialog, JBAPDEmtk* owner)
    : JBAInfoWindowBase(dialog, "JBA Admin Window Title", JBATag::kAllUsersBase, true, owner) {}

JBAInfoWndMN::JBAInfoWndMN(QWidget* dialog, JBAPDEmtk* owner)
    : JBAInfoWindowBase(dialog, "JBA Info Window Title", JBATag::kPersonalBase, false, owner) {}

JBAInputWindowKR::JBAInputWindowKR(QWidget* dialog, JBAPDEmtk* owner) : panel(owner) {
    PopupWinInPanelInit(dialog, "JBA Input Window Title");
}

JBAInputWindowKR::~JBAInputWindowKR() {
    delete windowRef;
}

QWidget* JBAInputWindowKR::Tagged(int32_t tag) const {
    return FindTaggedWidget(windowRef, tag);
}

void JBAInputWindowKR::CreateWindowControls(ppd_file_t* ppd) {
    using namespace JBATag;
    RunTimeAddNewControl(new RadioButton(Tagged(kInputAuthRadio), &kAuthRadioIniData, nullptr,
                                         AccessFor(0, "JBAInputAuthRadioBtnTicketKey"), nullptr,
                                         &radioGroup));
    RunTimeAddNewControl(new RadioButton(Tagged(kInputStrgRadio), &kStrgRadioIniData, nullptr,
                                         AccessFor(0, "JBAInputStrgRadioBtnTicketKey"), nullptr,
                                         &radioGroup));
    // Each identity has a field showing the text and a twin hiding it; both
    // carry the same value and key.
    const auto* userAccess = AccessFor(kControlValueTypeCFString, "JBAInputUserIDTextEditTicket");
    userID = TextField(Tagged(kInputUserIDEdit), kJBAUserIDMax, "Warning32", userAccess, nullptr);
    userIDHidden =
        TextField(Tagged(kInputUserIDHidden), kJBAUserIDMax, "Warning32", userAccess, nullptr);
    RunTimeAddNewControl(userID);
    RunTimeAddNewControl(userIDHidden);
    RunTimeAddNewControl(new PTTextEditCtrlMN(
        Tagged(kInputUserPasswordEdit), kJBAPasswordMax, PrintableFilter("Warning33"),
        AccessFor(kControlValueTypePassword, "JBAInputUserPasswordTextEditTicket"), nullptr,
        CheckAccountPassword, true));
    const auto* accountAccess =
        AccessFor(kControlValueTypeCFString, "JBAInputAccountIDTextEditTicket");
    accountID = TextField(Tagged(kInputAccountIDEdit), kJBAAccountIDMax, "Warning34", accountAccess,
                          nullptr);
    accountIDHidden = TextField(Tagged(kInputAccountIDHidden), kJBAAccountIDMax, "Warning34",
                                accountAccess, nullptr);
    RunTimeAddNewControl(accountID);
    RunTimeAddNewControl(accountIDHidden);
    const auto* storageAccess =
        AccessFor(kControlValueTypeCFString, "JBAInputStorageIDTextEditTicket");
    storageID = TextField(Tagged(kInputStorageIDEdit), kJBAStorageIDMax, "Warning38A",
                          storageAccess, nullptr);
    storageIDHidden = TextField(Tagged(kInputStorageIDHidden), kJBAStorageIDMax, "Warning38A",
                                storageAccess, nullptr);
    RunTimeAddNewControl(storageID);
    RunTimeAddNewControl(storageIDHidden);
    RunTimeAddNewControl(new PTTextEditCtrlMN(
        Tagged(kInputStoragePasswordEdit), kJBAPasswordMax, DigitFilter("Message60"),
        AccessFor(kControlValueTypePassword, "JBAInputStoragePasswordTextEditTicket"), nullptr,
        StoragePasswordCheck(GetMinDigitPasscode(ppd)), true));

    AddButton(this, Tagged(kInputOK), "JBA Input OK Btn", [this] { OnOK(); });
    AddButton(this, Tagged(kInputCancel), "JBA Input CANCEL Btn", [this] { OnCancel(); });
    AddButton(this, Tagged(kInputHelp), "JBA Input Help Btn", [this] { OnHelp(); });
}

void JBAInputWindowKR::SyncTwins(bool userFromShown, bool accountFromShown) {
    auto copy = [](PTTextEditCtrlMN* from, PTTextEditCtrlMN* to) {
        if (from && to)
            to->SetText(from->GetText());
    };
    if (userFromShown) {
        copy(userID, userIDHidden);
        copy(storageID, storageIDHidden);
    } else {
        copy(userIDHidden, userID);
        copy(storageIDHidden, storageID);
    }
    if (accountFromShown)
        copy(accountID, accountIDHidden);
    else
        copy(accountIDHidden, accountID);
}

void JBAInputWindowKR::PrepareFields() {
    JBAInfoWindowBase* settings = panel->CurrentModeWindow();
    hideUserID = settings && settings->HidesUserID();
    hideAccountID = settings && settings->HidesAccountID();
    ReInitializeUserPane();
    SetUIDataToIniData();
    if (settings && settings->KeepsLastInput()) {
        GetValueFromPreference();
    } else {
        for (BaseControl* control : getCtrlGroupArrayRef())
            control->SetControlValueToDefault();
    }
    // Both twins start with the text of the one in use.
    SyncTwins(!hideUserID, !hideAccountID);
    SetCurrentValueToUI();
    auto hide = [](PTTextEditCtrlMN* control) {
        if (control)
            control->Hide();
    };
    hide(hideUserID ? userID : userIDHidden);
    hide(hideUserID ? storageID : storageIDHidden);
    hide(hideAccountID ? accountID : accountIDHidden);
    panel->ApplyInputWindowRules(this);
}

bool JBAInputWindowKR::RunEntry(bool show) {
    if (!windowRef)
        return !show;
    PrepareFields();
    if (!show) {
        SycValueFromUI();
        SetValueFromUIToControl();
        return true;
    }
    modalRunning = true;
    modalResult = RunModalWindow(windowRef);
    modalRunning = false;
    return modalResult == 1;
}

bool JBAInputWindowKR::ValidateUserPane() {
    return ValidateControls(this);
}

void JBAInputWindowKR::OnOK() {
    if (!ValidateUserPane())
        return;
    SycValueFromUI();
    SetValueFromUIToControl();
    // The twin not shown gets what was typed, so both write the same value.
    SyncTwins(!hideUserID, !hideAccountID);
    DeactivateWindow(1);
}

void JBAInputWindowKR::OnCancel() {
    DeactivateWindow(0);
}

void JBAInputWindowKR::OnHelp() {
    GotoHelpPage(pdeBundleRef, "EnterUD.htm", nullptr, "Help Book Name");
}

} // namespace KESTRANE_NS
