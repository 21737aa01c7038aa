// The whole printer stream: the job ticket first, the PJL header in its
// order, the document, Control-D; the job names; and which job-ticket files
// the filter may copy and delete.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FilterRun.h"
#include "SpoolDirectory.h"
#include "watermark/BmpWriter.h"

using namespace filtertest;

namespace {

const std::string kGoldenDir = FILTER_GOLDEN_DIR;

bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// A finished job as the dialog prepares it: secure print, stored user
// accounting, finishing, a separator page and a special-pages ticket.
TEST(FilterOutput, FullJobMatchesGolden) {
    SpoolDir spool;
    std::string ticket = spool.Put("kpifA1b2C3d4E5", ReadFile(kGoldenDir + "/kpif_ticket.xml"));
    Job job;
    job.user = "kim";
    job.title = "Quarterly report";
    job.document = ReadFile(kGoldenDir + "/sample_job.ps");
    job.options = {{"PrintTypeTicketKey", "2"},
                   {"PrintTypeUserNameTicketKey", "kim"},
                   {"PrintTypePasswordTicketKey", "MTIzNA=="},
                   {"DocumentNameTypeTicketKey", "1"},
                   {"PrintTypeProductTypeTicketKey", "2"},
                   {"JBAManageTypeListTicketKey", "2"},
                   {"JBAUserSettingRadioBtnTicket", "1"},
                   {"JBAUserIDListCtrlTicket", "1"},
                   {"JBAInfoListTicketKey", "0"},
                   {"JBAUserIDTextEditTicket", "kim"},
                   {"JBAAccountIDTextEditTicket", "sales"},
                   {"JBAMacHostNameStringTicket", "mac01"},
                   {"number-up", "1"},
                   {"com.apple.print.PrintSettings.PMLayoutRows..n.", "1"},
                   {"com.apple.print.PrintSettings.PMLayoutColumns..n.", "1"},
                   {"TabMarginSwitchTicket", "0"},
                   {"OffsetStackingListTicket", "4"},
                   {"OffsetStackingPagesLArrowTicket", "3"},
                   {"SeparatorPageListTicket", "2"},
                   {"SeparatorPageTicket", "1 3"},
                   {"KPIFCommandFileNameTicket", Escaped(ticket)}};
    EXPECT_EQ(RunFilter(job), ReadFile(kGoldenDir + "/full_job.prn"));
    EXPECT_FALSE(Exists(ticket)) << "the ticket is sent once and deleted";
}

TEST(FilterOutput, NothingSetMatchesGolden) {
    Job job;
    job.document = ReadFile(kGoldenDir + "/sample_job.ps");
    EXPECT_EQ(RunFilter(job), ReadFile(kGoldenDir + "/plain_job.prn"));
}

// A job the filter cannot carry out fails whole: exit 1, nothing for the
// printer, and the job ticket left for the retry.
TEST(FilterOutput, FailureIsNeverReportedAsSuccess) {
    Job job;
    job.argc = 5; // one argument short of what CUPS gives
    EXPECT_EQ(RunFilter(job), "");
    EXPECT_EQ(LastStatus(), 1);

    SpoolDir spool;
    std::string ticket = spool.Put("ABCDEFGHIJKLMN", "<ticket/>");
    job = Job{};
    job.options = {{"KPIFCommandFileNameTicket", Escaped(ticket)}};
    job.useFile = false;
    EXPECT_EQ(RunFilter(job), "");
    EXPECT_EQ(LastStatus(), 1);
    EXPECT_TRUE(Exists(ticket));

    // A directory opens but cannot be read.
    job.useFile = true;
    job.argc = 7;
    job.documentPath = spool.path();
    EXPECT_EQ(RunFilter(job), "");
    EXPECT_EQ(LastStatus(), 1);
    EXPECT_TRUE(Exists(ticket));

    // Output that cannot be written: the ticket stays too.
    job.documentPath.clear();
    job.output = std::fopen("/dev/full", "w");
    ASSERT_NE(job.output, nullptr);
    RunFilter(job);
    std::fclose(job.output);
    EXPECT_EQ(LastStatus(), 1);
    EXPECT_TRUE(Exists(ticket));

    job.output = nullptr;
    EXPECT_EQ(PSPart(RunFilter(job)), "%!PS\n\x04");
    EXPECT_EQ(LastStatus(), 0);
    EXPECT_FALSE(Exists(ticket));
}

// A ticket that group or others may write could have been rewritten by
// anyone since the dialog made it: it is not sent, and stays.
TEST(FilterOutput, TicketWritableByOthersIsNotSent) {
    SpoolDir spool;
    std::string ticket = spool.Put("ABCDEFGHIJKLMN", "<ticket/>");
    for (mode_t mode : {0664, 0646}) {
        chmod(ticket.c_str(), mode);
        Job job;
        job.options = {{"KPIFCommandFileNameTicket", Escaped(ticket)}};
        std::string out = RunFilter(job);
        EXPECT_EQ(out.find("<ticket/>"), std::string::npos);
        EXPECT_EQ(out.substr(0, kHead.size()), kHead);
        EXPECT_TRUE(Exists(ticket));
    }
}

// At a point where both write, the watermark comes first: the image data at
// "%%EndSetup" precede the booklet fragments of a 1-up job.
TEST(FilterOutput, WatermarkPrecedesFinishingAtTheSamePoint) {
    SpoolDir spool;
    std::string image = spool.path() + "/logo.bmp";
    wmtest::WriteBmp(image, {{{0xAB, 0xCD, 0xEF}}});
    Job job;
    job.document = "%!PS\n%%BeginSetup\n%%EndSetup\n";
    job.options = {{"WMARKNameTicket", "Logo"},
                   {"WMARKTypeTicket", "1"},
                   {"WMARKOptionsTicket", "1"},
                   {"WMARKFilePathTicket", Escaped(image)},
                   {"com.apple.print.PrintSettings.PMLayoutRows..n.", "1"},
                   {"com.apple.print.PrintSettings.PMLayoutColumns..n.", "1"},
                   {"BookletMarginSwitchTicket", "1"},
                   {"BookletMarginMMShiftTicket", "5"}};
    EXPECT_EQ(PSPart(RunFilter(job)),
              "%!PS\n%%BeginSetup\n"
              "1 array /picstr exch def\n"
              "/line 0 def /readdata { 0 1 1 1 sub { /strix exch def\n"
              "picstr strix currentfile 3 string readhexstring pop put } for } bind def\n"
              "readdata\n"
              "ABCDEF\n"
              "[{\n%BeginNonPPDFeatures\n"
              "5.000/Custom/ProcSet findresource/setsignatureimageshift get exec\n"
              "%EndNonPPDFeatures\n} stopped cleartomark\n"
              "%%EndSetup\n\x04");
}

struct ProductCase {
    const char* name;
    std::string title;
    const char* productType; // nullptr: key absent
    std::string jobName;     // JOBNAME value, "" for none
    std::string storedName;  // ACNA value, "" for none
    friend void PrintTo(const ProductCase& c, std::ostream* os) { *os << c.name; }
};

class DocumentNames : public ::testing::TestWithParam<ProductCase> {};

TEST_P(DocumentNames, AreLimitedByProductType) {
    Job job;
    job.title = GetParam().title;
    job.options = {{"PrintTypeTicketKey", "3"},
                   {"DocumentNameTypeTicketKey", "1"},
                   {"JBAManageTypeListTicketKey", "2"},
                   {"JBAUserSettingRadioBtnTicket", "1"},
                   {"JBAUserIDTextEditTicket", ""}};
    if (GetParam().productType)
        job.options.push_back({"PrintTypeProductTypeTicketKey", GetParam().productType});
    std::string expected;
    if (!GetParam().jobName.empty())
        expected += "@PJL SET JOBNAME=\"" + GetParam().jobName + "\"\r\n";
    expected += Identity() + "@PJL SET JOBATTR=\"@DAID=\"\r\n";
    if (!GetParam().storedName.empty())
        expected += "@PJL SET JOBATTR=\"@ACNA=" + GetParam().storedName + "\"\r\n";
    EXPECT_EQ(PJLBody(RunFilter(job)), expected);
}

const std::string k30 = "abcdefghijklmnopqrstuvwxyz0123";
const std::string k70 = std::string(70, 'L');

INSTANTIATE_TEST_SUITE_P(
    ProductTypes, DocumentNames,
    ::testing::Values(
        ProductCase{"TwoCutsBothNamesToTwelve", k30, "2", k30.substr(0, 12), k30.substr(0, 12)},
        ProductCase{"ThreeCutsToSixtyFour", k70, "3", k70.substr(0, 64), k70.substr(0, 64)},
        ProductCase{"OtherCutsToTwentyFour", k30, "7", k30.substr(0, 24), k30.substr(0, 24)},
        ProductCase{"ShortTitleUnchanged", "Memo", "2", "Memo", "Memo"},
        ProductCase{"AbsentKeepsFullTitleForAccountingOnly", k30, nullptr, "", k30},
        // A control byte keeps the name out of JOBNAME; ACNA sends it masked.
        ProductCase{"UnprintableTitleSendsNoJobName", "tab\there", "1", "", "tab_here"},
        ProductCase{"TitleOutsideLatin1IsEmpty", "\xe2\x82\xac 5", "1", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Which job-ticket files are taken: only the dialog's own, directly in the
// spool directory, a regular file reached without a link.
TEST(JobTicket, IsCopiedFirstAndDeleted) {
    SpoolDir spool;
    std::string content(5000, 'k'); // more than one read
    content += "<end/>";
    std::string ticket = spool.Put("Zz09Yy18Xx27Ww", content);
    Job job;
    job.options = {{"KPIFCommandFileNameTicket", Escaped(ticket)}};
    std::string out = RunFilter(job);
    EXPECT_EQ(out.substr(0, content.size() + kHead.size()), content + kHead);
    EXPECT_FALSE(Exists(ticket));
}

TEST(JobTicket, OtherPathsAreSkippedAndKept) {
    SpoolDir spool;
    std::string outside = TempPath("kestrane-victim-");
    std::ofstream(outside) << "secret";
    std::string subdir = spool.path() + "/sub";
    mkdir(subdir.c_str(), 0700);
    std::string nested = subdir + "/abcdefghijklmn";
    std::ofstream(nested) << "nested";
    std::string link = spool.path() + "/LinkToVictim01";
    ASSERT_EQ(symlink(outside.c_str(), link.c_str()), 0);
    std::string hardLink = spool.path() + "/HardLinkVict01";
    ASSERT_EQ(::link(outside.c_str(), hardLink.c_str()), 0);
    std::string fifo = spool.path() + "/FifoFifoFifo01";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::string directory = spool.path() + "/DirectoryDir01";
    mkdir(directory.c_str(), 0700);
    std::string shortName = spool.Put("abc123", "short");
    std::string dotted = spool.Put("abcdef.hijklm", "dotted");

    const std::vector<std::string> paths = {
        outside,
        nested,
        spool.path() + "/sub/../abcdefghijklmn",
        link,
        hardLink,
        fifo,
        directory,
        shortName,
        dotted,
        spool.path() + "//abcdefghijklmn",
        "relative/abcdefghijklmn",
    };
    for (const std::string& path : paths) {
        bool existed = Exists(path);
        Job job;
        job.options = {{"KPIFCommandFileNameTicket", Escaped(path)}};
        std::string out = RunFilter(job);
        EXPECT_EQ(out.substr(0, kHead.size()), kHead) << path;
        EXPECT_EQ(Exists(path), existed) << path;
    }
    EXPECT_EQ(ReadFile(outside), "secret");
    EXPECT_EQ(ReadFile(nested), "nested");
    EXPECT_TRUE(Exists(link));
    unlink(outside.c_str());
}

TEST(JobTicket, MissingOrEmptyNameIsSkipped) {
    SpoolDir spool;
    for (const std::string& path : {std::string(), spool.path() + "/NoSuchFile0001"}) {
        Job job;
        job.options = {{"KPIFCommandFileNameTicket", Escaped(path)}};
        EXPECT_EQ(RunFilter(job).substr(0, kHead.size()), kHead);
    }
}

TEST(JobTicket, SpoolDirectoryComesFromEnvironmentOrBuildDefault) {
    unsetenv("KESTRANE_SPOOL_DIR");
    EXPECT_EQ(FilterSpoolDirectory(), KESTRANE_SPOOL_DIR_DEFAULT);
    setenv("KESTRANE_SPOOL_DIR", "/srv/spool///", 1);
    EXPECT_EQ(FilterSpoolDirectory(), "/srv/spool");
    EXPECT_TRUE(IsSpoolTicketPath("/srv/spool/ABCDEFGHIJKLMN"));
    EXPECT_FALSE(IsSpoolTicketPath("/srv/spool/ABCDEFGHIJKLM"));
    EXPECT_FALSE(IsSpoolTicketPath("/srv/spoolABCDEFGHIJKLMN"));
    setenv("KESTRANE_SPOOL_DIR", "", 1);
    EXPECT_EQ(FilterSpoolDirectory(), KESTRANE_SPOOL_DIR_DEFAULT);
    unsetenv("KESTRANE_SPOOL_DIR");
}

} // namespace
