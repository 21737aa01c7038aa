#include "AccountControls.h"

#include "ControlPlatform.h"
#include "PlatformServices.h"
#include "PluginBundle.h"
#include "TextUtility.h"
#include "kspenclib.h"

#include <QLineEdit>

#include <cstring>
#include <map>
#include <memory>

namespace KESTRANE_NS {

QWidget* LoadAccountInterface(PDEBundleRef bundle, const char* name, QWidget* parent) {
    if (!bundle || !name)
        return nullptr;
    std::string path = bundle->PathForResource(name, "ui");
    if (path.empty())
        return nullptr;
    return LoadInterfaceFile(QString::fromStdString(path), parent);
}

QString AccountMessage(PDEBundleRef bundle, const char* key, const QString& table, int32_t marker) {
    QString text = LocalizedString(bundle, key, table);
    if (text == QLatin1String(kNoTranslation))
        text = QString::fromUtf8(key);
    if (marker >= 0)
        text = QString::fromStdString(ReplaceCountMarker(text.toStdString(), marker));
    return text;
}

int ShowAccountAlert(PDEBundleRef bundle, const char* key, const QString& table, int32_t marker,
                     QWidget* parent) {
    AlertRequest request;
    request.message = AccountMessage(bundle, key, table, marker).toStdString();
    if (bundle)
        request.iconPath = bundle->PathForResource("AlertIcon", "png");
    request.buttons.push_back(AccountMessage(bundle, kAlertOKButtonKey, table, -1).toStdString());
    request.parent = parent;
    return Services().RunAlert(request);
}

std::string ProtectPreferenceText(const std::string& text) {
    if (text.empty() || text.size() > 189)
        return {};
    unsigned char scrambled[255];
    int scrambledLength = 0;
    char encoded[256] = {};
    int encodedLength = 0;
    if (KSPEncrypt(reinterpret_cast<const unsigned char*>(text.data()),
                   static_cast<int>(text.size()), scrambled, &scrambledLength, 255) != 0 ||
        KSPBinToB64(scrambled, scrambledLength, encoded, &encodedLength, 255) != 0)
        return {};
    return std::string(encoded, static_cast<size_t>(encodedLength));
}

std::string UnprotectPreferenceText(const std::string& text) {
    if (text.empty() || text.size() % 4 != 0 || text.size() > 255)
        return {};
    unsigned char scrambled[255];
    int scrambledLength = 0;
    unsigned char plain[255];
    int plainLength = 0;
    if (KSPB64ToBin(text.data(), static_cast<int>(text.size()), scrambled, &scrambledLength, 255) !=
            0 ||
        scrambledLength < 1 ||
        KSPEncrypt(scrambled, scrambledLength, plain, &plainLength, 255) != 0)
        return {};
    return std::string(reinterpret_cast<char*>(plain), static_cast<size_t>(plainLength));
}

namespace {

TextEditFilterData MakeFilter(const char* key, int32_t low, int32_t high) {
    TextEditFilterData data{};
    data.byteFilter.inputItemCount = 0;
    data.charFilter.inputItemCount = 1;
    data.charFilter.inputScale[0] = {low, high};
    data.message = key;
    return data;
}

const TextEditFilterData* CachedFilter(const char* key, bool digits) {
    static std::map<std::string, std::unique_ptr<TextEditFilterData>> filters[2];
    auto& table = filters[digits ? 1 : 0];
    auto it = table.find(key);
    if (it == table.end()) {
        auto data = std::make_unique<TextEditFilterData>(digits ? MakeFilter(key, '0', '9')
                                                                : MakeFilter(key, 0x20, 0xFE));
        it = table.emplace(key, std::move(data)).first;
    }
    return it->second.get();
}

TextEditIniData LengthRecord(int32_t maximumLength) {
    TextEditIniData data{};
    data.minimumWidth = 0;
    data.maximumWidth = static_cast<uint32_t>(maximumLength);
    return data;
}

} // namespace

const TextEditFilterData* PrintableFilter(const char* messageKey) {
    return CachedFilter(messageKey, false);
}

const TextEditFilterData* DigitFilter(const char* messageKey) {
    return CachedFilter(messageKey, true);
}

PTTextEditCtrlMN::PTTextEditCtrlMN(QWidget* widget, int32_t maximumLength,
                                   const TextEditFilterData* filter,
                                   const ControlDataAccessInfo* accessInfo, const char* userName,
                                   Check rule, bool protectPreference)
    : TextEditCtrl(widget, nullptr, nullptr, accessInfo, userName, filter), check(std::move(rule)),
      protectedPreference(protectPreference) {
    TextEditIniData record = LengthRecord(maximumLength);
    iniData = record;
    hasIniData = true;
}

void PTTextEditCtrlMN::SetMaximumLength(int32_t maximumLength) {
    iniData.maximumWidth = static_cast<uint32_t>(maximumLength);
    if (GetFormatter())
        GetFormatter()->SetMaximumWidth(maximumLength);
}

bool PTTextEditCtrlMN::InvalidateDataAndReturnError() {
    if (!check)
        return TextEditCtrl::InvalidateDataAndReturnError();
    std::u16string text = QString::fromStdString(GetWidgetText()).toStdU16String();
    lastResult = check(text);
    return lastResult.ok();
}

bool PTTextEditCtrlMN::InvalidateData() {
    if (!check)
        return TextEditCtrl::InvalidateData();
    if (InvalidateDataAndReturnError())
        return true;
    ShowErrMsg();
    return false;
}

void PTTextEditCtrlMN::ShowErrMsg() {
    const char* key = !lastResult.ok() ? lastResult.messageKey.c_str()
                                       : (filterData ? filterData->message.c_str() : "");
    ShowAccountAlert(ctrlBundleRef, key, LocalizeTableName, lastResult.markerValue,
                     ControlPtr ? ControlPtr->window() : nullptr);
    if (auto* edit = qobject_cast<QLineEdit*>(ControlPtr)) {
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
    }
}

bool PTTextEditCtrlMN::ConvertToPreferenceString(std::string& out) {
    if (!TextEditCtrl::ConvertToPreferenceString(out))
        return false;
    if (protectedPreference)
        out = ProtectPreferenceText(out);
    return true;
}

bool PTTextEditCtrlMN::ConvertFromPreferenceString(const std::string& text) {
    return TextEditCtrl::ConvertFromPreferenceString(
        protectedPreference ? UnprotectPreferenceText(text) : text);
}

void PTTextEditCtrlMN::SetText(const std::string& text) {
    TextEditCtrl::ConvertFromPreferenceString(text);
    if (!ctrlUIDataBlkPtr.empty())
        StoreText(ctrlUIDataBlkPtr, text);
    SetControlValueToUI();
}

PTPWTextEditCtrlMN::PTPWTextEditCtrlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo,
                                       const char* userName)
    : PTTextEditCtrlMN(widget, kPTPasswordMax, DigitFilter("Message60"), accessInfo, userName,
                       nullptr, true) {
    check = [this](const std::u16string& text) { return CheckSecurePassword(text, minimum); };
}

bool PTPWTextEditCtrlMN::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    minimum = GetMinDigitPasscode(ppd);
    return PTTextEditCtrlMN::InitializeCtrl(bundle, ppd);
}

PTMBNTextEditCtrlMN::PTMBNTextEditCtrlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo,
                                         const char* userName)
    : PTTextEditCtrlMN(widget, kPTMBNMax, DigitFilter("Warning22"), accessInfo, userName, nullptr) {
    check = [this](const std::u16string& text) { return CheckMailBoxNumber(text, maximum); };
}

bool PTMBNTextEditCtrlMN::InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) {
    maximum = GetMailBoxMax(ppd);
    return PTTextEditCtrlMN::InitializeCtrl(bundle, ppd);
}

void AccountPopupControl::SetValue(int32_t value) {
    SetControlBlkInt(value);
    SetUIBlkInt(value);
    SetControlValueToUI();
}

} // namespace KESTRANE_NS
