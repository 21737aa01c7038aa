#include "HostOptions.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& out,
                      std::string& message) {
    out = HostOptions();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                message = a + " needs a value";
                return false;
            }
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (a == "--printer")
            ok = value(out.printer);
        else if (a == "--ppd")
            ok = value(out.ppdFile);
        else if (a == "--plugins")
            ok = value(out.plugInDir);
        else if (a == "--script")
            ok = value(out.script);
        else if (a == "--emit")
            ok = value(out.emitFormat);
        else if (a == "--screenshot")
            ok = value(out.screenshots);
        else if (a == "--title")
            ok = value(out.title);
        else if (a == "--dry-run")
            out.dryRun = true;
        else if (a == "--help" || a == "-h")
            out.help = true;
        else if (a == "--version")
            out.version = true;
        else if (a.size() > 1 && a[0] == '-') {
            message = "unknown option " + a;
            return false;
        } else if (out.document.empty())
            out.document = a;
        else {
            message = "only one document can be printed: " + a;
            return false;
        }
        if (!ok)
            return false;
    }
    if (!out.emitFormat.empty() && out.emitFormat != "json") {
        message = "--emit knows only json";
        return false;
    }
    return true;
}

namespace {

bool ReadableFile(const std::string& path, const char* what, std::string& message) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        message = std::string(what) + " " + path + " is a directory";
        return false;
    }
    if (!fs::exists(path, ec)) {
        message = std::string(what) + " " + path + " does not exist";
        return false;
    }
    if (!std::ifstream(path, std::ios::binary)) {
        message = std::string(what) + " " + path + " cannot be read";
        return false;
    }
    return true;
}

} // namespace

bool CheckHostOptions(const HostOptions& options, std::string& message) {
    std::error_code ec;
    if (!options.ppdFile.empty() && !ReadableFile(options.ppdFile, "the PPD", message))
        return false;
    if (!options.script.empty() && !ReadableFile(options.script, "the script", message))
        return false;
    if (!options.document.empty() && !ReadableFile(options.document, "the document", message))
        return false;
    if (!options.plugInDir.empty() && !fs::is_directory(options.plugInDir, ec)) {
        message = "the plug-in directory " + options.plugInDir + " is not a directory";
        return false;
    }
    if (!options.screenshots.empty() && fs::exists(options.screenshots, ec) &&
        !fs::is_directory(options.screenshots, ec)) {
        message = "the screenshot directory " + options.screenshots + " is a file";
        return false;
    }
    return true;
}

const char* HostUsage() {
    return "usage: printdialog [--printer QUEUE | --ppd FILE [--printer QUEUE]] [--plugins DIR]\n"
           "                   [--dry-run] [--script FILE] [--emit json] [--screenshot DIR]\n"
           "                   [--title TEXT] [DOCUMENT]\n"
           "\n"
           "Shows the print dialog for a CUPS queue and prints DOCUMENT (PDF or PostScript).\n"
           "\n"
           "  --printer QUEUE   the CUPS queue (default: the default destination)\n"
           "  --ppd FILE        work on a PPD file without a queue (with --dry-run)\n"
           "  --plugins DIR     load the plug-in bundles of DIR\n"
           "  --dry-run         list the job options instead of printing\n"
           "  --script FILE     play the dialog from a script, without a display\n"
           "  --emit json       write a report of the run to standard output\n"
           "  --screenshot DIR  write a picture of every page of the dialog into DIR\n"
           "  --title TEXT      the job's title (default: the document's file name)\n"
           "  --help, --version\n"
           "\n"
           "Exit status: 0 printed (or listed), 1 not printed (the job was refused or\n"
           "failed), 2 bad command line, printer, PPD or script, 3 cancelled.\n";
}
