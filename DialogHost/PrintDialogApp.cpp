#include "PrintDialogApp.h"

#include "DocumentPreview.h"
#include "JsonWriter.h"
#include "PrintDialogWindow.h"
#include "PrinterStatus.h"

#include "PreferenceStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

int ScriptedServices::RunAlert(const AlertRequest& request) {
    int answer = RecordingPlatformServices::RunAlert(request);
    answers.push_back(answer);
    return answer;
}

PrintDialogApp::PrintDialogApp(HostOptions options, std::string executablePath)
    : m_options(std::move(options)), m_executable(std::move(executablePath)) {
    if (!m_options.script.empty()) {
        m_scripted = std::make_unique<ScriptedServices>();
        m_previousServices = InstallPlatformServices(m_scripted.get());
    }
}

PrintDialogApp::~PrintDialogApp() {
    // Panels first (their views live in the window), then the window, then
    // the entry objects that made the panels.
    m_session.Close();
    m_window.reset();
    UnloadPlugIns(m_plugins.plugins);
    if (m_scripted)
        InstallPlatformServices(m_previousServices);
}

void PrintDialogApp::Log(const std::string& line) const {
    std::cerr << "printdialog: " << line << "\n";
}

bool PrintDialogApp::Start(std::string& error) {
    const std::string dir =
        m_options.plugInDir.empty() ? DefaultPlugInDirectory(m_executable) : m_options.plugInDir;
    m_plugins = LoadPlugIns(dir);
    for (const std::string& problem : m_plugins.problems)
        Log(problem);

    m_window = std::make_unique<PrintDialogWindow>(m_session);
    std::string queue = m_options.printer;
    if (Offline()) {
        if (queue.empty())
            queue = fs::path(m_options.ppdFile).stem().string();
    } else {
        m_destinations = ListDestinations();
        if (queue.empty()) {
            for (const Destination& d : m_destinations)
                if (d.isDefault)
                    queue = d.name;
            if (queue.empty() && !m_destinations.empty())
                queue = m_destinations.front().name;
        }
        if (queue.empty()) {
            error = "CUPS has no printer; name one with --printer or work on a PPD with --ppd FILE";
            return false;
        }
    }
    if (!OpenPrinter(queue, error))
        return false;
    m_prefsBefore = SnapshotPreferences();
    if (!m_options.document.empty()) {
        const QImage page = RenderFirstPage(m_options.document, QSize(240, 320), m_previewError);
        m_previewSize = page.size();
        m_window->SetPreview(page, QString::fromStdString(m_previewError));
    }

    QObject::connect(m_window.get(), &PrintDialogWindow::printerChosen, m_window.get(),
                     [this](const QString& name) {
                         std::string why;
                         if (!OpenPrinter(name.toStdString(), why))
                             m_window->ShowStatus(QString::fromStdString(why));
                     });
    QObject::connect(m_window.get(), &PrintDialogWindow::printRequested, m_window.get(), [this] {
        Print();
        ReportPreferenceFailures();
        if (Finished())
            m_window->accept();
    });
    QObject::connect(m_window.get(), &PrintDialogWindow::cancelRequested, m_window.get(), [this] {
        Cancel();
        m_window->reject();
    });
    return true;
}

bool PrintDialogApp::OpenPrinter(const std::string& queue, std::string& error) {
    std::string ppdPath = m_options.ppdFile;
    OptionList defaults;
    bool temporary = false;
    if (!Offline()) {
        ppdPath = FetchQueuePPD(queue, error);
        if (ppdPath.empty())
            return false;
        temporary = true;
        for (Destination& d : m_destinations) {
            if (d.name != queue)
                continue;
            // The state of the moment replaces the one of the list.
            for (const auto& [name, value] : QueueStatusAttributes(queue)) {
                auto it = std::find_if(d.options.begin(), d.options.end(),
                                       [&](const auto& o) { return o.first == name; });
                if (it != d.options.end())
                    it->second = value;
                else
                    d.options.emplace_back(name, value);
            }
            defaults = d.options;
        }
    }
    // The window's pages hold the old panels' views: let go of them first.
    m_window->ReleasePanelViews();
    bool ok = m_session.Open(queue, ppdPath, defaults, error);
    if (temporary)
        std::remove(ppdPath.c_str());
    if (!ok) {
        // No printer is open now: the window shows no panels of the old one.
        m_window->Rebuild();
        return false;
    }
    m_session.CollectPanels(m_plugins.plugins);
    m_session.RestoreAllPanels();
    m_window->SetDestinations(m_destinations, queue, m_options.ppdFile);
    m_window->Rebuild();
    return true;
}

