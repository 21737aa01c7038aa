// The settings windows of the job type panel: secure, sample, delayed and
// mailbox print. The user ID, document-name kind and document name are one
// set of values for the whole panel (whichever window edits them); the
// windows show them when they open and hand them back on OK.
#pragma once

#include "AccountControls.h"
#include "ClockControlMN.h"
#include "PopupWinInPanel.h"

#include <string>

namespace KESTRANE_NS {

class BaseButton;

struct PrintTypeDataBlocks {
    int32_t jobType = 1; // the job type list's committed value
    int32_t productType = 0;
    std::string userID;
    int32_t documentNameKind = 1; // 1 the job title, 2 the entered name
    std::string documentName;
    std::string helpPage; // the panel's help page
};

class PrintTypeWindowMN : public PopupWinInPanel {
public:
    PrintTypeWindowMN(QWidget* dialog, const char* titleKey, int32_t tagBase, int32_t jobType,
                      PrintTypeDataBlocks* blocks);
    ~PrintTypeWindowMN() override;

    // Makes and registers the controls over the window's widgets.
    virtual void CreateWindowControls();
    // Shows the window modally with the panel's values; true when closed with OK.
    bool RunSettings();
    int32_t GetJobType() const { return jobType; }
    int32_t GetTagBase() const { return tagBase; }
    // Checks every enabled control; the first failing one shows its message.
    bool ValidateUserPane();
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

    void OnOK();
    void OnCancel();
    void OnRestore();
    void OnHelp();

protected:
    QWidget* Tagged(int32_t offset) const;
    void LoadFromBlocks();
    void StoreToBlocks();
    bool IsMailBox() const { return jobType == kPTJobMBN; }
    void AddSummary(SummaryDictionary& dict, QStringList& order, const char* titleKey,
                    const QString& value);

    int32_t tagBase;
    int32_t jobType;
    PrintTypeDataBlocks* blocks;
    PTTextEditCtrlMN* userIDCtrl = nullptr;
    AccountPopupControl* docKindCtrl = nullptr;
    PTTextEditCtrlMN* docNameCtrl = nullptr;
    ControlConstrainTable docKindTable;
};

class SecurePrintWindowKR : public PrintTypeWindowMN {
public:
    SecurePrintWindowKR(QWidget* dialog, PrintTypeDataBlocks* blocks);
    void CreateWindowControls() override;
    PTPWTextEditCtrlMN* GetPasswordControl() const { return passwordCtrl; }
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    PTPWTextEditCtrlMN* passwordCtrl = nullptr;
};

class SamplePrintWindowMN : public PrintTypeWindowMN {
public:
    SamplePrintWindowMN(QWidget* dialog, PrintTypeDataBlocks* blocks);
};

class DelayedPrintWindowMN : public PrintTypeWindowMN {
public:
    DelayedPrintWindowMN(QWidget* dialog, PrintTypeDataBlocks* blocks);
    void CreateWindowControls() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    ClockControlMN* clockCtrl = nullptr;
};

class MailBoxPrintWindowKR : public PrintTypeWindowMN {
public:
    MailBoxPrintWindowKR(QWidget* dialog, PrintTypeDataBlocks* blocks);
    void CreateWindowControls() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    PTMBNTextEditCtrlMN* mailBoxCtrl = nullptr;
    PTTextEditCtrlMN* mailBoxPasswordCtrl = nullptr;
};

} // namespace KESTRANE_NS
