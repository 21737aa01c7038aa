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
};

// False with a message for unknown options, missing values or a bad --emit.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& out, std::string& message);

const char* HostUsage();
