// Runs the headless print dialog with the built plug-ins and the filter on
// what it wrote, as a person printing from a script would.
#pragma once

#include <map>
#include <string>
#include <vector>

struct DialogRun {
    int status = -1;
    std::string result; // "printed", "refused", ...
    std::map<std::string, std::string> printSettings;
    std::map<std::string, std::string> jobOptions;
    std::vector<std::string> alerts;
    std::vector<std::string> panelKinds;
    std::string json;
    std::string stderrText;
};

class DialogE2E {
public:
    // A private directory with its own preference roots.
    DialogE2E();
    ~DialogE2E();

    // Runs printdialog --dry-run with the script against the PPD.
    DialogRun RunDialog(const std::string& ppdPath, const std::string& script,
                        const std::string& printer = "AccountTest");
    // Runs jobfilter over the sample document with the job options; the
    // printer stream.
    std::string RunFilter(const std::map<std::string, std::string>& options,
                          const std::string& user = "alice",
                          const std::string& title = "Quarterly report");
    const std::string& Dir() const { return dir; }
    // Puts a value into the current user's preferences the dialog will read.
    void SetPreference(const std::string& key, const std::string& value);

private:
    std::string dir;
};

// The PJL lines of a printer stream, each with its line end (LF or CR LF).
std::vector<std::string> PJLLines(const std::string& stream);
// The lines that start with the prefix.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix);
// The text between the first pair of double quotes of a line.
std::string QuotedValue(const std::string& line);
// A protected value turned back into what was typed, with the shared key.
std::string UnprotectValue(const std::string& base64);
