// What the controls need from the platform and the foundation, in one place:
// context types, widget tags and actions, strings, ticket and preference
// storage, modal runs and alerts.
#pragma once

#include "CQuickXPPD.h"
#include "PDEChoice.h"
#include "PDEPluginInterface.h"

#include <cups/ppd.h>

#include <functional>
#include <string>

#include <QMetaObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class PrintSettings;
class PrintSession;
class PluginBundle;
class QWidget;

namespace KESTRANE_NS {

using PMPrintSettings = PrintSettings*;
using PMPrintSession = PrintSession*;
using PDEBundleRef = PluginBundle*;
using PDECallbackRef = PDEPlugInCallbackProtocol*;
using CQuickXPPDIndex = XPPDHashMap;
using PDEChoiceRef = PDEChoice;
// Summary entries: title -> value text.
using SummaryDictionary = QVariantMap;

inline constexpr const char* kNoTranslation = "no translation";
inline constexpr const char* kLocalizableFileIndexKey = "KRLocalizableFileIndex";
inline constexpr const char* kAlertIconName = "AlertIcon.png";
inline constexpr const char* kAlertOKButtonKey = "Alert OK Btn";

// Widgets.
int GetWidgetTag(const QWidget* widget);     // -1 without the "tag" property
bool IsWidgetEnabled(const QWidget* widget); // the widget's own flag, not its parents'
// Connects the widget's user action (click, menu choice, step, end of edit).
QMetaObject::Connection ConnectWidgetAction(QWidget* widget, std::function<void()> action);

// Strings: "Localizable" + the PPD's "KRLocalizableFileIndex", empty without it.
QString LocalizeTableNameFromPPD(ppd_file_t* ppd);
// The key's text in the table (empty: default table); "no translation" when
// the bundle, the table or the key is missing.
QString LocalizedString(PDEBundleRef bundle, const char* key, const QString& table);

// Print settings.
int StoreSettingsText(PMPrintSettings settings, const char* key, const std::string& text,
                      bool lock);
bool ReadSettingsText(PMPrintSettings settings, const char* key, std::string& out);

// Preferences.
bool IsCurrentUserDomain(const std::string& user);
bool IsAdministrator();
bool FormPerPrinterKey(const char* preferenceKey, const std::string& printer, std::string& out);
bool WritePreferenceText(const std::string& key, const std::string& text, const std::string& user);
bool ReadPreferenceText(const std::string& key, const std::string& user, std::string& out);

// Session and host.
bool SetPrinterIdentifier(PMPrintSession session, std::string& out);
ppd_file_t* CallbackPPD(PDECallbackRef callback);
// A PPD-bound control reports its choice to the host; false when refused or
// there is no host.
bool ReportPPDChoice(PDECallbackRef callback, const char* option, const char* choice);
// Marks the choice in the PPD itself.
void MarkPPDChoice(ppd_file_t* ppd, const char* option, const char* choice);

// Services.
int RunModalWindow(QWidget* window);
void StopModalWindow(QWidget* window, int code);
void ControlBeep();
// An alert with the localised message of the key, the bundle's alert icon and
// the "Alert OK Btn" button.
int ShowControlAlert(PDEBundleRef bundle, const char* messageKey, const QString& table,
                     QWidget* parent);

} // namespace KESTRANE_NS
