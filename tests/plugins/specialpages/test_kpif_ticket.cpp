// The KPIF job ticket document and the file that carries it to the filter.
#include "KPIFJobTicket.h"
#include "QueueLocality.h"
#include "SpecialPagesTicket.h"
#include "TempDir.h"

#include "NumberUnit.h"
#include "PDESettingsAccess.h"
#include "PrintSettings.h"

#include <cups/cups.h>
#include <cups/ppd.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace MNTest;

namespace {

SpecialPageRecord Record(const std::string& stored) {
    return ParseStoredRecord(stored).value();
}

KPIFJobPaper TestPaper() {
    KPIFJobPaper paper;
    paper.pageSizes = {"A4", "A3", "Letter", "Custom"};
    paper.mediaColors = {"White", "Yellow", "Clear"};
    paper.mediaTypes = {"Stationary", "ThickPaper", "TabbedPaper1"};
    paper.JobPageWidth = 21060;
    paper.JobPageLength = 29790;
    return paper;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// xmllint's verdict on the document (the DTD is not fetched).
bool XmlIsWellFormed(const std::string& document, const TempDir& dir) {
    const std::string path = dir.Write("ticket.xml", document);
    const std::string command = "xmllint --noout --nonet " + path + " 2>" + dir / "xmllint.err";
    return std::system(command.c_str()) == 0;
}

std::string Decoded(const std::string& escaped) {
    std::vector<char> buffer(escaped.begin(), escaped.end());
    buffer.push_back('\0');
    numstrtochar(buffer.data(), buffer.size());
    return buffer.data();
}

const char kHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<!DOCTYPE kpif SYSTEM \"kpif-v02030a.dtd\">\n"
                     "<kpif version=\"1.0\" cpss-version=\"2.01\" xml:lang=\"en-US\">\n"
                     "  <job-template-attributes>\n";
const char kTail[] = "  </job-template-attributes>\n"
                     "</kpif>\n";

} // namespace

TEST(KPIFDocument, WritesEveryBlockInItsWorkedForm) {
    const SpecialPageRecords records = {
        Record("0,0,1,0,1,1,false,1,210.0,297.0,0"),   // front cover, A4 yellow thick
        Record("1,3,0,2,-1,-1,-1,true,210.0,297.0,0"), // 2 sheets from the inserter
        Record("2,3-4,3,2,0,false,2,100.5,148.0,1"),   // custom size, long edge
        Record("2,7,9,0,2,false,0,210.0,297.0,0"),     // size beyond the PPD, sides as the job
        Record("0,1,3,0,0,0,true,4,210.0,297.0,0"),    // back cover from the inserter
    };
    const std::string expected =
        std::string(kHead) +
        "    <cover-front syntax=\"collection\">\n"
        "        <cover-type syntax=\"keyword\">print-front</cover-type>\n"
        "        <media-col syntax=\"collection\">\n"
        "            <media-type syntax=\"keyword\">THICK1</media-type>\n"
        "            <media-color syntax=\"keyword\">yellow</media-color>\n"
        "            <media-size syntax=\"collection\">\n"
        "                <x-dimension syntax=\"integer\">21000</x-dimension>\n"
        "                <y-dimension syntax=\"integer\">29700</y-dimension>\n"
        "            </media-size>\n"
        "        </media-col>\n"
        "    </cover-front>\n"
        "    <cover-back syntax=\"collection\">\n"
        "        <cover-type syntax=\"keyword\">print-both</cover-type>\n"
        "        <media-col syntax=\"collection\">\n"
        "            <media-type syntax=\"name\">interposer</media-type>\n"
        "        </media-col>\n"
        "    </cover-back>\n"
        "    <insert-sheet syntax=\"1setOf\">\n"
        "        <value syntax=\"collection\">\n"
        "                <insert-after-page-number "
        "syntax=\"integer\">3</insert-after-page-number>\n"
        "                <insert-count syntax=\"integer\">2</insert-count>\n"
        "                <media-col syntax=\"collection\">\n"
        "                    <media-type syntax=\"name\">interposer</media-type>\n"
        "                </media-col>\n"
        "        </value>\n"
        "    </insert-sheet>\n"
        "    <page-overrides syntax=\"1setOf\">\n"
        "        <value syntax=\"collection\">\n"
        "            <input-documents syntax=\"1setOf\">\n"
        "                <value syntax=\"rangeOfInteger\">\n"
        "                    <lower-bound syntax=\"integer\">1</lower-bound>\n"
        "                    <upper-bound syntax=\"integer\">1</upper-bound>\n"
        "                </value>\n"
        "            </input-documents>\n"
        "            <pages syntax=\"1setOf\">\n"
        "                <value syntax=\"rangeOfInteger\">\n"
        "                    <lower-bound syntax=\"integer\">3</lower-bound>\n"
        "                    <upper-bound syntax=\"integer\">4</upper-bound>\n"
        "                </value>\n"
        "            </pages>\n"
        "            <sides syntax=\"keyword\">two-sided-long-edge</sides>\n"
        "            <media-col syntax=\"collection\">\n"
        "                <media-type syntax=\"name\">TAB_THICK1</media-type>\n"
        "                <media-color syntax=\"keyword\">white</media-color>\n"
        "                <media-size syntax=\"collection\">\n"
        "                    <x-dimension syntax=\"integer\">10050</x-dimension>\n"
        "                    <y-dimension syntax=\"integer\">14800</y-dimension>\n"
        "                </media-size>\n"
        "            </media-col>\n"
        "        </value>\n"
        "        <value syntax=\"collection\">\n"
        "            <input-documents syntax=\"1setOf\">\n"
        "                <value syntax=\"rangeOfInteger\">\n"
        "                    <lower-bound syntax=\"integer\">1</lower-bound>\n"
        "                    <upper-bound syntax=\"integer\">1</upper-bound>\n"
        "                </value>\n"
        "            </input-documents>\n"
        "            <pages syntax=\"1setOf\">\n"
        "                <value syntax=\"rangeOfInteger\">\n"
        "                    <lower-bound syntax=\"integer\">7</lower-bound>\n"
        "                    <upper-bound syntax=\"integer\">7</upper-bound>\n"
        "                </value>\n"
        "            </pages>\n"
        "            <media-col syntax=\"collection\">\n"
        "                <media-type syntax=\"name\">STATIONERY</media-type>\n"
        "                <media-color syntax=\"keyword\">no-color</media-color>\n"
        "                <media-size syntax=\"collection\">\n"
        "                    <x-dimension syntax=\"integer\">21060</x-dimension>\n"
        "                    <y-dimension syntax=\"integer\">29790</y-dimension>\n"
        "                </media-size>\n"
        "            </media-col>\n"
        "        </value>\n"
        "    </page-overrides>\n" +
        kTail;
    const std::string document = BuildKPIFJobTicket(records, TestPaper());
    EXPECT_EQ(document, expected);
    TempDir dir;
    EXPECT_TRUE(XmlIsWellFormed(document, dir));
    // Without records only the head and the tail remain.
    EXPECT_EQ(BuildKPIFJobTicket({}, TestPaper()), std::string(kHead) + kTail);
}

TEST(KPIFDocument, InsertFullFormAndTableLookups) {
    const std::string document =
        BuildKPIFJobTicket({Record("1,0,1,9999,2,1,2,false,210.0,297.0,0")}, TestPaper());
    EXPECT_NE(document.find("<insert-after-page-number syntax=\"integer\">0<"), std::string::npos);
    EXPECT_NE(document.find("<insert-count syntax=\"integer\">9999<"), std::string::npos);
    const std::string full =
        "                <media-col syntax=\"collection\">\n"
        "                    <media-color syntax=\"keyword\">yellow</media-color>\n"
        "                    <media-size syntax=\"collection\">\n"
        "                        <x-dimension syntax=\"integer\">21590</x-dimension>\n"
        "                        <y-dimension syntax=\"integer\">27940</y-dimension>\n"
        "                    </media-size>\n"
        "                    <media-type syntax=\"keyword\">TAB_THICK1</media-type>\n"
        "                </media-col>\n";
    EXPECT_NE(document.find(full), std::string::npos) << document;

    std::string x = "old", y = "old", keyword = "old";
    getMediaSizeKPIFComm("KR16-KAI-GCO", &x, &y); // the last row of the right column
    EXPECT_EQ(x + "x" + y, "19500x27000");
    getMediaSizeKPIFComm("a4", &x, &y); // case matters
    EXPECT_EQ(x + y, "");
    getMediaTypeKPIFComm("CustomSizedPaper5", &keyword);
    EXPECT_EQ(keyword, "USER5");
    getMediaColorKPIFComm("Other", &keyword);
    EXPECT_EQ(keyword, "other");
    getMediaColorKPIFComm(nullptr, &keyword); // null does nothing
    EXPECT_EQ(keyword, "other");
}

TEST(KPIFDocument, PPDKeywordsNeverReachTheDocument) {
    // A PPD whose media type keyword holds XML's special characters.
    ppd_file_t* ppd = ppdOpenFile(SPECIALPAGES_TEST_DATA "/SpecialPages.ppd");
    ASSERT_NE(ppd, nullptr);
    const KPIFJobPaper paper = GetCurrentSystemPrintingSetting(ppd, 595.0, 842.0);
    ppdClose(ppd);
    ASSERT_EQ(paper.mediaTypes.size(), 5u);
    EXPECT_EQ(paper.mediaTypes[4], "Odd<&\"Kind");
    EXPECT_EQ(paper.mediaColors.size(), 4u);
    EXPECT_EQ(paper.JobPageWidth, 234 * 90);
    const std::string document = BuildKPIFJobTicket({Record("0,0,0,0,0,4,false,1,210.0,297.0,0"),
                                                     Record("1,2,0,1,0,0,4,false,210.0,297.0,0"),
                                                     Record("2,5,0,4,0,false,1,210.0,297.0,0")},
                                                    paper);
    EXPECT_EQ(document.find("Odd"), std::string::npos);
    TempDir dir;
    EXPECT_TRUE(XmlIsWellFormed(document, dir));
}

class KPIFTicketFile : public ::testing::Test {
protected:
    void SetUp() override {
        spool = dir / "spool";
        ASSERT_EQ(mkdir(spool.c_str(), 0700), 0);
        ASSERT_EQ(chmod(spool.c_str(), 01733), 0);
    }
    std::vector<std::string> SpoolFiles() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(spool))
            names.push_back(e.path().string());
        return names;
    }
    TempDir dir;
    std::string spool;
    SpecialPageRecords records = {Record("1,3,0,2,0,0,0,false,210.0,297.0,0")};
};

