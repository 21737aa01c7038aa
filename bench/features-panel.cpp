// The finishing panel on the constraint-index benchmark's PPD, against the
// same work through libcups, side by side.
//
//   features-panel-bench WORKDIR PLUGINDIR     (REPS=5 by default)
//
// WORKDIR holds bench.ppd and bench.cdf as constraint-index-bench leaves them
// (200 options x 10 choices, 20,000 *UIConstraints lines, and the cache).
// The PPD gains the finishing attribute, and a copy of the features bundle
// in WORKDIR claims the generated options. Then it times, in CPU time:
// opening the panel (the index from the cache, every control built and
// shown, the conflicts applied) and one click that changes a choice (mark,
// report, every control re-evaluated), each against libcups doing the same
// (every choice of every option: mark, ppdConflicts, read the flag).
#include "DialogSession.h"
#include "PlugInLoader.h"
#include "RecordingPlatformServices.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cups/ppd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

constexpr int kOptions = 200;
constexpr int kChoices = 10;

double CPUSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::string ChoiceName(int c) {
    return c == 0 ? "None" : "Ch" + std::to_string(c);
}

// Copies the bundle and makes it claim KROpt0..KROpt199.
bool PrepareBundle(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& sub : {QStringLiteral("Resources"), QStringLiteral("Help")}) {
        QDir().mkpath(to + "/" + sub);
        for (const QString& f : QDir(from + "/" + sub).entryList(QDir::Files))
            QFile::copy(from + "/" + sub + "/" + f, to + "/" + sub + "/" + f);
    }
    QFile::copy(from + "/features.so", to + "/features.so");
    QFile in(from + "/Info.json");
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QJsonObject info = QJsonDocument::fromJson(in.readAll()).object();
    QJsonArray keys;
    for (int o = 0; o < kOptions; ++o)
        keys.append(QStringLiteral("KROpt%1").arg(o));
    info["PMPPDKeysSupported"] = keys;
    info["Default00"] = QJsonArray{QJsonArray{}};
    QFile out(to + "/Info.json");
    return out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(info).toJson()) > 0;
}

// libcups's way to grey a panel: every choice marked in turn, ppdConflicts.
void CupsCheckAll(ppd_file_t* ppd) {
    for (int o = 0; o < kOptions; ++o) {
        const std::string name = "KROpt" + std::to_string(o);
        ppd_option_t* option = ppdFindOption(ppd, name.c_str());
        ppd_choice_t* was = ppdFindMarkedChoice(ppd, name.c_str());
        const std::string old = was ? was->choice : "None";
        volatile int conflicted = 0;
        for (int c = 0; c < kChoices; ++c) {
            ppdMarkOption(ppd, name.c_str(), ChoiceName(c).c_str());
            ppdConflicts(ppd);
            conflicted = conflicted + option->conflicted;
        }
        ppdMarkOption(ppd, name.c_str(), old.c_str());
    }
}

template <typename F> double BestSeconds(int reps, F body) {
    double best = 1e300;
    for (int r = 0; r < reps; ++r) {
        const double start = CPUSeconds();
        body();
        best = std::min(best, CPUSeconds() - start);
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: features-panel-bench WORKDIR PLUGINDIR\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int reps = std::max(1, std::atoi(std::getenv("REPS") ? std::getenv("REPS") : "5"));
    const std::string work = argv[1];
    const std::string ppdPath = work + "/features-bench.ppd";
    {
        std::ifstream in(work + "/bench.ppd");
        std::ofstream out(ppdPath);
        out << in.rdbuf() << "*KRVFeaturesSettings: \"Default00\"\n";
    }
    const QString bundles = QString::fromStdString(work + "/plugins");
    if (!PrepareBundle(QString::fromUtf8(argv[2]) + "/features.plugin",
                       bundles + "/features.plugin")) {
        std::fprintf(stderr, "no features bundle in %s\n", argv[2]);
        return 1;
    }
    setenv("KESTRANE_PREFS_USER_ROOT", (work + "/prefs").c_str(), 1);
    setenv("KESTRANE_PREFS_SYSTEM_ROOT", (work + "/prefs").c_str(), 1);
    RecordingPlatformServices services;
    ScopedPlatformServices scope(&services);
    PlugInLoadReport plugins = LoadPlugIns(bundles.toStdString());

    // Opening: a fresh dialog each time; the PPD is parsed before the clock.
    int controls = 0;
    double open = 1e300;
    for (int r = 0; r < reps; ++r) {
        DialogSession session;
        std::string error;
        if (!session.Open("Bench", ppdPath, {}, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        const double start = CPUSeconds();
        session.CollectPanels(plugins.plugins);
        const int index = session.FindPanel("com.kestrane.mtk.pde.PrintFeaturesKind");
        if (index < 0) {
            std::fprintf(stderr, "the panel was not offered\n");
            return 1;
        }
        PDEPanel& panel = *session.Panels()[index].panel;
        panel.restoreValuesAndReturnError(nullptr);
        panel.willShow();
        open = std::min(open, CPUSeconds() - start);
        controls = panel.panelView()->findChildren<QComboBox*>().size();
    }

    DialogSession session;
    std::string error;
    session.Open("Bench", ppdPath, {}, error);
    session.CollectPanels(plugins.plugins);
    PDEPanel& panel =
        *session.Panels()[session.FindPanel("com.kestrane.mtk.pde.PrintFeaturesKind")].panel;
    panel.restoreValuesAndReturnError(nullptr);
    panel.willShow();
    QComboBox* list = nullptr;
    for (QComboBox* combo : panel.panelView()->findChildren<QComboBox*>())
        if (combo->property("tag").toInt() >= 7300) {
            list = combo;
            break;
        }
    if (!list)
        return 1;
    int item = 1;
    const double click = BestSeconds(reps * 4, [&] {
        item = item == 1 ? 2 : 1;
        list->setCurrentIndex(item);
        emit list->activated(item);
    });
    ppd_file_t* ppd = session.ppdFile();
    const double cupsOpen = BestSeconds(reps, [&] { CupsCheckAll(ppd); });
    const double cupsClick = BestSeconds(reps, [&] {
        ppdMarkOption(ppd, "KROpt0", ChoiceName(item = item == 1 ? 2 : 1).c_str());
        CupsCheckAll(ppd);
    });

    std::printf("PPD: %d options x %d choices, %d *UIConstraints lines; %d lists on the panel; "
                "CPU time, best of %d\n\n",
                kOptions, kChoices, ppd->num_consts, controls, reps);
    std::printf("| step | CPU ms | ratio |\n|---|---:|---:|\n");
    std::printf("| open: libcups, every choice checked (mark, ppdConflicts) | %.1f | 1.00 |\n",
                cupsOpen * 1e3);
    std::printf("| open the panel: index from the cache, controls built and shown, conflicts "
                "applied | %.1f | %.1f x faster |\n",
                open * 1e3, cupsOpen / open);
    std::printf("| click: libcups, mark and every choice checked again | %.1f | 1.00 |\n",
                cupsClick * 1e3);
    std::printf("| click on the panel: mark, report, every control re-evaluated | %.2f | %.0f x "
                "faster |\n\n",
                click * 1e3, cupsClick / click);
    const bool met = open < 0.100 && click < 0.005;
    std::printf("targets (open < 100 ms, click < 5 ms): %s\n", met ? "met" : "NOT met");
    UnloadPlugIns(plugins.plugins);
    return met ? 0 : 2;
}
