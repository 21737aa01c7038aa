#include "HostOptions.h"

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

const char* HostUsage() {
    return "usage: printdialog [--printer QUEUE | --ppd FILE [--printer QUEUE]] [--plugins DIR]\n"
           "                   [--dry-run] [--script FILE] [--emit json] [--screenshot DIR]\n"
           "                   [--title TEXT] [DOCUMENT]\n";
}