TEST_F(KPIFTicketFile, WrittenFileTravelsByItsEscapedPath) {
    ScopedEnv env("KESTRANE_SPOOL_DIR", spool);
    PrintSettings settings;
    KPIFOutput out = OutputKPIFCommand(&settings, records, TestPaper(), false);
    ASSERT_EQ(out.outcome, KPIFOutcome::Written);
    std::string stored;
    ASSERT_EQ(settings.GetText(kKPIFCommandFileNameTicket, stored), 0);
    EXPECT_EQ(stored.rfind("/47/", 0), 0u);
    EXPECT_EQ(Decoded(stored), out.path);
    EXPECT_EQ(out.path.size(), spool.size() + 1 + 14);
    struct stat info;
    ASSERT_EQ(stat(out.path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
    EXPECT_EQ(ReadFile(out.path), BuildKPIFJobTicket(records, TestPaper()));
    ASSERT_EQ(settings.GetText(kSpecialPageRecordCountTicket, stored), 0);
    EXPECT_EQ(stored, "1");

    // The next job without records loses the old path and makes no file.
    out = OutputKPIFCommand(&settings, {}, TestPaper(), false);
    EXPECT_EQ(out.outcome, KPIFOutcome::NoRecords);
    EXPECT_FALSE(settings.Contains(kKPIFCommandFileNameTicket));
    ASSERT_EQ(settings.GetText(kSpecialPageRecordCountTicket, stored), 0);
    EXPECT_EQ(stored, "0");
    EXPECT_EQ(SpoolFiles().size(), 1u);
}

TEST_F(KPIFTicketFile, RefusalsLeaveNoFileAndNoPath) {
    PrintSettings settings;
    settings.SetText(kKPIFCommandFileNameTicket, "/47/111/108/100");
    {
        ScopedEnv env("KESTRANE_SPOOL_DIR", dir / "missing");
        EXPECT_EQ(CheckSpoolDirectory(dir / "missing"), SpoolDirectoryState::Missing);
        EXPECT_EQ(OutputKPIFCommand(&settings, records, TestPaper(), false).outcome,
                  KPIFOutcome::SpoolUnusable);
        EXPECT_FALSE(settings.Contains(kKPIFCommandFileNameTicket));
    }
    ASSERT_EQ(chmod(spool.c_str(), 0733), 0);
    EXPECT_EQ(CheckSpoolDirectory(spool), SpoolDirectoryState::NotSticky);
    ASSERT_EQ(chmod(spool.c_str(), 01733), 0);
    EXPECT_EQ(CheckSpoolDirectory(spool), SpoolDirectoryState::Usable);

    // A directory whose escaped path cannot fit the key is refused before a file exists.
    std::string deep = spool;
    while (EncodeEscapedTicketString(deep).size() < 220)
        deep += "/d";
    std::filesystem::create_directories(deep);
    ASSERT_EQ(chmod(deep.c_str(), 01733), 0);
    {
        ScopedEnv env("KESTRANE_SPOOL_DIR", deep);
        EXPECT_EQ(OutputKPIFCommand(&settings, records, TestPaper(), false).outcome,
                  KPIFOutcome::PathTooLong);
    }
    EXPECT_TRUE(std::filesystem::is_empty(deep));
    EXPECT_FALSE(settings.Contains(kKPIFCommandFileNameTicket));
}

TEST_F(KPIFTicketFile, FailedWriteRemovesTheFile) {
    ScopedEnv env("KESTRANE_SPOOL_DIR", spool);
    PrintSettings settings;
    // A file size limit makes the write fail as a full disk would.
    auto old = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    KPIFOutput out = OutputKPIFCommand(&settings, records, TestPaper(), false);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old);
    EXPECT_EQ(out.outcome, KPIFOutcome::WriteFailed);
    EXPECT_NE(out.error, 0);
    EXPECT_TRUE(SpoolFiles().empty());
    EXPECT_FALSE(settings.Contains(kKPIFCommandFileNameTicket));
}

TEST(TicketTexts, ShortenedAtWholeCharactersBeforeEscaping) {
    // "ä" is two bytes, "/195/164" escaped: a cut may never leave half of it.
    std::string text = "/";
    for (int i = 0; i < 40; ++i)
        text += "\xC3\xA4";
    const std::string escaped = FitEscapedTicketString(text, 255);
    EXPECT_LE(escaped.size(), 255u);
    const std::string back = Decoded(escaped);
    EXPECT_EQ(text.rfind(back, 0), 0u);
    EXPECT_EQ((back.size() - 1) % 2, 0u);
    EXPECT_EQ(back.size(), 1u + 2 * 31); // 8 bytes per character, 3 for the slash
    EXPECT_EQ(FitEscapedTicketString("plain", 255), "plain");
    PrintSettings settings;
    ASSERT_TRUE(setCStringToTicket(text, "k", &settings, false));
    std::string stored;
    settings.GetText("k", stored);
    EXPECT_EQ(stored, escaped);
}

TEST(QueueLocation, OnlyALocalFilterCanReadTheSpoolFolder) {
    // A scheduler on another host runs the filter there.
    cupsSetServer("printhost.example:631");
    EXPECT_EQ(LocateQueue("office"), QueueLocation::Remote);
    // A local scheduler that cannot be reached says nothing either way.
    TempDir dir;
    cupsSetServer((dir / "no-cupsd.sock").c_str());
    EXPECT_EQ(LocateQueue("office"), QueueLocation::Unknown);
    EXPECT_EQ(LocateQueue(""), QueueLocation::Unknown);
    cupsSetServer(nullptr);
}
