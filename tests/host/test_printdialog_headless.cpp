// printdialog run headless from scripts: the job options it emits are what
// the panels wrote, script errors name their line, screenshots are written.
#include "HostTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace hosttest;

namespace {

struct DialogRun {
    int exitCode = -1;
    QJsonObject report;
    std::string out, err;
};

class HeadlessDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid() && prefs.isValid());
        ppd = WriteTestPPD(dir, "*KRVHostTestSettings: \"Default01-Main\"");
    }

    DialogRun Play(const std::string& script, QStringList extra = {}) {
        const QString scriptPath = dir.filePath("script.txt");
        std::ofstream(scriptPath.toStdString()) << script;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("KESTRANE_PREFS_USER_ROOT", prefs.path() + "/user");
        env.insert("KESTRANE_PREFS_SYSTEM_ROOT", prefs.path() + "/system");
        p.setProcessEnvironment(env);
        QStringList args{"--plugins", HOST_TEST_PLUGIN_DIR,
                         "--ppd",     QString::fromStdString(ppd),
                         "--script",  scriptPath};
        args += extra;
        p.start(PRINTDIALOG_BIN, args);
        EXPECT_TRUE(p.waitForFinished(60000));
        DialogRun r;
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput().toStdString();
        r.err = p.readAllStandardError().toStdString();
        if (extra.contains("json"))
            r.report = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        return r;
    }

    QTemporaryDir dir, prefs;
    std::string ppd;
};

