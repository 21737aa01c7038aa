// From the headless print dialog through the special pages plug-in to the
// job ticket file and the filter that sends it ahead of the PJL.
#include "DialogE2E.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const std::string kKey = "com.kestrane.mtz.printsettings.";
const std::string kPPD = SPECIALPAGES_TEST_DATA "/SpecialPages.ppd";
const std::string kPrinter = "SpecialPagesTest";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace

// Covers (front on yellow paper, back from the inserter), two sheets after
// pages 3 5, 7-9, exceptions 3-4, 6 on a custom size printed long-edge.
const char kFullScript[] = R"(panel "Special Pages"
modal
  set 1205 5
  set 1206 2
  set 1207 3002
  set 1209 5
  click 1201
end
click 1001
modal
  type 1306 "3 5, 7-9"
  set 1307 2
  click 1301
end
click 1002
modal
  type 1405 "3-4, 6"
  set 1407 3
  modal
    set 1606 1
    type 1609 100.5
    type 1610 148.0
    click 1601
  end
  set 1406 2005
  click 1401
end
click 1003
print
)";

namespace {

class SpecialPagesEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        spool = e2e.Dir() + "/spool";
        fs::create_directories(spool);
        chmod(spool.c_str(), 01733);
        // The dialog and the filter share the spool directory, as under cupsd.
        setenv("KESTRANE_SPOOL_DIR", spool.c_str(), 1);
    }
    void TearDown() override { unsetenv("KESTRANE_SPOOL_DIR"); }

    std::vector<std::string> SpoolFiles() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(spool))
            names.push_back(e.path().string());
        return names;
    }
    DialogRun Run(const std::string& script) { return e2e.RunDialog(kPPD, script, kPrinter); }

    DialogE2E e2e;
    std::string spool;
};

} // namespace

