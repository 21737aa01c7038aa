// The state of one print dialog: the printer's PPD, the print settings, page
// format and session the panels edit, the panels the plug-ins offered, and
// the PPD choices reported to the dialog. It is the host callback object of
// every panel and runs the panel protocol in the dialog's order.
#pragma once

#include "JobOptions.h"
#include "PDEPluginInterface.h"
#include "PageLayout.h"

#include "PageFormat.h"
#include "PrintSession.h"
#include "PrintSettings.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

struct LoadedPlugIn;

struct PanelEntry {
    std::unique_ptr<PDEPanel> panel;
    QString name;
    std::string kind;
    bool restored = false; // restoreValuesAndReturnError has run
};

struct PaperChoice {
    std::string keyword;          // PageSize choice
    std::string text;             // its translation
    double width = 0, length = 0; // points
};

class DialogSession : public PDEPlugInCallbackProtocol {
public:
    DialogSession();
    ~DialogSession() override;
    DialogSession(const DialogSession&) = delete;
    DialogSession& operator=(const DialogSession&) = delete;

    // Opens the PPD for the printer (queue name = printer identifier), marks
    // its defaults, then the given options (the queue's own defaults), and
    // starts empty print settings. The PPD file may be deleted afterwards.
    bool Open(const std::string& printerID, const std::string& ppdPath,
              const OptionList& printerDefaults, std::string& error);
    // Closes panels, PPD and settings.
    void Close();

    // Asks every entry object for panels of the print dialog, then for each
    // panel its name, kind, view and PPD option keys, in that order.
    void CollectPanels(std::vector<LoadedPlugIn>& plugins);
    // First open of every panel (restoreValuesAndReturnError).
    void RestoreAllPanels();
    std::vector<PanelEntry>& Panels() { return m_panels; }
    int FindPanel(const std::string& nameOrKind) const; // -1 when none

    // Switching panels: the shown one may refuse to hide (NO).
    bool HidePanel(int index);
    void ShowPanel(int index);
    // Saves every panel (as the dialog does before a summary).
    void SaveAllPanels();
    // The summary of every panel in panel order: (panel name, [(title, text)]).
    std::vector<std::pair<QString, std::vector<std::pair<QString, QString>>>> Summary();

    // The dialog's own settings.
    std::vector<PaperChoice> PaperChoices() const;
    bool SetPaper(const std::string& keyword);
    std::string Paper() const { return m_paper; }
    void SetOrientation(PMOrientation orientation);
    PMOrientation Orientation() const { return m_pageFormat.GetOrientation(); }
    void SetCopies(int copies) { m_copies = copies; }
    int Copies() const { return m_copies; }
    void SetCollate(bool collate) { m_collate = collate; }
    bool Collate() const { return m_collate; }
    // False with a message for text that names no pages.
    bool SetPageRanges(const std::string& text, std::string& message);
    const std::string& PageRanges() const { return m_pageRanges; }
    // PPD options a plug-in panel handles; the others are the dialog's.
    const std::set<std::string>& PanelOwnedOptions() const { return m_panelOptions; }
    PageLayout& Layout() { return m_layout; }
    // A PPD choice made by the dialog itself (not by a panel); a custom
    // option also takes "Custom.VALUE" or "{PARAM=VALUE ...}".
    bool ChoosePPDOption(const std::string& option, const std::string& choice);

    // Print: every panel's shouldPrint (the first NO stops and names the
    // panel), then the layout section writes its keys.
    bool ShouldPrint(std::string& refusedBy);
    JobRequest MakeJobRequest() const;

    const std::string& PrinterID() const { return m_printerID; }
    const OptionList& PPDChoices() const { return m_ppdChoices; }

    // Host callback.
    ppd_file_t* ppdFile() override { return m_ppd; }
    PrintSettings* printSettings() override { return m_settings.get(); }
    PrintSession* printSession() override { return &m_session; }
    PageFormat* pageFormat() override { return &m_pageFormat; }
    bool willChangePPDOptionKeyValue(const std::string& option, const std::string& choice) override;

private:
    bool MarkAndRecord(const std::string& option, const std::string& choice);

    std::string m_printerID;
    ppd_file_t* m_ppd = nullptr;
    std::unique_ptr<PrintSettings> m_settings;
    PrintSession m_session;
    PageFormat m_pageFormat;
    std::vector<PanelEntry> m_panels;
    OptionList m_ppdChoices;
    std::string m_paper;
    int m_copies = 1;
    bool m_collate = true;
    std::string m_pageRanges;
    std::set<std::string> m_panelOptions;
    PageLayout m_layout;
    bool m_notifying = false;
};
