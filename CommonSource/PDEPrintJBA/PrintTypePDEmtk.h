// The job type panel: normal, secure, sample, delayed or mailbox print, with
// a settings window for each type but normal print.
#pragma once

#include "PDEPrintPanel.h"
#include "PrintTypeWindows.h"

namespace KESTRANE_NS {

class PrintTypePDEmtk;
class VersionStringSText;

// The job type list: its items follow the PPD; choosing a type other than
// normal print opens that type's window, and a cancelled window brings the
// previous type back.
class PTListCtrlMN : public AccountPopupControl {
public:
    PTListCtrlMN(QWidget* widget, PrintTypePDEmtk* panel);
    bool InitializeMenu(PDEBundleRef bundle, ppd_file_t* ppd) override;
    // A kept job type this printer cannot take (no such item, or no storage
    // for it) falls back to normal print.
    void FallBackToAvailableType();
    bool UIEventHandler() override;
    int GetSummaryText(SummaryDictionary& dict, QStringList& orderArray) override;

private:
    PrintTypePDEmtk* panel;
};

class PrintTypePDEmtk : public PDEPrintPanel {
public:
    explicit PrintTypePDEmtk(PDECallbackRef callback);

    bool shouldPrint() override;
    QVariantMap summaryInfo() override;
    int SetValueToTicket(PMPrintSettings settings, bool lock,
                         const std::vector<int>& encryptArray) override;
    using BasePrintPanel::SetValueToTicket;
    int SetValueToPreference() override;
    int GetValueFromPreference() override;
    bool GetValueFromPreset() override;

    // Writes one value of the panel's own data: integers as decimal text,
    // texts in the escaped ticket string form where needed. Also keeps it
    // in the preferences under `reference` when given.
    bool SetPrintTypeDataBlkToTicket(const char* ticketKey, const char* reference,
                                     PMPrintSettings settings, bool lock, const std::string& text,
                                     bool isInteger);

    // Opens the settings window of a job type; true when closed with OK.
    bool OpenSettingsWindow(int32_t jobType);
    PrintTypeWindowMN* WindowForType(int32_t jobType) const;
    // Checks the secure print password before the job leaves; the PPD's
    // explanation window or the plain message on failure.
    bool ValidateSecurePasswordForPrint();

protected:
    bool LoadPanelControls() override;
    void ValuesShown() override;

private:
    bool hasPasswordAttribute = false;
    PrintTypeDataBlocks blocks;
    PTListCtrlMN* jobTypeList = nullptr;
    PrintTypeWindowMN* windows[4] = {nullptr, nullptr, nullptr, nullptr};
    QWidget* passwordInfoWindow = nullptr;
};

} // namespace KESTRANE_NS
