// The modal windows of the special pages panel that make records: covers,
// inserts and exceptions, and the delete warning. Each opens in add mode
// (table status 1) or edit mode (status 2); OK validates, turns the controls
// into records and replaces the records of its type in the list.
#pragma once

#include "ExceptionPageTable.h"
#include "PopupWinInPanel.h"
#include "SPPaperMenu.h"
#include "SpecialPageList.h"

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace KESTRANE_NS {

class SpecialPagesPDEm14;

// Wires the OK, Cancel, Restore Defaults and Help buttons of a window (tags
// base + 1 to base + 4); `press` gets the offset of the button pressed.
void AddOptionWindowButtons(PopupWinInPanel* window, QWidget* dialog, int tagBase,
                            std::function<void(int)> press);

class SPOptionWindow : public PopupWinInPanel {
public:
    SPOptionWindow(QWidget* dialog, const char* addTitle, const char* editTitle, int tagBase,
                   const char* helpName, SpecialPagesPDEm14* panel);
    ~SPOptionWindow() override;

    int InitializeUserPane(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // Runs the window modally; true when it was closed with OK.
    bool Run(int tableStatus);
    bool IsEditing() const { return status == 2; }

protected:
    void WindowValuesShown() override;
    // Sets the controls from the list before the window shows.
    virtual void Prepare() = 0;
    // Checks the entries; shows the alert itself. True when they may be used.
    virtual bool Validate() = 0;
    // Turns the entries into records; false keeps the window open.
    virtual bool Commit() = 0;
    virtual void RestoreDefaults() = 0;
    // Rules between the window's controls, after every change.
    virtual void ApplyRules() {}
    virtual void InitializePaper(ppd_file_t*) {}

    QWidget* Tagged(int tag) const;
    QComboBox* TaggedList(int tag, const std::vector<const char*>& itemKeys);
    std::unique_ptr<SPSubMenuListCtrlMN> MakePaperMenu(int menuTag, int infoTag);
    void ShowJobSetting(int tag);
    bool Alert(const char* messageKey);
    QString Text(const char* key) const;

    SpecialPagesPDEm14* panel;
    int status = 0;

private:
    void OnOK();
    int tagBase;
    const char* addTitle;
    const char* editTitle;
    const char* helpName;
    bool accepted = false;
};

class SPAddCoversWndMN : public SPOptionWindow {
public:
    SPAddCoversWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);

protected:
    void InitializePaper(ppd_file_t* ppd) override;
    void Prepare() override;
    bool Validate() override { return true; }
    bool Commit() override;
    void RestoreDefaults() override;
    void ApplyRules() override;

private:
    QComboBox* coversOption = nullptr;
    QComboBox* printing[2] = {nullptr, nullptr};
    std::unique_ptr<SPSubMenuListCtrlMN> paper[2];
};

class SPAddInsertWndMN : public SPOptionWindow {
public:
    SPAddInsertWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);

protected:
    void InitializePaper(ppd_file_t* ppd) override;
    void Prepare() override;
    bool Validate() override;
    bool Commit() override;
    void RestoreDefaults() override;
    void ApplyRules() override;

private:
    QComboBox* option = nullptr;
    QLineEdit* pages = nullptr;
    QSpinBox* quantity = nullptr;
    std::unique_ptr<SPSubMenuListCtrlMN> paper;
    std::vector<int> pageArray;
    RowSet selectedInserts; // indexes among the inserts, in edit mode
};

class SPAddExceptionWndMN : public SPOptionWindow {
public:
    SPAddExceptionWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);

protected:
    void InitializePaper(ppd_file_t* ppd) override;
    void Prepare() override;
    bool Validate() override;
    bool Commit() override;
    void RestoreDefaults() override;
    void ApplyRules() override;

private:
    QLineEdit* pages = nullptr;
    QComboBox* sides = nullptr;
    std::unique_ptr<SPSubMenuListCtrlMN> paper;
    ExceptionPageTable table;
    std::vector<int> pageSet;
    SpecialPageRecords selected;
};

// Asks before records are deleted; OK answers 0, Cancel (or closing) 1.
class SPWarningWndMN : public PopupWinInPanel {
public:
    SPWarningWndMN(QWidget* dialog, SpecialPagesPDEm14* panel);
    ~SPWarningWndMN() override;
    // 0 "Delete Selected Special Pages", 1 "Delete All Special Pages"; true on OK.
    bool Ask(int which);

private:
    int exitStatus = 1;
};

} // namespace KESTRANE_NS