TEST_F(SpecialPagesEndToEnd, TicketFileGoesAheadOfThePJLAndIsDeleted) {
    DialogRun run = Run(kFullScript);
    ASSERT_EQ(run.result, "dry-run") << run.json << run.stderrText;
    EXPECT_EQ(run.printSettings[kKey + "SpecialPageRecordCountTicket"], "9");
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_1"], "2,3-4,4,0,0,false,2,100.5,148.0,1");
    const std::vector<std::string> files = SpoolFiles();
    ASSERT_EQ(files.size(), 1u);
    const std::string ticket = ReadFile(files[0]);
    EXPECT_EQ(ticket, ReadFile(SPECIALPAGES_TEST_DATA "/covers-inserts-exceptions.xml"));
    EXPECT_EQ(std::system(("xmllint --noout --nonet " + files[0]).c_str()), 0);
    struct stat info;
    ASSERT_EQ(stat(files[0].c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);

    const std::string stream = e2e.RunFilter(run.jobOptions);
    ASSERT_EQ(stream.compare(0, ticket.size(), ticket), 0);
    EXPECT_EQ(stream.compare(ticket.size(), 9, "\x1b%-12345X"), 0);
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(SpecialPagesEndToEnd, NoFileAndNoPathWithoutSpecialPages) {
    // An insert added and all deleted again: the list is empty.
    DialogRun emptied = Run(R"(panel "Special Pages"
modal
  type 1306 4
  click 1301
end
click 1002
modal
  click 1101
end
click 1009
print
)");
    ASSERT_EQ(emptied.result, "dry-run") << emptied.json << emptied.stderrText;
    EXPECT_EQ(emptied.printSettings[kKey + "KPIFCommandTicketCount"], "0");
    EXPECT_EQ(emptied.printSettings.count(kKey + "KPIFCommandFileNameTicket"), 0u);
    EXPECT_TRUE(SpoolFiles().empty());

    // A mailbox job on this printer carries no special pages.
    e2e.SetPreference(kPrinter + kKey + "PrintTypeReference", "5");
    DialogRun mailbox = Run(kFullScript);
    ASSERT_EQ(mailbox.result, "dry-run") << mailbox.json << mailbox.stderrText;
    EXPECT_EQ(mailbox.printSettings.count(kKey + "KPIFCommandFileNameTicket"), 0u);
    EXPECT_EQ(mailbox.printSettings.count(kKey + "SpecialPageRecordCountTicket"), 0u);
    EXPECT_EQ(mailbox.printSettings[kKey + "KPIFCommandTicketCount"], "9");
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(SpecialPagesEndToEnd, UnusableSpoolDirectoryAsksBeforePrintingWithout) {
    chmod(spool.c_str(), 0733); // not sticky
    const std::string script = "panel \"Special Pages\"\nmodal\n  type 1306 4\n  click 1301\nend\n"
                               "click 1002\nalert-answer ";
    DialogRun refused = Run(script + "1\nprint\n");
    EXPECT_EQ(refused.result, "refused") << refused.json;
    ASSERT_EQ(refused.alerts.size(), 1u);
    EXPECT_NE(refused.alerts[0].find("install -d -o lp -m 1733"), std::string::npos);
    DialogRun without = Run(script + "0\nprint\n");
    EXPECT_EQ(without.result, "dry-run") << without.json;
    EXPECT_EQ(without.printSettings.count(kKey + "KPIFCommandFileNameTicket"), 0u);
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(SpecialPagesEndToEnd, QueueOfAnotherHostGetsNoPath) {
    // The scheduler, and with it the filter, is on another host.
    setenv("CUPS_SERVER", "printhost.invalid", 1);
    DialogRun run = Run("panel \"Special Pages\"\nmodal\n  type 1306 4\n  click 1301\nend\n"
                        "click 1002\nalert-answer 0\nprint\n");
    unsetenv("CUPS_SERVER");
    EXPECT_EQ(run.result, "dry-run") << run.json;
    ASSERT_EQ(run.alerts.size(), 1u);
    EXPECT_NE(run.alerts[0].find("run by another computer"), std::string::npos);
    EXPECT_EQ(run.printSettings.count(kKey + "KPIFCommandFileNameTicket"), 0u);
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(SpecialPagesEndToEnd, WindowsRefuseBadEntriesWithTheirMessages) {
    DialogRun run = Run(R"(panel "Special Pages"
modal
  type 1306 9-7
  click 1301
  type 1306 1-2-3
  click 1301
  click 1302
end
click 1002
modal
  type 1405 5-
  click 1401
end
click 1003
modal
  set 1205 3
  click 1201
end
click 1001
set 1004 "1,2"
print
)");
    ASSERT_EQ(run.result, "dry-run") << run.json << run.stderrText;
    ASSERT_EQ(run.alerts.size(), 2u);
    EXPECT_NE(run.alerts[0].find("last page cannot come before"), std::string::npos);
    EXPECT_NE(run.alerts[1].find("pages after which"), std::string::npos);
    // "5-" runs to the last page; the back cover stays last.
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_0"],
              "2,5-65000,0,0,0,false,1,210.0,297.0,0");
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_1"].rfind("0,1,", 0), 0u);
}

TEST_F(SpecialPagesEndToEnd, PaperThePPDForbidsCannotBeChosen) {
    // Two-sided exception pages cannot be transparencies.
    DialogRun run = Run(R"(panel "Special Pages"
modal
  type 1405 2
  set 1407 3
  set 1406 4004
end
click 1003
)");
    EXPECT_NE(run.stderrText.find("item 4004 of menu 1406 is disabled"), std::string::npos)
        << run.stderrText;
}

TEST_F(SpecialPagesEndToEnd, CustomSizeUnitsAndLimits) {
    DialogRun run = Run(R"(panel "Special Pages"
modal
  type 1405 2
  modal
    type 1607 8.3
    click 1601
    type 1607 8.30
    set 1606 1
    type 1609 330.1
    set 1605 1
    type 1609 330.0
    click 1601
  end
  set 1406 2005
  click 1401
end
click 1003
print
)");
    ASSERT_EQ(run.result, "dry-run") << run.json << run.stderrText;
    // The PPD's range: 283 to 935 points wide.
    ASSERT_EQ(run.alerts.size(), 2u);
    EXPECT_NE(run.alerts[0].find("from 3.93 to 12.99 inches"), std::string::npos) << run.alerts[0];
    EXPECT_NE(run.alerts[1].find("from 100.0 to 330.0 millimetres"), std::string::npos);
    // The length was never touched: it stays exactly 297.0 through both units.
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_0"], "2,2,4,0,0,false,1,330.0,297.0,1");
}

TEST_F(SpecialPagesEndToEnd, EditingRecordsInPlace) {
    DialogRun run = Run(R"(panel "Special Pages"
modal
  type 1306 "2 4"
  click 1301
end
click 1002
modal
  type 1405 3-5
  click 1401
end
click 1003
set 1004 1
modal
  set 1307 3
  click 1301
end
click 1007
set 1004 2
modal
  type 1405 4
  click 1401
end
click 1007
print
)");
    ASSERT_EQ(run.result, "dry-run") << run.json << run.stderrText;
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicketCount"], "3");
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_0"], "1,2,0,3,0,0,0,false,210.0,297.0,0");
    // Pages 3 and 5 left the exception; it now comes before the insert after page 4.
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_1"], "2,4,0,0,0,false,1,210.0,297.0,0");
    EXPECT_EQ(run.printSettings[kKey + "KPIFCommandTicket_2"], "1,4,0,1,0,0,0,false,210.0,297.0,0");
}

TEST_F(SpecialPagesEndToEnd, RowRulesOfThePanel) {
    // Front and back covers are selected together; Up stays off for a cover.
    DialogRun covers = Run(R"(panel "Special Pages"
modal
  set 1205 4
  click 1201
end
click 1001
set 1004 1
click 1005
)");
    EXPECT_NE(covers.stderrText.find("control 1005 is disabled"), std::string::npos);
    DialogRun deleted = Run(R"(panel "Special Pages"
modal
  set 1205 4
  click 1201
end
click 1001
modal
  type 1306 "5 5"
  click 1301
end
click 1002
set 1004 1
modal
  click 1101
end
click 1008
set 1004 2
click 1005
click 1010
click 1010
print
)");
    EXPECT_NE(deleted.stderrText.find("control 1010 is disabled"), std::string::npos)
        << deleted.stderrText;
}
