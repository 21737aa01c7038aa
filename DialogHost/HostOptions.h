// The command line of printdialog.
#pragma once

#include <string>
#include <vector>

struct HostOptions {
    std::string printer;     // --printer QUEUE (default: the CUPS default destination)
    std::string ppdFile;     // --ppd FILE: work without a queue, on this PPD
    std::string plugInDir;   // --plugins DIR
    std::string script;      // --script FILE: run headless
    std::string emitFormat;  // --emit json
    std::string screenshots; // --screenshot DIR
    std::string title;       // --title TEXT (default: the document's file name)
    std::string document;    // the file to print
    bool dryRun = false;     // --dry-run: list the job options instead of submitting
    bool help = false;
    bool version = false;
};

// False with a message for unknown options, missing values or a bad --emit.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& message);

// What the files and directories named on the command line must be, checked
// before anything is opened: the PPD, script and document readable files, the
// plug-in directory a directory, the screenshot path not a file. False with a
// one-line message.
bool CheckHostOptions(const HostOptions& options, std::string& message);

// --help: the usage and what each option does, and the exit statuses.
const char* HostUsage();

// Exit statuses of printdialog.
enum HostExitStatus {
    kExitPrinted = 0,   // printed, or listed with --dry-run
    kExitFailed = 1,    // not printed: the job was not accepted or a panel refused
    kExitUsage = 2,     // bad command line, unusable printer or PPD, script error
    kExitCancelled = 3, // the person (or the script) cancelled
};
