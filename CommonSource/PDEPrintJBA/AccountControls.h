// Controls and helpers shared by the job type and accounting panels: text
// fields with their own checks and "[n]" messages, passwords kept in the
// protected form, interface files and alerts.
#pragma once

#include "InterfaceFile.h"
#include "PopupControl.h"
#include "PrintTypeRules.h"
#include "TextEditCtrl.h"

#include <functional>
#include <string>

class QWidget;

namespace KESTRANE_NS {

// Loads the interface file "<name>.ui" of the bundle; null when missing.
QWidget* LoadAccountInterface(PDEBundleRef bundle, const char* name, QWidget* parent = nullptr);
// The localised message of the key with "[n]" replaced by `marker` and a
// blank (no replacement for a negative marker).
QString AccountMessage(PDEBundleRef bundle, const char* key, const QString& table, int32_t marker);
// An alert with that message, the alert icon and the "Alert OK Btn" button.
int ShowAccountAlert(PDEBundleRef bundle, const char* key, const QString& table, int32_t marker,
                     QWidget* parent);

// Passwords are kept in the preferences in the same protected form the
// ticket carries, never in clear.
std::string ProtectPreferenceText(const std::string& text);
std::string UnprotectPreferenceText(const std::string& text);

// Filter data of the fields: printable Latin-1 or digits, with the field's
// message key.
const TextEditFilterData* PrintableFilter(const char* messageKey);
const TextEditFilterData* DigitFilter(const char* messageKey);

// A text field whose value is checked by a rule of its panel; a failing value
// shows the rule's message with its "[n]" number.
class PTTextEditCtrlMN : public TextEditCtrl {
public:
    using Check = std::function<PTCheckResult(const std::u16string&)>;
    PTTextEditCtrlMN(QWidget* widget, int32_t maximumLength, const TextEditFilterData* filter,
                     const ControlDataAccessInfo* accessInfo, const char* userName, Check check,
                     bool protectedPreference = false);

    bool InvalidateData() override;
    bool InvalidateDataAndReturnError() override;
    void ShowErrMsg() override;
    bool ConvertToPreferenceString(std::string& out) override;
    bool ConvertFromPreferenceString(const std::string& text) override;
    // Committed text set from outside (panel data, twin fields).
    void SetText(const std::string& text);
    void SetMaximumLength(int32_t maximumLength);
    void SetCheck(Check newCheck) { check = std::move(newCheck); }

protected:
    Check check;
    bool protectedPreference;
    PTCheckResult lastResult;
};

// The secure print password: digits, from the PPD's minimum up to 12.
class PTPWTextEditCtrlMN : public PTTextEditCtrlMN {
public:
    PTPWTextEditCtrlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo,
                       const char* userName);
    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;
    int32_t GetMinimum() const { return minimum; }

private:
    int32_t minimum = 0;
};

// The mailbox number: 1 to the PPD's highest mailbox.
class PTMBNTextEditCtrlMN : public PTTextEditCtrlMN {
public:
    PTMBNTextEditCtrlMN(QWidget* widget, const ControlDataAccessInfo* accessInfo,
                        const char* userName);
    bool InitializeCtrl(PDEBundleRef bundle, ppd_file_t* ppd) override;

private:
    int32_t maximum = 0;
};

// A pop-up whose committed value can be set from outside.
class AccountPopupControl : public PopupControl {
public:
    using PopupControl::PopupControl;
    void SetValue(int32_t value);
    // The value the list shows now (committed or not).
    int ShownValue() const { return SelectedValue(); }
};

} // namespace KESTRANE_NS