PrintOutcome PrintDialogApp::Print() {
    if (Finished())
        return m_outcome;
    if (!m_session.ppdFile()) {
        m_window->ShowStatus(QObject::tr("No printer is open."));
        return m_outcome;
    }
    std::string refusedBy;
    if (!m_session.ShouldPrint(refusedBy)) {
        m_outcome = PrintOutcome::Refused;
        m_refusedBy = refusedBy;
        m_window->ShowStatus(QObject::tr("The panel \"%1\" does not allow printing yet.")
                                 .arg(QString::fromStdString(refusedBy)));
        return m_outcome;
    }
    m_jobOptions = MakeJobOptions(m_session.MakeJobRequest());
    for (const std::string& key : m_jobOptions.rejectedKeys)
        Log("the setting \"" + key + "\" cannot travel as a job option and is left out");
    if (m_options.dryRun) {
        m_outcome = PrintOutcome::DryRun;
        if (m_options.emitFormat.empty())
            std::cout << FormatJobOptions(m_jobOptions.options) << std::flush;
        return m_outcome;
    }
    if (Offline()) {
        m_failure = "a PPD file is no queue to print to; use --dry-run";
    } else if (m_options.document.empty()) {
        m_failure = "no document to print";
    } else {
        const std::string title = m_options.title.empty()
                                      ? fs::path(m_options.document).filename().string()
                                      : m_options.title;
        std::string error;
        m_jobId = SubmitJob(m_session.PrinterID(), m_options.document, title, m_jobOptions.options,
                            error);
        if (m_jobId > 0) {
            m_outcome = PrintOutcome::Printed;
            if (m_options.emitFormat.empty())
                std::cout << "request id is " << m_session.PrinterID() << "-" << m_jobId << "\n";
            return m_outcome;
        }
        m_failure = error;
    }
    Log(m_failure);
    // The window stays open: the person may choose another printer or retry.
    m_window->ShowStatus(QObject::tr("Not printed: %1").arg(QString::fromStdString(m_failure)),
                         true);
    m_outcome = PrintOutcome::Failed;
    return m_outcome;
}

void PrintDialogApp::Cancel() {
    if (!Finished())
        m_outcome = PrintOutcome::Cancelled;
}

int PrintDialogApp::ExitStatus() const {
    switch (m_outcome) {
    case PrintOutcome::Refused:
    case PrintOutcome::Failed:
        return kExitFailed;
    case PrintOutcome::Cancelled:
        return kExitCancelled;
    default:
        return kExitPrinted;
    }
}

void PrintDialogApp::ReportPreferenceFailures() {
    for (const std::string& failure : PreferenceStore::Shared().TakeWriteFailures()) {
        m_preferenceFailures.push_back(failure);
        if (m_scripted) {
            Log(failure);
            continue;
        }
        AlertRequest alert;
        alert.message = QObject::tr("Your settings could not be saved.").toStdString();
        alert.informativeText = failure;
        alert.buttons = {QObject::tr("OK").toStdString()};
        alert.parent = m_window.get();
        Services().RunAlert(alert);
    }
}

bool PrintDialogApp::WriteScreenshots(const std::string& dir, std::string& error) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    for (int page = 0; page < m_window->PageCount(); ++page) {
        QString name = m_window->PageTitle(page);
        QString safe;
        for (QChar c : name)
            safe += c.isLetterOrNumber() ? c : QChar('_');
        const QString file =
            QDir(QString::fromStdString(dir))
                .filePath(QStringLiteral("%1-%2.png").arg(page, 2, 10, QChar('0')).arg(safe));
        if (!m_window->GrabPage(page).save(file, "PNG")) {
            error = "cannot write " + file.toStdString();
            return false;
        }
    }
    return true;
}

PrintDialogApp::PreferenceSnapshot PrintDialogApp::SnapshotPreferences() const {
    PreferenceSnapshot snapshot;
    PreferenceStore& store = PreferenceStore::Shared();
    for (const char* domain : {kPreferencesCurrentUser, kPreferencesAnyUser}) {
        const QString path = QString::fromStdString(store.FilePath(domain));
        if (path.isEmpty() || !QFileInfo(path).isFile())
            continue;
        // Read through a copy: QSettings on the file's own path would answer
        // from the process's cache, with values that never reached the disk.
        QTemporaryDir copyDir;
        const QString copy = copyDir.filePath("prefs.ini");
        if (!copyDir.isValid() || !QFile::copy(path, copy))
            continue;
        QSettings file(copy, QSettings::IniFormat);
        for (const QString& key : file.allKeys())
            snapshot[domain][key.toStdString()] = file.value(key).toString().toStdString();
    }
    return snapshot;
}

static const char* OutcomeName(PrintOutcome outcome) {
    switch (outcome) {
    case PrintOutcome::Printed:
        return "printed";
    case PrintOutcome::DryRun:
        return "dry-run";
    case PrintOutcome::Cancelled:
        return "cancelled";
    case PrintOutcome::Refused:
        return "refused";
    case PrintOutcome::Failed:
        return "failed";
    default:
        return "none";
    }
}

