#include "PrintTypePDEmtk.h"

#include "BaseButton.h"
#include "NumberUnit.h"
#include "PDEResourceAccess.h"
#include "PrintAccountKeys.h"
#include "PrintTypeTags.h"
#include "TicketText.h"
#include "VersionStringSText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cstdlib>
#include <vector>

namespace KESTRANE_NS {

namespace {

const ControlDataAccessInfo kJobTypeAccess = {kControlValueTypeInteger, kControlValueTypeInteger,
                                              kPrintTypeTicketKey, kPrintTypeReference};
const char* const kJobTypeItems[] = {"Job Type None", "Job Type Secure", "Job Type Sample",
                                     "Job Type Time", "Job Type MBN",    nullptr};
const PopupIniData kJobTypeIniData = {0, 1, 1, kJobTypeItems};

const char* const kWindowFiles[4] = {"PrintTypeSecureWindow", "PrintTypeSampleWindow",
                                     "PrintTypeDelayedWindow", "PrintTypeMailBoxWindow"};

} // namespace

PTListCtrlMN::PTListCtrlMN(QWidget* widget, PrintTypePDEmtk* owner)
    : AccountPopupControl(widget, &kJobTypeIniData, nullptr, &kJobTypeAccess, nullptr),
      panel(owner) {}

bool PTListCtrlMN::InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) {
    QComboBox* combo = GetComboBox();
    if (!combo)
        return false;
    combo->clear();
    const auto items = PTListItemsForPPD(ppd);
    for (const PTListItem& item : items) {
        QString text = LocalizedString(bundle, item.key, LocalizeTableName);
        if (text == QLatin1String(kNoTranslation))
            text = QString::fromUtf8(item.key);
        combo->addItem(text, QString::fromUtf8(item.key));
    }
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        SetItemEnabled(i, items[i].enabled);
    return true;
}

void PTListCtrlMN::FallBackToAvailableType() {
    QComboBox* combo = GetComboBox();
    const int value = GetValue();
    if (!combo || (value >= 1 && value <= combo->count() && IsItemEnabled(value - 1)))
        return;
    SetValue(kPTJobNone);
}

bool PTListCtrlMN::UIEventHandler() {
    const int shown = SelectedValue();
    const int previous = UIBlkInt();
    if (shown == previous)
        return true;
    if (shown != kPTJobNone && !panel->OpenSettingsWindow(shown)) {
        SelectValue(previous);
        return true;
    }
    return AccountPopupControl::UIEventHandler();
}

int PTListCtrlMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    QComboBox* combo = GetComboBox();
    if (!combo)
        return 0;
    QString title = AccountMessage(ctrlBundleRef, "Summary Job Type", LocalizeTableName, -1);
    dict.insert(title, combo->itemText(GetValue() - 1));
    orderArray.append(title);
    return 0;
}

PrintTypePDEmtk::PrintTypePDEmtk(PDECallbackRef callback)
    : PDEPrintPanel(callback, "com.kestrane.mtk.pde.PrintTypeKind", "PrintType PDE Title") {
    // A product name outside the product table is served as product type 0.
    currentProductType = 0;
    SetKeepsValuesInPreferences(true);
    SetHelpBookNameKey("Help Book Name");
    SetScrambledControls(
        {PTTag::kSecureBase + PTTag::kSecondField, PTTag::kMailBoxBase + PTTag::kSecondField});
}

