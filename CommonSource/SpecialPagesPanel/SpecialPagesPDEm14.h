// The special pages panel: the table of covers, inserts and exception pages
// with its commands, the windows that make the records, and, when the job is
// printed, the KPIF job ticket file whose path goes into the print settings.
#pragma once

#include "KPIFJobTicket.h"
#include "PDEPrintPanel.h"
#include "SpecialPageList.h"

class QComboBox;

namespace KESTRANE_NS {

class BaseButton;
class SPAddCoversWndMN;
class SPAddExceptionWndMN;
class SPAddInsertWndMN;
class SPAdvSeleWndMN;
class SPCustomSizeWndMN;
class SPSubMenuListCtrlMN;
class SPSummaryScrollViewCtrl;
class SPWarningWndMN;

class SpecialPagesPDEm14 : public PDEPrintPanel {
public:
    explicit SpecialPagesPDEm14(PDECallbackRef callback);

    std::vector<std::string> supportedPPDOptionKeys() override;
    bool shouldPrint() override;
    bool saveValuesAndReturnError(QString* error) override;

    // False when the current printer's kept job type is mailbox print: a
    // mailbox job carries no special pages.
    bool IsJobTypeMailbox() const;
    // Writes the job ticket for the print; false when the print must not go
    // on (the person was told why).
    bool outputKPIFCommand(PMPrintSettings settings, bool lock);
    KPIFJobPaper getCurrentSystemPrintingSetting() const;

    SPSummaryScrollViewCtrl* getSPSummaryScrollViewCtrlPtr() const { return table; }
    SPAddCoversWndMN* getSPAddCoversWndPtr() const { return coversWindow; }
    SPAddInsertWndMN* getSPAddInsertWndPtr() const { return insertWindow; }
    SPAddExceptionWndMN* getSPAddExceptionsWndPtr() const { return exceptionWindow; }
    SPCustomSizeWndMN* getCustomSizeWndPtr() const { return customWindow; }
    SPAdvSeleWndMN* getAdvSeleWndPtr() const { return advancedWindow; }

    // Takes the undo snapshot before the list changes.
    void toMakeChange();
    // Refreshes the rows and the buttons that depend on them.
    void RefreshTable();
    void UpdateButtons();
    void OpenAdvanced(SPSubMenuListCtrlMN* paper, QComboBox* sides, int windowType);
    void OpenCustomSize(SPSubMenuListCtrlMN* paper);
    // "Page size: A4\nPaper colour: White\n..." of the job's own paper.
    QString JobSettingText() const;
    void ShowHelp(const char* pageName);
    QString Text(const char* key) const;
    // The three column texts of a record.
    QStringList RowTexts(const SpecialPageRecord& record) const;

protected:
    bool LoadPanelControls() override;
    BaseControl* GetHelpButtonControl() override;

private:
    bool sureToMakeChange(int which);
    void OpenWindowForType(int type, int tableStatus);
    void EditSelected();
    void DeleteSelected();
    void DeleteAll();
    void Move(bool up);
    void Undo();
    // Asks whether to print without the special pages; true when the person agrees.
    bool AskPrintWithout(const char* messageKey);

    SPSummaryScrollViewCtrl* table = nullptr;
    BaseButton* buttons[6] = {}; // up, down, edit, delete, delete all, undo
    BaseButton* helpButton = nullptr;
    SPAddCoversWndMN* coversWindow = nullptr;
    SPAddInsertWndMN* insertWindow = nullptr;
    SPAddExceptionWndMN* exceptionWindow = nullptr;
    SPAdvSeleWndMN* advancedWindow = nullptr;
    SPCustomSizeWndMN* customWindow = nullptr;
    SPWarningWndMN* warningWindow = nullptr;
    SpecialPageUndo undo;
};

} // namespace KESTRANE_NS
