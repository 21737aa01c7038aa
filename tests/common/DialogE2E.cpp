#include "DialogE2E.h"

#include "KSPKey.h"
#include "PreferenceStore.h"
#include "UserGroups.h"
#include "kspenclib.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

int Run(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

DialogE2E::DialogE2E() {
    char pattern[] = "/tmp/dialog-e2e-XXXXXX";
    dir = mkdtemp(pattern);
    fs::create_directories(dir + "/prefs-user");
    fs::create_directories(dir + "/prefs-system");
}

DialogE2E::~DialogE2E() {
    std::error_code ec;
    if (!std::getenv("ACCOUNT_E2E_KEEP"))
        fs::remove_all(dir, ec);
}

void DialogE2E::SetPreference(const std::string& key, const std::string& value) {
    setenv("KESTRANE_PREFS_USER_ROOT", (dir + "/prefs-user").c_str(), 1);
    setenv("KESTRANE_PREFS_SYSTEM_ROOT", (dir + "/prefs-system").c_str(), 1);
    PreferenceStore store(AdminGroupName());
    store.SetValue(key, value, kPreferencesCurrentUser);
    store.Synchronize(kPreferencesCurrentUser);
}

DialogRun DialogE2E::RunDialog(const std::string& ppdPath, const std::string& script,
                                const std::string& printer) {
    static int runs = 0;
    const std::string base = dir + "/run" + std::to_string(++runs);
    std::ofstream(base + ".script") << script;
    std::string command =
        "env QT_QPA_PLATFORM=offscreen KESTRANE_PLUGIN_DIR=" + ShellQuote(PLUGIN_DIR) +
        " KESTRANE_PREFS_USER_ROOT=" + ShellQuote(dir + "/prefs-user") +
        " KESTRANE_PREFS_SYSTEM_ROOT=" + ShellQuote(dir + "/prefs-system") + " " +
        ShellQuote(PRINTDIALOG_PATH) + " --ppd " + ShellQuote(ppdPath) + " --printer " +
        ShellQuote(printer) + " --dry-run --emit json --script " + ShellQuote(base + ".script") +
        " > " + ShellQuote(base + ".json") + " 2> " + ShellQuote(base + ".err");
    DialogRun run;
    run.status = Run(command);
    run.json = ReadFile(base + ".json");
    run.stderrText = ReadFile(base + ".err");
    QJsonObject root = QJsonDocument::fromJson(QByteArray::fromStdString(run.json)).object();
    run.result = root.value("result").toString().toStdString();
    for (const char* section : {"printSettings", "jobOptions"}) {
        QJsonObject values = root.value(section).toObject();
        auto& target = std::string(section) == "printSettings" ? run.printSettings : run.jobOptions;
        for (auto it = values.begin(); it != values.end(); ++it)
            target[it.key().toStdString()] = it.value().toString().toStdString();
    }
    for (const QJsonValue& panel : root.value("panels").toArray())
        run.panelKinds.push_back(panel.toObject().value("kind").toString().toStdString());
    for (const QJsonValue& alert : root.value("alerts").toArray()) {
        QJsonObject a = alert.toObject();
        run.alerts.push_back(a.contains("message") ? a.value("message").toString().toStdString()
                                                   : alert.toString().toStdString());
    }
    return run;
}

std::string DialogE2E::RunFilter(const std::map<std::string, std::string>& options,
                                  const std::string& user, const std::string& title) {
    // argv[5] as CUPS hands it over: blanks, quotes and backslashes escaped.
    std::string text;
    for (const auto& [name, value] : options) {
        if (!text.empty())
            text += ' ';
        text += name + '=';
        for (char c : value) {
            if (c == ' ' || c == '\\' || c == '\'' || c == '"')
                text += '\\';
            text += c;
        }
    }
    const std::string out = dir + "/job.prn";
    fs::create_directories(dir + "/spool");
    std::string command = "env KESTRANE_SPOOL_DIR=" + ShellQuote(dir + "/spool") + " " +
                          ShellQuote(JOBFILTER_PATH) + " 1 " + ShellQuote(user) + " " +
                          ShellQuote(title) + " 1 " + ShellQuote(text) + " " +
                          ShellQuote(SAMPLE_JOB_PS) + " > " + ShellQuote(out);
    Run(command);
    return ReadFile(out);
}

std::vector<std::string> PJLLines(const std::string& stream) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < stream.size()) {
        size_t end = stream.find('\n', at);
        if (end == std::string::npos)
            break;
        std::string line = stream.substr(at, end + 1 - at);
        at = end + 1;
        size_t pjl = line.find("@PJL");
        if (pjl == std::string::npos)
            continue;
        line = line.substr(pjl);
        lines.push_back(line);
        if (line.rfind("@PJL ENTER LANGUAGE", 0) == 0)
            break;
    }
    return lines;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    }
    return out;
}

std::string QuotedValue(const std::string& line) {
    size_t open = line.find('"');
    size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    if (close == std::string::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

std::string UnprotectValue(const std::string& base64) {
    using namespace MNTest;
    unsigned char scrambled[256];
    int scrambledLength = 0;
    if (KSPB64ToBin(base64.data(), static_cast<int>(base64.size()), scrambled, &scrambledLength,
                    255) != 0)
        return "<not Base64>";
    unsigned char plain[256];
    int plainLength = 0;
    if (KSPEncrypt(scrambled, scrambledLength, plain, &plainLength, 255) != 0)
        return "<not scrambled>";
    return std::string(reinterpret_cast<char*>(plain), static_cast<size_t>(plainLength));
}