bool PrintTypePDEmtk::LoadPanelControls() {
    using namespace PTTag;
    QWidget* view = GetPanelControlPtr();
    hasPasswordAttribute = HasMinDigitPasscode(GetCurrentPPD());
    blocks.productType = GetProductType();
    blocks.helpPage = GetHelpPageName();

    jobTypeList = new PTListCtrlMN(FindTaggedWidget(view, kJobTypeList), this);
    RunTimeAddNewControl(jobTypeList);
    auto* settings =
        new BaseButton(FindTaggedWidget(view, kSettingsButton), "Job Type Settings Btn");
    settings->SetPressAction([this] {
        int shown = jobTypeList->ShownValue();
        if (shown != kPTJobNone)
            OpenSettingsWindow(shown);
        return true;
    });
    RunTimeAddNewControl(settings);
    auto* version = new VersionStringSText();
    version->CreateControl(FindTaggedWidget(view, kVersionText), nullptr, false);
    RunTimeAddNewControl(version);
    if (auto* label = qobject_cast<QLabel*>(FindTaggedWidget(view, kJobTypeLabel)))
        label->setText(AccountMessage(GetAppBundleRef(), "Job Type Label", LocalizeTableName, -1));

    for (int i = 0; i < 4; ++i) {
        QWidget* dialog = LoadAccountInterface(GetAppBundleRef(), kWindowFiles[i]);
        if (!dialog)
            continue;
        PrintTypeWindowMN* window = nullptr;
        switch (i) {
        case 0:
            window = new SecurePrintWindowKR(dialog, &blocks);
            break;
        case 1:
            window = new SamplePrintWindowMN(dialog, &blocks);
            break;
        case 2:
            window = new DelayedPrintWindowMN(dialog, &blocks);
            break;
        default:
            window = new MailBoxPrintWindowKR(dialog, &blocks);
            break;
        }
        window->CreateWindowControls();
        RunTimeAddNewWindow(window);
        windows[i] = window;
    }
    passwordInfoWindow = LoadAccountInterface(GetAppBundleRef(), "PrintTypePasswordInfoWindow");
    return true;
}

void PrintTypePDEmtk::ValuesShown() {
    if (!jobTypeList)
        return;
    jobTypeList->FallBackToAvailableType();
    blocks.jobType = jobTypeList->GetValue();
}

PrintTypeWindowMN* PrintTypePDEmtk::WindowForType(int32_t jobType) const {
    if (jobType < kPTJobSecure || jobType > kPTJobMBN)
        return nullptr;
    return windows[jobType - kPTJobSecure];
}

bool PrintTypePDEmtk::OpenSettingsWindow(int32_t jobType) {
    PrintTypeWindowMN* window = WindowForType(jobType);
    if (!window)
        return false;
    return window->RunSettings();
}

bool PrintTypePDEmtk::SetPrintTypeDataBlkToTicket(const char* ticketKey, const char* reference,
                                                  PMPrintSettings settings, bool lock,
                                                  const std::string& text, bool isInteger) {
    std::string value = isInteger ? text : FormTicketString(text);
    bool ok = StoreSettingsText(settings, ticketKey, value, lock) == 0;
    std::string key;
    if (reference && FormPerPrinterKey(reference, GetCurrentPrinterString(), key))
        WritePreferenceText(key, text, "");
    return ok;
}

int PrintTypePDEmtk::SetValueToTicket(PMPrintSettings settings, bool lock,
                                      const std::vector<int>& encryptArray) {
    if (!settings)
        return 0;
    SetPrintTypeDataBlkToTicket(kPrintTypeProductTypeTicketKey, nullptr, settings, lock,
                                std::to_string(GetProductType()), true);
    SetPrintTypeDataBlkToTicket(kDocumentNameTypeTicketKey, nullptr, settings, lock,
                                std::to_string(blocks.documentNameKind), true);
    SetPrintTypeDataBlkToTicket(kDocumentNameTicketKey, nullptr, settings, lock,
                                blocks.documentName, false);
    SetPrintTypeDataBlkToTicket(kPrintTypeUserNameTicketKey, nullptr, settings, lock, blocks.userID,
                                false);
    return BasePrintPanel::SetValueToTicket(settings, lock, encryptArray);
}

int PrintTypePDEmtk::SetValueToPreference() {
    int result = BasePrintPanel::SetValueToPreference();
    const std::pair<const char*, std::string> values[] = {
        {kPrintTypeUserNameReference, blocks.userID},
        {kDocumentNameTypeReference, std::to_string(blocks.documentNameKind)},
        {kDocumentNameReference, blocks.documentName},
    };
    for (const auto& [reference, text] : values) {
        std::string key;
        if (FormPerPrinterKey(reference, GetCurrentPrinterString(), key))
            WritePreferenceText(key, text, "");
    }
    return result;
}

