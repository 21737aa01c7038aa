// One run of the print dialog: loads the plug-ins, opens the printer, shows
// the window (or lets a script drive it), and prints or cancels.
#pragma once

#include "CupsQueue.h"
#include "DialogSession.h"
#include "HostOptions.h"
#include "PlugInLoader.h"

#include "RecordingPlatformServices.h"

#include <QSize>

#include <map>
#include <memory>
#include <string>
#include <vector>

class PrintDialogWindow;

// Headless services: alerts and modal windows are answered by the script;
// every alert and its answer is kept for the report.
class ScriptedServices : public RecordingPlatformServices {
public:
    int RunAlert(const AlertRequest& request) override;
    std::vector<int> answers; // per alert, the button chosen
};

enum class PrintOutcome { None, Printed, DryRun, Cancelled, Refused, Failed };

class PrintDialogApp {
public:
    PrintDialogApp(HostOptions options, std::string executablePath);
    ~PrintDialogApp();

    // Loads plug-ins and opens the first printer; false with `error`.
    bool Start(std::string& error);
    // Opens another destination (the person chose it in the dialog).
    bool OpenPrinter(const std::string& queue, std::string& error);

    // Print: panels' shouldPrint, then job options, then submit (or list).
    PrintOutcome Print();
    void Cancel();
    PrintOutcome Outcome() const { return m_outcome; }
    // A refusal or a failed submission leaves the dialog open.
    bool Finished() const {
        return m_outcome == PrintOutcome::Printed || m_outcome == PrintOutcome::DryRun ||
               m_outcome == PrintOutcome::Cancelled;
    }
    // Tells the person, once per file, about preferences that could not be
    // saved: an alert in the window, a line on standard error headless.
    void ReportPreferenceFailures();

    // Writes one PNG per page of the dialog into the directory.
    bool WriteScreenshots(const std::string& dir, std::string& error);
    // The report of --emit json.
    std::string ReportJson() const;
    int ExitStatus() const;

    PrintDialogWindow& Window() { return *m_window; }
    DialogSession& Session() { return m_session; }
    ScriptedServices* Scripted() { return m_scripted.get(); }
    const HostOptions& Options() const { return m_options; }
    bool Offline() const { return !m_options.ppdFile.empty(); }

private:
    using PreferenceSnapshot = std::map<std::string, std::map<std::string, std::string>>;
    PreferenceSnapshot SnapshotPreferences() const;
    void Log(const std::string& line) const;

    HostOptions m_options;
    std::string m_executable;
    std::vector<Destination> m_destinations;
    PlugInLoadReport m_plugins;
    DialogSession m_session;
    std::unique_ptr<PrintDialogWindow> m_window;
    std::unique_ptr<ScriptedServices> m_scripted;
    PlatformServices* m_previousServices = nullptr;
    PreferenceSnapshot m_prefsBefore;
    PrintOutcome m_outcome = PrintOutcome::None;
    std::string m_refusedBy;
    std::string m_failure;
    std::vector<std::string> m_preferenceFailures;
    QSize m_previewSize;
    std::string m_previewError;
    int m_jobId = 0;
    JobOptions m_jobOptions;
};
