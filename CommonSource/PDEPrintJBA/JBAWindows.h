// The accounting settings windows (all users and personal, the same controls
// under two sets of keys) and the print-time entry window.
#pragma once

#include "AccountControls.h"
#include "JBACaseTables.h"
#include "PopupWinInPanel.h"
#include "RadioButton.h"

namespace KESTRANE_NS {

class CheckBox;
class JBAPDEmtk;

// Shared by both settings windows; `tagBase` 2000 (all users) or 3000 (personal).
class JBAInfoWindowBase : public PopupWinInPanel {
public:
    JBAInfoWindowBase(QWidget* dialog, const char* titleKey, int32_t tagBase, bool allUsers,
                      JBAPDEmtk* panel);
    ~JBAInfoWindowBase() override;

    void CreateWindowControls(ppd_file_t* ppd);
    void WindowValuesShown() override;
    bool ValidateUserPane();
    int32_t GetTagBase() const { return tagBase; }
    bool IsAllUsers() const { return allUsers; }

    // Committed choices that drive the print-time entry window.
    bool IsPrintTimeEntry() const;
    bool KeepsLastInput() const;
    bool HidesUserID() const;
    bool HidesAccountID() const;

    void OnOK();
    void OnCancel();
    void OnRestore();
    void OnHelp();

private:
    QWidget* Tagged(int32_t offset) const;

    int32_t tagBase;
    bool allUsers;
    JBAPDEmtk* panel;
    RadioGroup radioGroup;
    RadioButton* settingRadio = nullptr;
    RadioButton* inputRadio = nullptr;
    CheckBox* lastInfoCheck = nullptr;
    CheckBox* userIDFormatCheck = nullptr;
    CheckBox* accountIDFormatCheck = nullptr;
    ControlConstrainTable userIDListTable;
};

// All-users settings (mode 1); written to the preferences only by an administrator.
class JBAInfoAdminWndKR : public JBAInfoWindowBase {
public:
    JBAInfoAdminWndKR(QWidget* dialog, JBAPDEmtk* panel);
};

// The current user's settings (mode 2).
class JBAInfoWndMN : public JBAInfoWindowBase {
public:
    JBAInfoWndMN(QWidget* dialog, JBAPDEmtk* panel);
};

// Values typed at every print.
class JBAInputWindowKR : public PopupWinInPanel {
public:
    JBAInputWindowKR(QWidget* dialog, JBAPDEmtk* panel);
    ~JBAInputWindowKR() override;

    void CreateWindowControls(ppd_file_t* ppd);
    // Prepares the fields as the window would show them (start values, case
    // lists, twin fields); `show` then runs it modally. True when the values
    // are to be used (closed with OK, or not shown at all).
    bool RunEntry(bool show);
    bool ValidateUserPane();
    void OnOK();
    void OnCancel();
    void OnHelp();

private:
    QWidget* Tagged(int32_t tag) const;
    void PrepareFields();
    // Copies the field in use to its twin so both hold the same text.
    void SyncTwins(bool fromShownToHidden, bool accountFromShownToHidden);

    JBAPDEmtk* panel;
    RadioGroup radioGroup;
    PTTextEditCtrlMN* userID = nullptr;
    PTTextEditCtrlMN* userIDHidden = nullptr;
    PTTextEditCtrlMN* accountID = nullptr;
    PTTextEditCtrlMN* accountIDHidden = nullptr;
    PTTextEditCtrlMN* storageID = nullptr;
    PTTextEditCtrlMN* storageIDHidden = nullptr;
    bool hideUserID = false;
    bool hideAccountID = false;
};

} // namespace KESTRANE_NS
