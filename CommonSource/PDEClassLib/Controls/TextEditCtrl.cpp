#include "TextEditCtrl.h"

#include "PDETextUnits.h"
#include "TextUtility.h"
#include "TicketText.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>

namespace KESTRANE_NS {

TextEditCtrl::TextEditCtrl(QWidget* widget, const TextEditIniData* ini,
                           const ControlConstrainTable* table,
                           const ControlDataAccessInfo* accessInfo, const char* userName,
                           const TextEditFilterData* filter)
    : filterData(filter) {
    CreateControl(widget);
    if (ini) {
        iniData = *ini;
        // The record's texts are used as C strings.
        iniData.initialText[kTextEditBlockSize - 1] = 0;
        iniData.defaultText[kTextEditBlockSize - 1] = 0;
        hasIniData = true;
    }
    StoreRecords(table, accessInfo, userName);
}

TextEditCtrl::~TextEditCtrl() = default;

void TextEditCtrl::AttachFormatter() {
    auto* edit = qobject_cast<QLineEdit*>(ControlPtr);
    if (!edit)
        return;
    delete formatter.data();
    int maximum = hasIniData ? static_cast<int>(iniData.maximumWidth) : kTextEditBlockSize - 1;
    formatter = new TextEditFormatter(filterData, maximum, edit);
    edit->setValidator(formatter);
}

bool TextEditCtrl::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    AttachFormatter();
    AllocateValueBlocks(kTextEditBlockSize);
    ctrlDataSize = 0;
    return true;
}

bool TextEditCtrl::ReInitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    BaseControl::InitializeCtrl(bundle, ppd);
    AttachFormatter();
    return true;
}

void TextEditCtrl::SetWidgetText(const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr)) {
        const QSignalBlocker block(edit);
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(ControlPtr)) {
        label->setText(text);
    }
}

std::string TextEditCtrl::GetWidgetText() const {
    if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr))
        return edit->text().toStdString();
    if (auto* label = qobject_cast<QLabel*>(ControlPtr))
        return label->text().toStdString();
    return BlockText(ctrlUIDataBlkPtr);
}

void TextEditCtrl::StoreText(std::vector<uint8_t>& block, const std::string& text) {
    if (block.empty())
        return;
    std::fill(block.begin(), block.end(), 0);
    std::string cut = CutUtf8ToBytes(text, block.size() - 1);
    std::memcpy(block.data(), cut.data(), cut.size());
}

std::string TextEditCtrl::BlockText(const std::vector<uint8_t>& block) {
    if (block.empty())
        return {};
    const char* p = reinterpret_cast<const char*>(block.data());
    return std::string(p, strnlen(p, block.size()));
}

std::string TextEditCtrl::GetText() const {
    return BlockText(ctrlDataBlkPtr);
}

bool TextEditCtrl::SetControlValueToUI() {
    if (!ctrlDataAccessInfoPtr)
        return true;
    // The width is taken from the committed text itself: the size field is
    // shared with the UI block, which may have been reset since.
    const std::string text = GetText();
    SetWidgetText(GetStringLength(text) == 0 ? QString() : QString::fromStdString(text));
    return true;
}

bool TextEditCtrl::SetExternalValueToUI(const void* value, uint32_t size) {
    if (!ControlPtr || !IsWidgetEnabled(ControlPtr) || !value)
        return false;
    const char* p = static_cast<const char*>(value);
    SetWidgetText(QString::fromUtf8(p, static_cast<qsizetype>(strnlen(p, size))));
    return true;
}

void TextEditCtrl::SetValueFromUIToControl() {
    if (ctrlDataBlkPtr.empty() || ctrlUIDataBlkPtr.empty())
        return;
    if (GetStringLength(BlockText(ctrlUIDataBlkPtr)) == 0)
        std::fill(ctrlDataBlkPtr.begin(), ctrlDataBlkPtr.end(), 0);
    else
        ctrlDataBlkPtr = ctrlUIDataBlkPtr;
}

uint8_t* TextEditCtrl::GetValueFromUI() {
    if (ctrlUIDataBlkPtr.empty())
        return nullptr;
    std::string text = GetWidgetText();
    StoreText(ctrlUIDataBlkPtr, text);
    ctrlDataSize = static_cast<uint32_t>(GetStringLength(BlockText(ctrlUIDataBlkPtr)));
    return GetValueFromUIDataBlk();
}

bool TextEditCtrl::ConvertToTickectData(std::string& out) {
    out = CutUtf8ToBytes(GetText(), 255);
    return true;
}

bool TextEditCtrl::GetValueToPreset() {
    std::string text;
    if (!ReadPresetText(text))
        return false;
    StoreText(ctrlDataBlkPtr, ReadTicketString(text));
    ctrlDataSize = static_cast<uint32_t>(GetStringLength(GetText()));
    return true;
}

bool TextEditCtrl::ConvertFromPreferenceString(const std::string& text) {
    StoreText(ctrlDataBlkPtr, text);
    ctrlDataSize = static_cast<uint32_t>(GetStringLength(GetText()));
    return true;
}

bool TextEditCtrl::ConvertToPreferenceString(std::string& out) {
    out = CutUtf8ToBytes(GetText(), 254);
    return true;
}

const void* TextEditCtrl::GetDefaultDataBlk() const {
    return hasIniData ? iniData.defaultText : nullptr;
}

uint32_t TextEditCtrl::GetDefaultDataSize() const {
    return hasIniData ? static_cast<uint32_t>(std::strlen(iniData.defaultText)) : 0;
}

const void* TextEditCtrl::GetIniDataBlk() const {
    return hasIniData ? iniData.initialText : nullptr;
}

uint32_t TextEditCtrl::GetIniDataSize() const {
    return hasIniData ? static_cast<uint32_t>(std::strlen(iniData.initialText)) : 0;
}

void TextEditCtrl::SetControlValueToDefault() {
    if (ctrlDataBlkPtr.empty())
        return;
    std::fill(ctrlDataBlkPtr.begin(), ctrlDataBlkPtr.end(), 0);
    BaseControl::SetControlValueToDefault();
}

bool TextEditCtrl::IsTextAcceptable(const std::string& text) const {
    int width = GetStringLength(text);
    if (width != 0 && hasIniData &&
        (width < static_cast<int>(iniData.minimumWidth) ||
         width > static_cast<int>(iniData.maximumWidth)))
        return false;
    return !filterData || validateInput(text, *filterData);
}

bool TextEditCtrl::InvalidateData() {
    if (IsTextAcceptable(GetWidgetText()))
        return true;
    ShowErrMsg();
    return false;
}

bool TextEditCtrl::InvalidateDataAndReturnError() {
    return IsTextAcceptable(GetWidgetText());
}

void TextEditCtrl::ShowErrMsg() {
    const char* key = filterData ? filterData->message.c_str() : "";
    ShowControlAlert(ctrlBundleRef, key, LocalizeTableName,
                     ControlPtr ? ControlPtr->window() : nullptr);
    // The person corrects the value where it is wrong.
    if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

void TextEditCtrl::CorrectCtrlUI() {
    SetWidgetText(QString());
    if (!ctrlUIDataBlkPtr.empty())
        std::fill(ctrlUIDataBlkPtr.begin(), ctrlUIDataBlkPtr.end(), 0);
    ctrlDataSize = 0;
}

} // namespace KESTRANE_NS
