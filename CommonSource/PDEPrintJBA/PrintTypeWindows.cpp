#include "PrintTypeWindows.h"

#include "BaseButton.h"
#include "PDEResourceAccess.h"
#include "PrintAccountKeys.h"
#include "PrintTypeTags.h"

#include <QWidget>

namespace KESTRANE_NS {

namespace {

const char* const kDocumentNameKindItems[] = {"Document Name Job Title", "Document Name Enter",
                                              nullptr};
const PopupIniData kDocumentNameKindIniData = {0, 1, 1, kDocumentNameKindItems};

// The user ID and document name belong to the panel's own data: their
// controls show and edit them but store nothing themselves.
const ControlDataAccessInfo kPanelDataAccess = {kControlValueTypeCFString,
                                                kControlValueTypeCFString, nullptr, nullptr};

const ControlDataAccessInfo kPasswordAccess = {kControlValueTypePassword, kControlValueTypePassword,
                                               kPrintTypePasswordTicketKey,
                                               kPrintTypePasswordReference};
const ControlDataAccessInfo kDelayPrintAccess = {kControlValueTypeDate, kControlValueTypeDate,
                                                 kDelayPrintTicketKey, kDelayPrintReference};
const ControlDataAccessInfo kMailBoxAccess = {kControlValueTypeCFString, kControlValueTypeCFString,
                                              kPrintTypeMBNTicketKey, kPrintTypeMBNReference};
const ControlDataAccessInfo kMailBoxPasswordAccess = {
    kControlValueTypePassword, kControlValueTypePassword, kPrintTypeMBNPasswordTicketKey,
    kPrintTypeMBNPasswordReference};

} // namespace

PrintTypeWindowMN::PrintTypeWindowMN(QWidget* dialog, const char* titleKey, int32_t base,
                                     int32_t type, PrintTypeDataBlocks* data)
    : tagBase(base), jobType(type), blocks(data) {
    PopupWinInPanelInit(dialog, titleKey);
}

PrintTypeWindowMN::~PrintTypeWindowMN() {
    // The window is a top-level widget of its own.
    delete windowRef;
}

QWidget* PrintTypeWindowMN::Tagged(int32_t offset) const {
    return FindTaggedWidget(windowRef, tagBase + offset);
}

void PrintTypeWindowMN::CreateWindowControls() {
    using namespace PTTag;
    if (jobType == kPTJobSecure || jobType == kPTJobSample) {
        userIDCtrl =
            new PTTextEditCtrlMN(Tagged(kFirstField), kPTUserIDMax, PrintableFilter("Message43"),
                                 &kPanelDataAccess, nullptr, CheckPTUserID);
        RunTimeAddNewControl(userIDCtrl);
    }
    docKindTable.disableLists = {{tagBase + kDocumentName}, {}};
    docKindCtrl = new AccountPopupControl(Tagged(kDocumentNameKind), &kDocumentNameKindIniData,
                                          &docKindTable, &kPanelDataAccess, nullptr);
    RunTimeAddNewControl(docKindCtrl);
    const int32_t productType = blocks->productType;
    const bool mailbox = IsMailBox();
    docNameCtrl = new PTTextEditCtrlMN(
        Tagged(kDocumentName), GetDocumentNameMax(productType),
        PrintableFilter(DocumentNameMessageKey(productType, mailbox)), &kPanelDataAccess, nullptr,
        [productType, mailbox](const std::u16string& text) {
            return CheckDocumentName(text, productType, mailbox);
        });
    RunTimeAddNewControl(docNameCtrl);

    auto addButton = [this](int32_t offset, const char* key, void (PrintTypeWindowMN::*action)()) {
        auto* button = new BaseButton(Tagged(offset), key);
        button->SetPressAction([this, action] {
            (this->*action)();
            return true;
        });
        RunTimeAddNewControl(button);
    };
    addButton(kOK, "PT OK Btn", &PrintTypeWindowMN::OnOK);
    addButton(kCancel, "PT Cancel Btn", &PrintTypeWindowMN::OnCancel);
    addButton(kRestore, "PT Restore Btn", &PrintTypeWindowMN::OnRestore);
    addButton(kHelp, "PT Help Btn", &PrintTypeWindowMN::OnHelp);
}

// A kept value longer than the field takes (the queue's model changed) is
// shown cut to what the field holds rather than dropped.
static std::string CutToCharacters(const std::string& text, int32_t maximum) {
    QString value = QString::fromStdString(text);
    return value.size() > maximum ? value.left(maximum).toStdString() : text;
}

void PrintTypeWindowMN::LoadFromBlocks() {
    if (userIDCtrl)
        userIDCtrl->SetText(CutToCharacters(blocks->userID, kPTUserIDMax));
    if (docKindCtrl)
        docKindCtrl->SetValue(blocks->documentNameKind);
    if (docNameCtrl)
        docNameCtrl->SetText(
            CutToCharacters(blocks->documentName, GetDocumentNameMax(blocks->productType)));
}

void PrintTypeWindowMN::StoreToBlocks() {
    if (userIDCtrl)
        blocks->userID = userIDCtrl->GetText();
    if (docKindCtrl)
        blocks->documentNameKind = docKindCtrl->GetValue();
    if (docNameCtrl)
        blocks->documentName = docNameCtrl->GetText();
}

bool PrintTypeWindowMN::RunSettings() {
    if (!windowRef)
        return false;
    LoadFromBlocks();
    ActivateWindow();
    return GetModalResult() == 1;
}

bool PrintTypeWindowMN::ValidateUserPane() {
    for (BaseControl* control : getCtrlGroupArrayRef()) {
        // A field the person cannot reach does not stop them.
        if (control->GetControlPtr() && !control->GetControlPtr()->isEnabled())
            continue;
        if (!control->PreInvalidateData() || !control->InvalidateData())
            return false;
    }
    return true;
}

void PrintTypeWindowMN::OnOK() {
    if (!ValidateUserPane())
        return;
    SycValueFromUI();
    SetValueFromUIToControl();
    StoreToBlocks();
    DeactivateWindow(1);
}

void PrintTypeWindowMN::OnCancel() {
    DeactivateWindow(0);
}

void PrintTypeWindowMN::OnRestore() {
    SetDefaultValueToUI();
}

void PrintTypeWindowMN::OnHelp() {
    GotoHelpPage(pdeBundleRef, blocks->helpPage.c_str(), nullptr, "Help Book Name");
}

void PrintTypeWindowMN::AddSummary(SummaryDictionary& dict, QStringList& order,
                                   const char* titleKey, const QString& value) {
    QString title = AccountMessage(pdeBundleRef, titleKey, LocalizeTableName, -1);
    dict.insert(title, value);
    order.append(title);
}

int PrintTypeWindowMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    // A window speaks only for the job type that is chosen.
    if (blocks->jobType != jobType)
        return 0;
    if (userIDCtrl)
        AddSummary(dict, orderArray, "Summary User ID", QString::fromStdString(blocks->userID));
    QString name =
        blocks->documentNameKind == 2
            ? QString::fromStdString(blocks->documentName)
            : AccountMessage(pdeBundleRef, "Document Name Job Title", LocalizeTableName, -1);
    AddSummary(dict, orderArray, "Summary Document Name", name);
    return 0;
}

