// The special pages panel in the dialog host's session, offscreen: what it
// restores from print settings another program or an older dialog wrote, and
// what saving and printing leave in them.
#include "DialogSession.h"
#include "PlugInLoader.h"

#include "TempDir.h"

#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace {

const std::string kKey = "com.kestrane.mtz.printsettings.";

// The special pages bundle alone, from a directory of its own.
std::vector<LoadedPlugIn>& SpecialPagesPlugIn() {
    static TempDir dir;
    static PlugInLoadReport report = [] {
        std::filesystem::create_directory_symlink(SPECIALPAGES_PLUGIN_BUNDLE,
                                                  dir / "specialpages.plugin");
        return LoadPlugIns(dir.Path());
    }();
    return report.plugins;
}

QTableWidget* RecordTable(DialogSession& session) {
    const int index = session.FindPanel("com.kestrane.mtk.pde.SpecialPagesKind");
    if (index < 0)
        return nullptr;
    QWidget* view = session.Panels()[static_cast<std::size_t>(index)].panel->panelView();
    for (QTableWidget* table : view->findChildren<QTableWidget*>())
        if (table->property("tag").toInt() == 1004)
            return table;
    return nullptr;
}

} // namespace

TEST(SpecialPagesPanel, RestoresWellFormedRecordsAndSavesNoTicketPath) {
    TempDir dir;
    ScopedEnv prefs("KESTRANE_PREFS_USER_ROOT", dir / "prefs");
    ScopedEnv spool("KESTRANE_SPOOL_DIR", dir / "spool");
    mkdir((dir / "spool").c_str(), 0700);
    chmod((dir / "spool").c_str(), 01733);
    DialogSession session;
    std::string error;
    ASSERT_TRUE(session.Open("SpecialPagesPanelTest", SPECIALPAGES_TEST_DATA "/SpecialPages.ppd",
                             {}, error))
        << error;
    PrintSettings* settings = session.printSettings();
    settings->SetText(kKey + "KPIFCommandTicketCount", "5");
    settings->SetText(kKey + "KPIFCommandTicket_0", "0,0,1,0,1,0,false,1,210.0,297.0,0");
    settings->SetText(kKey + "KPIFCommandTicket_1", "1,3,0,99999,0,0,0,false,210.0,297.0,0");
    settings->SetText(kKey + "KPIFCommandTicket_2", "9,3,0,2,0,0,0,false,210.0,297.0,0");
    settings->SetText(kKey + "KPIFCommandTicket_3", "2,6,3,0,0,false,1,99999999999.0,297.0,1");
    settings->SetText(kKey + "KPIFCommandTicket_4", "1,5,0,2,7,0,0,false,210.0,297.0,0");
    // A path an earlier job left behind.
    settings->SetText(kKey + "KPIFCommandFileNameTicket", "/47/116/109/112/47/120");

    session.CollectPanels(SpecialPagesPlugIn());
    session.RestoreAllPanels();
    QTableWidget* table = RecordTable(session);
    ASSERT_NE(table, nullptr);
    // The front cover and the insert after page 5 (a size index the PPD lacks
    // shows as no change); the other three are not records.
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->item(0, 0)->text(), "Front");
    EXPECT_EQ(table->item(1, 0)->text(), "5");
    EXPECT_EQ(table->item(1, 2)->text(), "2 sheet(s); No Change, White, Plain");

    session.SaveAllPanels();
    std::string text;
    EXPECT_EQ(settings->GetText(kKey + "KPIFCommandTicketCount", text), 0);
    EXPECT_EQ(text, "2");
    EXPECT_FALSE(settings->Contains(kKey + "KPIFCommandTicket_2"));
    EXPECT_FALSE(settings->Contains(kKey + "KPIFCommandFileNameTicket"));

    std::string refusedBy;
    ASSERT_TRUE(session.ShouldPrint(refusedBy)) << refusedBy;
    ASSERT_EQ(settings->GetText(kKey + "KPIFCommandFileNameTicket", text), 0);
    EXPECT_EQ(text.rfind("/47/", 0), 0u);
    session.Close();
}