int PrintTypePDEmtk::GetValueFromPreference() {
    int result = BasePrintPanel::GetValueFromPreference();
    std::string key, text;
    if (FormPerPrinterKey(kPrintTypeUserNameReference, GetCurrentPrinterString(), key) &&
        ReadPreferenceText(key, "", text) && text.size() <= kPTUserIDMax * 2)
        blocks.userID = text;
    if (FormPerPrinterKey(kDocumentNameTypeReference, GetCurrentPrinterString(), key) &&
        ReadPreferenceText(key, "", text)) {
        int kind = std::atoi(text.c_str());
        blocks.documentNameKind = (kind == 2) ? 2 : 1;
    }
    if (FormPerPrinterKey(kDocumentNameReference, GetCurrentPrinterString(), key) &&
        ReadPreferenceText(key, "", text) && text.size() <= 254)
        blocks.documentName = text;
    if (jobTypeList)
        blocks.jobType = jobTypeList->GetValue();
    return result;
}

bool PrintTypePDEmtk::GetValueFromPreset() {
    PDEPrintPanel::GetValueFromPreset();
    PMPrintSettings settings = GetCurrentPMPrintSettings();
    std::string text;
    // Texts come back from the ticket in their escaped form.
    auto decoded = [](const std::string& value) {
        std::vector<char> buffer(value.begin(), value.end());
        buffer.push_back('\0');
        numstrtochar(buffer.data(), buffer.size());
        return std::string(buffer.data());
    };
    if (ReadSettingsText(settings, kPrintTypeUserNameTicketKey, text))
        blocks.userID = decoded(text);
    if (ReadSettingsText(settings, kDocumentNameTypeTicketKey, text))
        blocks.documentNameKind = std::atoi(text.c_str()) == 2 ? 2 : 1;
    if (ReadSettingsText(settings, kDocumentNameTicketKey, text))
        blocks.documentName = decoded(text);
    if (jobTypeList)
        blocks.jobType = jobTypeList->GetValue();
    return true;
}

bool PrintTypePDEmtk::ValidateSecurePasswordForPrint() {
    auto* window = static_cast<SecurePrintWindowKR*>(WindowForType(kPTJobSecure));
    PTPWTextEditCtrlMN* password = window ? window->GetPasswordControl() : nullptr;
    if (!password)
        return true;
    std::u16string text = QString::fromStdString(password->GetText()).toStdU16String();
    PTCheckResult result = CheckSecurePassword(text, password->GetMinimum());
    if (result.ok())
        return true;
    if (hasPasswordAttribute && passwordInfoWindow) {
        if (auto* label = qobject_cast<QLabel*>(
                FindTaggedWidget(passwordInfoWindow, PTTag::kPasswordInfoText)))
            label->setText(AccountMessage(GetAppBundleRef(), "Message42", LocalizeTableName,
                                          password->GetMinimum()));
        passwordInfoWindow->setWindowTitle(
            AccountMessage(GetAppBundleRef(), "Password Info Window Title", LocalizeTableName, -1));
        if (auto* ok = qobject_cast<QPushButton*>(
                FindTaggedWidget(passwordInfoWindow, PTTag::kPasswordInfoOK))) {
            QObject::disconnect(ok, nullptr, nullptr, nullptr);
            QObject::connect(ok, &QPushButton::clicked, ok,
                             [this] { StopModalWindow(passwordInfoWindow, 1); });
        }
        RunModalWindow(passwordInfoWindow);
    } else {
        ShowAccountAlert(GetAppBundleRef(), result.messageKey.c_str(), LocalizeTableName,
                         result.markerValue,
                         GetPanelControlPtr() ? GetPanelControlPtr()->window() : nullptr);
    }
    return false;
}

bool PrintTypePDEmtk::shouldPrint() {
    if (IsFirstInitialize())
        SimulationOpenPDE();
    // Without a PPD or interface the panel was never built: nothing to check.
    if (IsFirstInitialize())
        return true;
    jobTypeList->SetValueFromUIToControl();
    if (jobTypeList->GetValue() == kPTJobSecure && !ValidateSecurePasswordForPrint())
        return false;
    // The windows checked their values when they were closed with OK.
    return saveValuesAndReturnError(nullptr);
}

QVariantMap PrintTypePDEmtk::summaryInfo() {
    if (jobTypeList)
        blocks.jobType = jobTypeList->GetValue();
    return PDEPrintPanel::summaryInfo();
}

} // namespace KESTRANE_NS