SecurePrintWindowKR::SecurePrintWindowKR(QWidget* dialog, PrintTypeDataBlocks* data)
    : PrintTypeWindowMN(dialog, "Secure Print Window Title", PTTag::kSecureBase, kPTJobSecure,
                        data) {}

void SecurePrintWindowKR::CreateWindowControls() {
    PrintTypeWindowMN::CreateWindowControls();
    passwordCtrl = new PTPWTextEditCtrlMN(Tagged(PTTag::kSecondField), &kPasswordAccess, nullptr);
    RunTimeAddNewControl(passwordCtrl);
}

int SecurePrintWindowKR::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    PrintTypeWindowMN::GetSummaryText(dict, orderArray);
    if (blocks->jobType != jobType || !passwordCtrl)
        return 0;
    QString title = AccountMessage(pdeBundleRef, "Summary Password", LocalizeTableName, -1);
    title = QString::fromStdString(
        ReplaceRangeMarker(title.toStdString(), passwordCtrl->GetMinimum(), kPTPasswordMax));
    const char* state =
        passwordCtrl->GetText().empty() ? "Summary Password Not Set" : "Summary Password Set";
    dict.insert(title, AccountMessage(pdeBundleRef, state, LocalizeTableName, -1));
    orderArray.append(title);
    return 0;
}

SamplePrintWindowMN::SamplePrintWindowMN(QWidget* dialog, PrintTypeDataBlocks* data)
    : PrintTypeWindowMN(dialog, "Sample Print Window Title", PTTag::kSampleBase, kPTJobSample,
                        data) {}

DelayedPrintWindowMN::DelayedPrintWindowMN(QWidget* dialog, PrintTypeDataBlocks* data)
    : PrintTypeWindowMN(dialog, "Delayed Print Window Title", PTTag::kDelayedBase, kPTJobTime,
                        data) {}

void DelayedPrintWindowMN::CreateWindowControls() {
    PrintTypeWindowMN::CreateWindowControls();
    clockCtrl = new ClockControlMN(Tagged(PTTag::kFirstField), &kDelayPrintAccess, nullptr);
    RunTimeAddNewControl(clockCtrl);
}

int DelayedPrintWindowMN::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (blocks->jobType != jobType || !clockCtrl)
        return 0;
    clockCtrl->GetSummaryText(dict, orderArray);
    PrintTypeWindowMN::GetSummaryText(dict, orderArray);
    return 0;
}

MailBoxPrintWindowKR::MailBoxPrintWindowKR(QWidget* dialog, PrintTypeDataBlocks* data)
    : PrintTypeWindowMN(dialog, "Mailbox Print Window Title", PTTag::kMailBoxBase, kPTJobMBN,
                        data) {}

void MailBoxPrintWindowKR::CreateWindowControls() {
    PrintTypeWindowMN::CreateWindowControls();
    mailBoxCtrl = new PTMBNTextEditCtrlMN(Tagged(PTTag::kFirstField), &kMailBoxAccess, nullptr);
    RunTimeAddNewControl(mailBoxCtrl);
    mailBoxPasswordCtrl = new PTTextEditCtrlMN(Tagged(PTTag::kSecondField), kPTMBNPasswordMax,
                                               DigitFilter("Message40"), &kMailBoxPasswordAccess,
                                               nullptr, CheckMailBoxPassword, true);
    RunTimeAddNewControl(mailBoxPasswordCtrl);
}

int MailBoxPrintWindowKR::GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) {
    if (blocks->jobType != jobType || !mailBoxCtrl)
        return 0;
    AddSummary(dict, orderArray, "Summary Mailbox", QString::fromStdString(mailBoxCtrl->GetText()));
    PrintTypeWindowMN::GetSummaryText(dict, orderArray);
    return 0;
}

} // namespace KESTRANE_NS