std::string PrintDialogApp::ReportJson() const {
    auto& session = const_cast<DialogSession&>(m_session);
    JsonWriter j;
    j.BeginObject();
    j.Member("printer", session.PrinterID());
    j.Member("result", OutcomeName(m_outcome));
    if (m_outcome == PrintOutcome::Refused)
        j.Member("refusedBy", m_refusedBy);
    if (m_outcome == PrintOutcome::Failed)
        j.Member("error", m_failure);
    if (m_jobId > 0)
        j.Member("jobId", m_jobId);
    for (const Destination& d : m_destinations) {
        if (d.name != session.PrinterID())
            continue;
        const PrinterStatus status = ReadPrinterStatus(d.options);
        j.Key("printerState");
        j.BeginObject();
        j.Member("state", status.state);
        j.Member("message", status.message);
        j.Member("location", status.location);
        j.Key("accepting");
        j.Bool(status.accepting);
        j.EndObject();
    }

    if (!m_options.document.empty()) {
        j.Key("preview");
        j.BeginObject();
        if (m_previewError.empty()) {
            j.Member("width", m_previewSize.width());
            j.Member("height", m_previewSize.height());
        } else {
            j.Member("error", m_previewError);
        }
        j.EndObject();
    }

    j.Key("panels");
    j.BeginArray();
    for (const PanelEntry& e : session.Panels()) {
        j.BeginObject();
        j.Member("name", e.name.toStdString());
        j.Member("kind", e.kind);
        j.EndObject();
    }
    j.EndArray();

    j.Key("printSettings");
    j.BeginObject();
    if (PrintSettings* settings = session.printSettings())
        for (const auto& [key, value] : settings->TextValues())
            j.Member(key, value);
    j.EndObject();

    j.Key("ppdChoices");
    j.BeginObject();
    OptionList last;
    for (const auto& [option, choice] : session.PPDChoices()) {
        auto it =
            std::find_if(last.begin(), last.end(), [&](auto& e) { return e.first == option; });
        if (it == last.end())
            last.emplace_back(option, choice);
        else
            it->second = choice;
    }
    for (const auto& [option, choice] : last)
        j.Member(option, choice);
    j.EndObject();

    j.Key("jobOptions");
    j.BeginObject();
    for (const auto& [name, value] : m_jobOptions.options)
        j.Member(name, value);
    j.EndObject();
    j.Key("rejectedKeys");
    j.BeginArray();
    for (const std::string& key : m_jobOptions.rejectedKeys)
        j.String(key);
    j.EndArray();

    j.Key("preferencesWritten");
    j.BeginArray();
    const PreferenceSnapshot after = SnapshotPreferences();
    for (const auto& [domain, values] : after) {
        auto before = m_prefsBefore.find(domain);
        for (const auto& [key, value] : values) {
            if (before != m_prefsBefore.end()) {
                auto old = before->second.find(key);
                if (old != before->second.end() && old->second == value)
                    continue;
            }
            j.BeginObject();
            j.Member("domain", domain);
            j.Member("key", key);
            j.Member("value", value);
            j.EndObject();
        }
    }
    j.EndArray();

    j.Key("preferenceErrors");
    j.BeginArray();
    for (const std::string& failure : m_preferenceFailures)
        j.String(failure);
    j.EndArray();

    j.Key("alerts");
    j.BeginArray();
    if (m_scripted) {
        for (size_t i = 0; i < m_scripted->alerts.size(); ++i) {
            const AlertRequest& a = m_scripted->alerts[i];
            j.BeginObject();
            j.Member("message", a.message);
            if (!a.informativeText.empty())
                j.Member("informativeText", a.informativeText);
            j.Key("buttons");
            j.BeginArray();
            for (const std::string& b : a.buttons)
                j.String(b);
            j.EndArray();
            if (i < m_scripted->answers.size())
                j.Member("answer", m_scripted->answers[i]);
            j.EndObject();
        }
    }
    j.EndArray();
    if (m_scripted) {
        j.Member("modalWindows", static_cast<long long>(m_scripted->modalRuns.size()));
        j.Member("beeps", m_scripted->beeps);
        j.Key("helpPages");
        j.BeginArray();
        for (const std::string& page : m_scripted->helpPages)
            j.String(page);
        j.EndArray();
    }

    j.Key("summary");
    j.BeginArray();
    for (const auto& [panel, rows] : session.Summary()) {
        j.BeginObject();
        j.Member("panel", panel.toStdString());
        j.Key("entries");
        j.BeginArray();
        for (const auto& [title, text] : rows) {
            j.BeginArray();
            j.String(title.toStdString());
            j.String(text.toStdString());
            j.EndArray();
        }
        j.EndArray();
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    return j.Text();
}
