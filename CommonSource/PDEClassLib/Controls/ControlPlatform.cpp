#include "ControlPlatform.h"

#include "PDEResourceAccess.h"
#include "PDESettingsAccess.h"
#include "PlatformServices.h"
#include "PluginBundle.h"
#include "PreferenceStore.h"
#include "PrintSession.h"
#include "PrintSettings.h"
#include "UserGroups.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QVariant>
#include <QWidget>

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace KESTRANE_NS {

int GetWidgetTag(const QWidget* widget) {
    if (!widget)
        return -1;
    bool ok = false;
    int tag = widget->property("tag").toInt(&ok);
    return ok ? tag : -1;
}

bool IsWidgetEnabled(const QWidget* widget) {
    return widget && !widget->testAttribute(Qt::WA_ForceDisabled);
}

QMetaObject::Connection ConnectWidgetAction(QWidget* widget, std::function<void()> action) {
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return QObject::connect(combo, &QComboBox::activated, combo, [action](int) { action(); });
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return QObject::connect(button, &QAbstractButton::clicked, button,
                                [action](bool) { action(); });
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        return QObject::connect(spin, &QSpinBox::valueChanged, spin, [action](int) { action(); });
    if (auto* dspin = qobject_cast<QDoubleSpinBox*>(widget))
        return QObject::connect(dspin, &QDoubleSpinBox::valueChanged, dspin,
                                [action](double) { action(); });
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return QObject::connect(edit, &QLineEdit::editingFinished, edit, action);
    return {};
}

QString LocalizeTableNameFromPPD(ppd_file_t* ppd) {
    if (!ppd)
        return {};
    ppd_attr_t* attr = ppdFindAttr(ppd, kLocalizableFileIndexKey, nullptr);
    if (!attr || !attr->value)
        return {};
    return QStringLiteral("Localizable") + QString::fromUtf8(attr->value);
}

QString LocalizedString(PDEBundleRef bundle, const char* key, const QString& table) {
    if (!bundle || !key)
        return QString::fromLatin1(kNoTranslation);
    return QString::fromStdString(
        bundle->LocalizedString(key, kNoTranslation, table.toStdString()));
}

int StoreSettingsText(PMPrintSettings settings, const char* key, const std::string& text,
                      bool lock) {
    return SetValueToSettingsWithTicketKeyAndLock(text.c_str(), settings, key, lock);
}

bool ReadSettingsText(PMPrintSettings settings, const char* key, std::string& out) {
    return settings && key && settings->GetText(key, out) == 0;
}

bool IsCurrentUserDomain(const std::string& user) {
    return user.empty() || user == kPreferencesCurrentUser || user == CurrentLoginName();
}

bool IsAdministrator() {
    return ::IsUserAdmin();
}

bool FormPerPrinterKey(const char* preferenceKey, const std::string& printer, std::string& out) {
    // Without a printer every printer would share the value.
    if (!preferenceKey || printer.empty())
        return false;
    out.clear();
    return CreateKeyWithCurrentPrinter(preferenceKey, printer.c_str(), &out);
}

static std::string DomainOf(const std::string& user) {
    return IsCurrentUserDomain(user) ? std::string(kPreferencesCurrentUser) : user;
}

bool WritePreferenceText(const std::string& key, const std::string& text, const std::string& user) {
    PreferenceStore& store = PreferenceStore::Shared();
    std::string domain = DomainOf(user);
    if (!store.SetValue(key, text, domain))
        return false;
    return store.Synchronize(domain);
}

bool ReadPreferenceText(const std::string& key, const std::string& user, std::string& out) {
    std::optional<std::string> value = PreferenceStore::Shared().CopyValue(key, DomainOf(user));
    if (!value)
        return false;
    out = *value;
    return true;
}

bool SetPrinterIdentifier(PMPrintSession session, std::string& out) {
    return SetPrinterString(session, &out) == 0;
}

ppd_file_t* CallbackPPD(PDECallbackRef callback) {
    return callback ? callback->ppdFile() : nullptr;
}

bool ReportPPDChoice(PDECallbackRef callback, const char* option, const char* choice) {
    if (!callback || !option || !choice)
        return false;
    return callback->willChangePPDOptionKeyValue(option, choice);
}

void MarkPPDChoice(ppd_file_t* ppd, const char* option, const char* choice) {
    if (ppd && option && choice)
        ppdMarkOption(ppd, option, choice);
}

int RunModalWindow(QWidget* window) {
    return Services().RunModal(window);
}

void StopModalWindow(QWidget* window, int code) {
    Services().StopModal(window, code);
}

void ControlBeep() {
    Services().Beep();
}

int ShowControlAlert(PDEBundleRef bundle, const char* messageKey, const QString& table,
                     QWidget* parent) {
    AlertRequest request;
    request.message = LocalizedString(bundle, messageKey, table).toStdString();
    if (bundle)
        request.iconPath = bundle->PathForResource("AlertIcon", "png");
    request.buttons.push_back(LocalizedString(bundle, kAlertOKButtonKey, table).toStdString());
    request.parent = parent;
    return Services().RunAlert(request);
}

} // namespace KESTRANE_NS

#pragma GCC diagnostic pop