TEST_F(HeadlessDialog, JobOptionsAreWhatThePanelsWrote) {
    DialogRun r = Play("# job with a few choices\n"
                       "copies 2\n"
                       "paper Letter\n"
                       "pages-per-sheet 4\n"
                       "layout-direction n\n"
                       "panel \"Host Test A\"\n"
                       "choose 2 \"Third item\"\n"
                       "type 3 \"O'Neil\"\n"
                       "set 4 7\n"
                       "click 5\n"
                       "alert-answer 0\n"
                       "click 9\n"
                       "modal\n"
                       "  set 101 1\n"
                       "  click 103\n"
                       "end\n"
                       "click 7\n"
                       "panel com.kestrane.mtk.pde.HostTestKind.MNHostTestB\n"
                       "set 1 1\n"
                       "print\n",
                       {"--dry-run", "--emit", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject& rep = r.report;
    EXPECT_EQ(rep["result"].toString(), "dry-run");
    const QJsonObject settings = rep["printSettings"].toObject();
    const QJsonObject options = rep["jobOptions"].toObject();

    // Every text value of the settings travels unchanged under its key ...
    for (auto it = settings.begin(); it != settings.end(); ++it)
        EXPECT_EQ(options[it.key()].toString(), it.value().toString()) << it.key().toStdString();
    // ... and the only other options are the dialog's own and the PPD's.
    const QJsonObject ppdChoices = rep["ppdChoices"].toObject();
    for (auto it = options.begin(); it != options.end(); ++it) {
        const bool known = settings.contains(it.key()) || ppdChoices.contains(it.key()) ||
                           it.key() == "copies" || it.key() == "collate" ||
                           it.key() == "number-up-layout";
        EXPECT_TRUE(known) << it.key().toStdString();
    }

    auto A = [](const char* n) { return QString::fromStdString(Ticket("MNHostTestA", n)); };
    auto B = [](const char* n) { return QString::fromStdString(Ticket("MNHostTestB", n)); };
    EXPECT_EQ(options[A("Popup")].toString(), "3");
    EXPECT_EQ(options[A("Name")].toString(), "/79/39/78/101/105/108");
    EXPECT_EQ(options[A("Copies")].toString(), "7");
    EXPECT_EQ(options[A("ChildCheck")].toString(), "1");
    EXPECT_EQ(options[A("Check")].toString(), "0");
    EXPECT_EQ(options[B("Check")].toString(), "1");
    EXPECT_EQ(options["KSTEcoMode"].toString(), "True");
    EXPECT_EQ(options["PageSize"].toString(), "Letter");
    EXPECT_EQ(options["copies"].toString(), "2");
    EXPECT_EQ(options["number-up"].toString(), "4");
    EXPECT_EQ(options["com.apple.print.PrintSettings.PMLayoutDirection..n."].toString(), "5");
    EXPECT_EQ(options["com.apple.print.PrintSettings.PMLayoutRows..n."].toString(), "2");
    EXPECT_EQ(options["com.apple.print.PrintSettings.PMLayoutColumns..n."].toString(), "2");
    EXPECT_EQ(options["number-up-layout"].toString(), "tblr");
    // Panel A was opened and printed; B first opened when chosen.
    EXPECT_TRUE(options[A("Trace")].toString().contains("loads=1 opens=1"));
    EXPECT_TRUE(options[A("Trace")].toString().contains("alert=0"));

    const QJsonArray alerts = rep["alerts"].toArray();
    ASSERT_EQ(alerts.size(), 1);
    EXPECT_EQ(alerts[0].toObject()["message"].toString(), "Test alert of copy A");
    EXPECT_EQ(rep["modalWindows"].toInt(), 1);

    // The base panels keep no preferences when saving; nothing else wrote any.
    EXPECT_TRUE(rep["preferencesWritten"].toArray().isEmpty());

    const QJsonArray summary = rep["summary"].toArray();
    ASSERT_EQ(summary.size(), 2);
    EXPECT_EQ(summary[0].toObject()["panel"].toString(), "Host Test A");
}

TEST_F(HeadlessDialog, DryRunListsTheOptions) {
    DialogRun r = Play("print\n", {"--dry-run"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("number-up=1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(Ticket("MNHostTestA", "Popup") + "=1\n"), std::string::npos) << r.out;
}

struct ScriptFault {
    const char* name;
    std::string script;
    std::string message; // "script.txt:<line>: ..." tail
};

class ScriptFaults : public HeadlessDialog, public ::testing::WithParamInterface<ScriptFault> {};

TEST_P(ScriptFaults, NameTheLineAndStop) {
    const ScriptFault& f = GetParam();
    DialogRun r = Play(f.script, {"--dry-run"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("script.txt:" + f.message), std::string::npos) << r.err;
    // Nothing was printed.
    EXPECT_EQ(r.out.find("number-up="), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Host, ScriptFaults,
    ::testing::Values(
        ScriptFault{"Unknown", "copies 1\nstaple 3\nprint\n", "2: unknown command \"staple\""},
        ScriptFault{"NoPanelShown", "set 1 1\nprint\n", "1: no panel is shown"},
        ScriptFault{"NoSuchTag", "panel \"Host Test A\"\nclick 99\nprint\n",
                    "2: no control with tag 99 in panel \"Host Test A\""},
        ScriptFault{"Disabled", "panel \"Host Test A\"\nset 1 1\ntype 3 x\nprint\n",
                    "3: control 3 is disabled"},
        ScriptFault{"NoSuchItem", "panel \"Host Test A\"\nchoose 2 Fourth\nprint\n",
                    "2: list 2 has no item \"Fourth\""},
        ScriptFault{"OutOfRange", "panel \"Host Test A\"\nset 4 100\nprint\n",
                    "2: the value lies outside 1 to 99"},
        ScriptFault{"NoPanel", "panel Nowhere\nprint\n", "1: no panel \"Nowhere\""},
        ScriptFault{"Paper", "paper A0\nprint\n", "1: the printer has no paper size \"A0\""},
        ScriptFault{"InModal", "panel \"Host Test A\"\nmodal\n  click 55\nend\nclick 7\nprint\n",
                    "3: no control with tag 55 in the modal window"},
        ScriptFault{"AfterCancel", "cancel\ncopies 2\n", "2: the dialog is already closed"},
        ScriptFault{"OpenQuote", "print \"now\n", "1: missing closing quote"},
        ScriptFault{"PageRanges", "copies 2\npage-ranges 5-2\nprint\n", "2: pages are numbers"},
        ScriptFault{"CollateOneCopy", "collate 0\nprint\n", "1: collate takes 0 or 1"},
        ScriptFault{"NoSuchChoice", "ppd Duplex Sideways\nprint\n",
                    "1: option Duplex has no choice \"Sideways\""},
        ScriptFault{"TimeRefusesKeys", "panel \"Host Test A\"\ntype 10 25:00\nprint\n",
                    "2: control 10 shows \""},
        ScriptFault{"TimeNeedsItsSections", "panel \"Host Test A\"\ntype 10 7\nprint\n",
                    "2: control 10 takes 2 fields of the form HH:mm, not \"7\""},
        ScriptFault{"TimeForm", "panel \"Host Test A\"\nset 10 noon\nprint\n",
                    "2: control 10 takes a value of the form HH:mm, not \"noon\""},
        ScriptFault{"DateTimeRange", "panel \"Host Test A\"\nset 11 \"2031-01-01 00:00\"\nprint\n",
                    "2: the value lies outside 2020-01-01 00:00 to 2030-12-31 23:59"}),
    [](const auto& info) { return std::string(info.param.name); });

struct DateTimeEntry {
    const char* name;
    std::string commands;
    const char* time;     // what the time field shows at printing
    const char* dateTime; // what the date and time field shows
};

class DateTimeFields : public HeadlessDialog,
                       public ::testing::WithParamInterface<DateTimeEntry> {};

// Time fields take what a person types section by section, and set takes the
// field's display form or the ISO form.
TEST_P(DateTimeFields, ReachTheTicketAsEntered) {
    const DateTimeEntry& e = GetParam();
    DialogRun r =
        Play("panel \"Host Test A\"\n" + e.commands + "print\n", {"--dry-run", "--emit", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject options = r.report["jobOptions"].toObject();
    EXPECT_EQ(options[QString::fromStdString(Ticket("MNHostTestA", "Time"))].toString(), e.time);
    EXPECT_EQ(options[QString::fromStdString(Ticket("MNHostTestA", "DateTime"))].toString(),
              e.dateTime);
}

INSTANTIATE_TEST_SUITE_P(
    Host, DateTimeFields,
    ::testing::Values(DateTimeEntry{"Untouched", "", "12:00", "2026-01-15T09:00"},
                      DateTimeEntry{"Typed", "type 10 00:00\ntype 11 \"2027-11-30 08:15\"\n",
                                    "00:00", "2027-11-30T08:15"},
                      DateTimeEntry{"TypedShortHour", "type 10 7:05\n", "07:05",
                                    "2026-01-15T09:00"},
                      DateTimeEntry{"SetInIsoForm", "set 10 23:59\nset 11 2028-02-29T06:05\n",
                                    "23:59", "2028-02-29T06:05"},
                      DateTimeEntry{"SetInDisplayForm", "set 11 \"2030-12-31 23:59\"\n", "12:00",
                                    "2030-12-31T23:59"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HeadlessDialog, ScreenshotsOfEveryPanel) {
    const QString shots = QString::fromStdString(OutputPath("screenshots"));
    QDir(shots).removeRecursively();
    DialogRun r =
        Play("panel \"Host Test A\"\nset 1 1\nmodal\n  screenshot child-window\n  click 104\nend\n"
             "click 7\nscreenshot host-test-a\npanel Summary\nprint\n",
             {"--dry-run", "--screenshot", shots});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* name :
         {"00-Layout.png", "01-Host_Test_A.png", "02-Host_Test_B.png", "03-Printer_Options.png",
          "04-Summary.png", "host-test-a.png", "child-window.png"}) {
        QImage image(shots + "/" + name);
        EXPECT_FALSE(image.isNull()) << name;
        EXPECT_GT(image.width(), 100) << name;
    }
}

TEST_F(HeadlessDialog, PrintingNeedsAQueueAndCancellingHasItsOwnStatus) {
    // The failure leaves the dialog open: the script may go on and cancel.
    DialogRun r = Play("print\ncopies 2\n", {"--emit", "json"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.report["result"].toString(), "failed");
    EXPECT_NE(r.err.find("use --dry-run"), std::string::npos);
    r = Play("print\ncancel\n", {"--emit", "json"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.report["result"].toString(), "cancelled");
}

TEST_F(HeadlessDialog, PageRangesAndCollateReachTheJob) {
    DialogRun r = Play("copies 3\ncollate 0\npage-ranges \" 2-4, 7 \"\nprint\n",
                       {"--dry-run", "--emit", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject options = r.report["jobOptions"].toObject();
    EXPECT_EQ(options["copies"].toString(), "3");
    EXPECT_EQ(options["collate"].toString(), "false");
    EXPECT_EQ(options["page-ranges"].toString(), "2-4,7");
    r = Play("copies 2\nprint\n", {"--dry-run", "--emit", "json"});
    EXPECT_EQ(r.report["jobOptions"].toObject()["collate"].toString(), "true");
    EXPECT_FALSE(r.report["jobOptions"].toObject().contains("page-ranges"));
}

// The layout section shows the first page of a PDF or PostScript document.
TEST_F(HeadlessDialog, PreviewOfTheFirstPage) {
    for (const char* name : {"page.ps", "page.pdf"}) {
        DialogRun r = Play("print\n",
                           {"--dry-run", "--emit", "json", QString::fromStdString(DataPath(name))});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const QJsonObject preview = r.report["preview"].toObject();
        EXPECT_GT(preview["width"].toInt(), 100) << name;
        // A4 is taller than wide.
        EXPECT_GT(preview["height"].toInt(), preview["width"].toInt()) << name;
    }
    DialogRun r = Play("print\n", {"--dry-run", "--emit", "json",
                                   QString::fromStdString(DataPath("options.ppd"))});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.report["preview"].toObject()["error"].toString().contains("neither PDF"));
}

// Options no panel owns are on the printer-options page, under the PPD's
// constraints, and reach the job as PPD options.
TEST_F(HeadlessDialog, PrinterOptionsReachTheJobUnderTheirConstraints) {
    ppd = DataPath("options.ppd");
    const QString shots = QString::fromStdString(OutputPath("printer-options"));
    QDir(shots).removeRecursively();
    DialogRun r = Play("panel \"Printer Options\"\n"
                       "ppd Duplex DuplexNoTumble\n"
                       "ppd KSTStaple Front\n"
                       "ppd KSTDarkness Custom.-3\n"
                       "ppd KSTJobInfo \"{Name=\\\"Ann Lee\\\" Pin=1234}\"\n"
                       "screenshot printer-options\n"
                       "print\n",
                       {"--dry-run", "--emit", "json", "--screenshot", shots});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject options = r.report["jobOptions"].toObject();
    EXPECT_EQ(options["Duplex"].toString(), "DuplexNoTumble");
    EXPECT_EQ(options["KSTStaple"].toString(), "Front");
    EXPECT_EQ(options["KSTDarkness"].toString(), "Custom.-3");
    EXPECT_EQ(options["KSTJobInfo"].toString(), "{Name=\"Ann Lee\" Pin=\"1234\"}");
    EXPECT_EQ(r.report["ppdChoices"].toObject()["KSTStaple"].toString(), "Front");
    EXPECT_FALSE(QImage(shots + "/printer-options.png").isNull());
    EXPECT_FALSE(QImage(shots + "/03-Printer_Options.png").isNull());

    struct Refusal {
        std::string script, message;
    } refusals[] = {
        {"ppd MediaType Transparency\nppd Duplex DuplexTumble\n",
         "2: Duplex=DuplexTumble conflicts with MediaType"},
        {"ppd KSTStaple Back\nppd MediaType Transparency\n",
         "2: MediaType=Transparency conflicts with KSTStaple"},
        {"ppd KSTDarkness Custom.9\n", "1: Darkness Level takes a whole number from -5 to 5"},
        {"ppd KSTJobInfo \"{Name=Ann Pin=12x4}\"\n", "1: PIN takes digits only"},
    };
    for (const Refusal& f : refusals) {
        r = Play(f.script + "print\n", {"--dry-run"});
        EXPECT_EQ(r.exitCode, 2) << f.script;
        EXPECT_NE(r.err.find("script.txt:" + f.message), std::string::npos) << r.err;
    }
}

// The user's preference folders and file are private to the user; a file
// that cannot be written is reported once and not listed as written.
TEST_F(HeadlessDialog, PreferencesArePrivateAndFailuresAreTold) {
    ppd = WriteTestPPD(dir, "*KRVHostTestSettings: \"Default00-Main\"\n"
                            "*KRVHostTestKeptSettings: \"Default00-Main\"");
    const std::string keep = "panel \"Kept Host Test A\"\nclick 1\nprint\n";
    DialogRun r = Play(keep, {"--dry-run", "--emit", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(r.report["preferencesWritten"].toArray().isEmpty());
    const QString byHost = prefs.path() + "/user/ByHost";
    const QStringList files = QDir(byHost).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    auto mode = [](const QString& path) {
        struct stat st {};
        stat(path.toLocal8Bit().constData(), &st);
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode(prefs.path() + "/user"), 0700u);
    EXPECT_EQ(mode(byHost), 0700u);
    EXPECT_EQ(mode(byHost + "/" + files[0]), 0600u);

    // A directory where the file should be: told once, nothing listed.
    const QString file = byHost + "/" + files[0];
    ASSERT_TRUE(QFile::remove(file) && QDir().mkdir(file));
    r = Play("panel \"Kept Host Test A\"\nclick 1\npanel \"Host Test A\"\n" + keep,
             {"--dry-run", "--emit", "json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.report["preferencesWritten"].toArray().isEmpty());
    const QJsonArray errors = r.report["preferenceErrors"].toArray();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].toString().endsWith(": is a directory"))
        << errors[0].toString().toStdString();
    EXPECT_EQ(QString::fromStdString(r.err).count("is a directory"), 1) << r.err;
}

struct CommandLine {
    const char* name;
    QStringList args;
    int exitCode;
    std::string out, err; // starts of standard output and error
};

class CommandLines : public HeadlessDialog, public ::testing::WithParamInterface<CommandLine> {};

// Bad arguments stop at once with one line; help and version answer on
// standard output; the offscreen platform without a script never waits.
TEST_P(CommandLines, AnswerAtOnce) {
    const CommandLine& c = GetParam();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // Qt's own warning about a missing runtime directory is no message of ours.
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    p.setProcessEnvironment(env);
    p.start(PRINTDIALOG_BIN, QStringList(c.args).replaceInStrings("@DATA@", HOST_TEST_DATA_DIR));
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), c.exitCode);
    const std::string out = p.readAllStandardOutput().toStdString();
    const std::string err = p.readAllStandardError().toStdString();
    EXPECT_EQ(out.rfind(c.out, 0), 0u) << out;
    EXPECT_EQ(err.rfind(c.err, 0), 0u) << err;
    if (!err.empty()) {
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Host, CommandLines,
    ::testing::Values(
        CommandLine{"Help", {"--help"}, 0, "usage: printdialog", ""},
        CommandLine{"Version", {"--version"}, 0, "printdialog 1.", ""},
        CommandLine{"Unknown", {"--bogus"}, 2, "", "printdialog: unknown option --bogus"},
        CommandLine{"MissingPPD", {"--ppd", "@DATA@/none.ppd"}, 2, "", "printdialog: the PPD"},
        CommandLine{"PlugInsNotADirectory",
                    {"--plugins", "@DATA@/page.ps"},
                    2,
                    "",
                    "printdialog: the plug-in directory"},
        CommandLine{"NoDisplay",
                    {"--ppd", "@DATA@/options.ppd", "--dry-run"},
                    2,
                    "",
                    "printdialog: no display"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
