// printdialog: the print dialog for CUPS queues, shown to a person or played
// headless from a script.
#include "HostOptions.h"
#include "HostScript.h"
#include "PrintDialogApp.h"
#include "PrintDialogWindow.h"
#include "ScriptRunner.h"

#include <QApplication>

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    HostOptions options;
    std::string message;
    if (!ParseHostOptions(args, options, message)) {
        std::cerr << "printdialog: " << message << " (printdialog --help lists the options)\n";
        return kExitUsage;
    }
    if (options.help) {
        std::cout << HostUsage();
        return kExitPrinted;
    }
    if (options.version) {
        std::cout << "printdialog " KESTRANE_VERSION "\n";
        return kExitPrinted;
    }
    if (!CheckHostOptions(options, message)) {
        std::cerr << "printdialog: " << message << "\n";
        return kExitUsage;
    }

    // The whole script is checked before anything is opened.
    Script script;
    if (!options.script.empty()) {
        std::ifstream in(options.script, std::ios::binary);
        if (!in) {
            std::cerr << "printdialog: cannot read script " << options.script << "\n";
            return kExitUsage;
        }
        std::stringstream text;
        text << in.rdbuf();
        ScriptError error;
        if (!ParseScript(text.str(), script, error)) {
            std::cerr << FormatScriptError(options.script, error) << "\n";
            return kExitUsage;
        }
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    QApplication app(argc, argv);
    // Nobody could ever answer a window on these platforms: fail instead of
    // waiting for ever.
    const QString platform = QGuiApplication::platformName();
    if (options.script.empty() && (platform == "offscreen" || platform == "minimal")) {
        std::cerr << "printdialog: no display to show the dialog on (platform \""
                  << platform.toStdString() << "\"); play it with --script FILE\n";
        return kExitUsage;
    }
    int status = 0;
    {
        PrintDialogApp dialog(options, "/proc/self/exe");
        std::string error;
        if (!dialog.Start(error)) {
            std::cerr << "printdialog: " << error << "\n";
            return kExitUsage;
        }
        if (!options.script.empty()) {
            dialog.Window().show();
            ScriptRunner runner(dialog, options.script);
            if (!runner.Run(script)) {
                std::cerr << FormatScriptError(options.script, runner.Error()) << "\n";
                status = kExitUsage;
            }
            // A script that ends without printing has cancelled.
            if (dialog.Outcome() == PrintOutcome::None)
                dialog.Cancel();
        } else {
            dialog.Window().exec();
            // Closing the window after a refusal or a failed submission cancels.
            if (!dialog.Finished())
                dialog.Cancel();
        }
        if (!options.screenshots.empty() && !dialog.WriteScreenshots(options.screenshots, error)) {
            std::cerr << "printdialog: " << error << "\n";
            status = status ? status : kExitUsage;
        }
        dialog.ReportPreferenceFailures();
        if (options.emitFormat == "json")
            std::cout << dialog.ReportJson() << std::flush;
        if (status == 0)
            status = dialog.ExitStatus();
    }
    return status;
}
