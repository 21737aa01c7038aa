// Finishing: the PJL attribute lines, and the separator-page and booklet
// fragments placed by the number of logical pages per sheet.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "FilterRun.h"

using namespace filtertest;

namespace {

const std::string kLineU = "@PJL SET JOBATTR=\"@JOAU=kim\"\r\n";

std::string Attr(const std::string& text) {
    return "@PJL SET JOBATTR=\"@" + text + "\"\n";
}

struct FinishingLinesCase {
    const char* name;
    Options options;
    std::string lines;
    friend void PrintTo(const FinishingLinesCase& c, std::ostream* os) { *os << c.name; }
};

class FinishingLines : public ::testing::TestWithParam<FinishingLinesCase> {};

TEST_P(FinishingLines, FollowTheAccountingLines) {
    Job job;
    job.options = GetParam().options;
    EXPECT_EQ(PJLBody(RunFilter(job)), Identity() + kLineU + GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FinishingLines,
    ::testing::Values(FinishingLinesCase{"AllOff",
                                         {{"TabMarginSwitchTicket", "0"},
                                          {"TrimmerSwitchTicket", "0"},
                                          {"NumInSequenceSwitchTicket", "0"}},
                                         Attr("TABS=OFF") + Attr("TRMR=0") + Attr("MDOC=0")},
                      FinishingLinesCase{"AllOnWithValues",
                                         {{"TabMarginSwitchTicket", "1"},
                                          {"TabMarginMMShiftTicket", "10"},
                                          {"TrimmerSwitchTicket", "1"},
                                          {"TrimmerMMCuttingSizeTicket", "/50"},
                                          {"NumInSequenceSwitchTicket", "1"},
                                          {"NumInSequenceLArrowTicket", "1000"}},
                                         Attr("TABS=10") + Attr("TRMR=2") + Attr("MDOC=1000")},
                      FinishingLinesCase{"OffsetEveryPages",
                                         {{"OffsetStackingListTicket", "4"},
                                          {"OffsetStackingPagesLArrowTicket", "3"},
                                          {"OffsetStackingUnitsLArrowTicket", "9"}},
                                         "@PJL SET JOBOFFSET=PAGES\n" + Attr("OCSN=3")},
                      FinishingLinesCase{"OffsetEveryCopies",
                                         {{"OffsetStackingListTicket", "5"},
                                          {"OffsetStackingPagesLArrowTicket", "3"},
                                          {"OffsetStackingUnitsLArrowTicket", "12345"}},
                                         "@PJL SET JOBOFFSET=COPIES\n" + Attr("OCSN=12345")},
                      FinishingLinesCase{"OtherChoicesWriteNothing",
                                         {{"TabMarginSwitchTicket", "2"},
                                          {"TrimmerSwitchTicket", "-1"},
                                          {"OffsetStackingListTicket", "2"}},
                                         ""},
                      // A switch on with no value: the line is left out whole rather than
                      // cut after its opening quote.
                      FinishingLinesCase{"SwitchOnWithoutValueWritesNoHalfLine",
                                         {{"TabMarginSwitchTicket", "1"},
                                          {"TrimmerSwitchTicket", "1"},
                                          {"TrimmerMMCuttingSizeTicket", "123456"},
                                          {"OffsetStackingListTicket", "4"}},
                                         "@PJL SET JOBOFFSET=PAGES\n"}),
    [](const auto& info) { return std::string(info.param.name); });

const std::string kDoc = "%!PS\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n%%EndSetup\n"
                         "userdict/setpagedevice{pop}bind put\nbp\nep\n"
                         "%%EndProlog\nuserdict/setpagedevice{pop}bind put\n";

std::string Wrapped(const std::string& payload) {
    return "[{\n%BeginNonPPDFeatures\n" + payload + "%EndNonPPDFeatures\n} stopped cleartomark\n";
}
const std::string kSeparator = Wrapped("1 dict dup/SeparatorPages[1 3 5]put/Custom/ProcSet "
                                       "findresource/setcoverseparator get exec\n");
const std::string kShift5 =
    Wrapped("5.000/Custom/ProcSet findresource/setsignatureimageshift get exec\n");
const std::string kAutoTrue = Wrapped("/Custom/ProcSet findresource/setsignatureautoscale 2 copy "
                                      "known {get true exch exec} {pop pop} ifelse\n");
const std::string kAutoFalse = Wrapped("/Custom/ProcSet findresource/setsignatureautoscale 2 "
                                       "copy known {get false exch exec} {pop pop} ifelse\n");

// The document with the fragment written before each of the three trigger
// lines (EndProlog, EndSetup, setpagedevice), each trigger occurring as often
// as it does in kDoc.
std::string Placed(const std::string& atEndProlog, const std::string& atEndSetup,
                   const std::string& atSetPageDevice) {
    return "%!PS\n%%BeginProlog\n" + atEndProlog + "%%EndProlog\n%%BeginSetup\n" + atEndSetup +
           "%%EndSetup\n" + atSetPageDevice + "userdict/setpagedevice{pop}bind put\nbp\nep\n" +
           atEndProlog + "%%EndProlog\n" + atSetPageDevice +
           "userdict/setpagedevice{pop}bind put\n\x04";
}

struct FragmentCase {
    const char* name;
    Options options;
    std::string ps;
    friend void PrintTo(const FragmentCase& c, std::ostream* os) { *os << c.name; }
};

class FinishingFragments : public ::testing::TestWithParam<FragmentCase> {};

TEST_P(FinishingFragments, AreWrittenAtEveryTriggerForTheirLayout) {
    Job job;
    job.options = GetParam().options;
    job.document = kDoc;
    EXPECT_EQ(PSPart(RunFilter(job)), GetParam().ps);
}

Options Layout(const char* rows, const char* columns, Options extra) {
    Options o = {{"com.apple.print.PrintSettings.PMLayoutRows..n.", rows},
                 {"com.apple.print.PrintSettings.PMLayoutColumns..n.", columns}};
    o.insert(o.end(), extra.begin(), extra.end());
    return o;
}
const Options kAll = {{"SeparatorPageListTicket", "2"},
                      {"SeparatorPageTicket", "1 3 5"},
                      {"BookletMarginSwitchTicket", "1"},
                      {"BookletMarginMMShiftTicket", "5"},
                      {"AutoFitSwitchTicket", "1"}};

INSTANTIATE_TEST_SUITE_P(
    Fragments, FinishingFragments,
    ::testing::Values(
        FragmentCase{"OneUpSeparatorAtEndPrologBookletAtEndSetup", Layout("1", "1", kAll),
                     Placed(kSeparator, kShift5 + kAutoTrue, "")},
        FragmentCase{"FourUpBothBeforeSetPageDevice", Layout("2", "2", kAll),
                     Placed("", "", kSeparator + kShift5 + kAutoTrue)},
        FragmentCase{"LayoutAbsentWritesNothing", kAll, Placed("", "", "")},
        FragmentCase{"ZeroRowsWritesNothing", Layout("0", "4", kAll), Placed("", "", "")},
        FragmentCase{"AutoFitOffSaysFalse",
                     Layout("1", "1",
                            {{"BookletMarginSwitchTicket", "2"},
                             {"BookletMarginMMShiftTicket", "5"},
                             {"AutoFitSwitchTicket", "0"}}),
                     Placed("", kShift5 + kAutoFalse, "")},
        FragmentCase{
            "AutoFitAbsentOnlyShift",
            Layout("1", "1",
                   {{"BookletMarginSwitchTicket", "1"}, {"BookletMarginMMShiftTicket", "-12"}}),
            Placed("",
                   Wrapped("-12.000/Custom/ProcSet findresource/setsignatureimageshift "
                           "get exec\n"),
                   "")},
        FragmentCase{"BookletSwitchOffWritesNoBookletFragment",
                     Layout("1", "1",
                            {{"BookletMarginSwitchTicket", "0"},
                             {"BookletMarginMMShiftTicket", "5"},
                             {"AutoFitSwitchTicket", "1"}}),
                     Placed("", "", "")},
        FragmentCase{
            "SeparatorChoiceOneIsNone",
            Layout("1", "1", {{"SeparatorPageListTicket", "1"}, {"SeparatorPageTicket", "1 3 5"}}),
            Placed("", "", "")},
        FragmentCase{"EmptySeparatorSpecificationIsAllowed",
                     Layout("1", "1", {{"SeparatorPageListTicket", "3"}}),
                     Placed(Wrapped("1 dict dup/SeparatorPages[]put/Custom/ProcSet findresource"
                                    "/setcoverseparator get exec\n"),
                            "", "")}),
    [](const auto& info) { return std::string(info.param.name); });

// Values that would run as PostScript of their own are not sent at all.
TEST(FinishingFragmentValues, OnlyDigitsAndBlanksReachThePostScript) {
    for (const char* spec : {"1]put quit [", "1,2", "1\t2", "(x)"}) {
        Job job;
        job.options = Layout(
            "1", "1", {{"SeparatorPageListTicket", "2"}, {"SeparatorPageTicket", Escaped(spec)}});
        job.document = kDoc;
        EXPECT_EQ(PSPart(RunFilter(job)), Placed("", "", "")) << spec;
    }
    for (const char* shift : {"", "-", "5 ", "1e3", "--5", "5}"}) {
        Job job;
        job.options = Layout("1", "1",
                             {{"BookletMarginSwitchTicket", "1"},
                              {"BookletMarginMMShiftTicket", Escaped(shift)},
                              {"AutoFitSwitchTicket", "1"}});
        job.document = kDoc;
        EXPECT_EQ(PSPart(RunFilter(job)), Placed("", "", "")) << "shift \"" << shift << "\"";
    }
}

// On what CUPS delivers each fragment goes out once per job: an n-up
// PostScript job before pstops switches setpagedevice off, a PDF job (no such
// line) before the setup ends; repeated trigger lines write nothing more.
TEST(FinishingFragmentsUnderCups, WrittenOnceBeforeDeviceSetupStops) {
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    const std::string both = kSeparator + kShift5 + kAutoTrue;
    Job job;
    job.options = Layout("2", "2", kAll);
    job.document = kDoc;
    EXPECT_EQ(PSPart(RunFilter(job)),
              "%!PS\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n" + both +
                  "%%EndSetup\nuserdict/setpagedevice{pop}bind put\nbp\nep\n"
                  "%%EndProlog\nuserdict/setpagedevice{pop}bind put\n\x04");

    const std::string pdf = "%%EndProlog\n%%BeginSetup\n%%EndSetup\n%%EndSetup\n";
    job.document = pdf;
    EXPECT_EQ(PSPart(RunFilter(job)),
              "%%EndProlog\n%%BeginSetup\n" + both + "%%EndSetup\n%%EndSetup\n\x04");

    job.options = Layout("1", "1", kAll);
    EXPECT_EQ(PSPart(RunFilter(job)), kSeparator + "%%EndProlog\n%%BeginSetup\n" + kShift5 +
                                          kAutoTrue + "%%EndSetup\n%%EndSetup\n\x04");
    unsetenv("KESTRANE_PAGE_HOOKS");
}

// Ghostscript has none of the printer's procedures: each fragment must end
// only itself, and the job must still print every page.
TEST(FinishingFragmentValues, JobsWithFragmentsRunUnderGhostscript) {
    for (const char* columns : {"1", "2"}) {
        Job job;
        job.options = Layout(columns, columns, kAll); // 1 x 1 or 2 x 2
        std::string doc = ReadFile(std::string(FILTER_GOLDEN_DIR) + "/sample_job.ps");
        size_t setup = doc.find("%%EndSetup\n") + 11;
        job.document = doc.insert(setup, "userdict/setpagedevice{pop}bind put\n");
        std::string ps = PSPart(RunFilter(job));
        ASSERT_NE(ps.find("setcoverseparator"), std::string::npos);
        ASSERT_NE(ps.find("setsignatureautoscale"), std::string::npos);
        ps.pop_back(); // Control-D
        std::string path = WriteTempFile(ps);
        std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=bbox '" + path + "' 2>&1";
        FILE* gs = popen(command.c_str(), "r");
        ASSERT_NE(gs, nullptr);
        std::string output;
        char buffer[256];
        while (size_t n = std::fread(buffer, 1, sizeof buffer, gs))
            output.append(buffer, n);
        int status = pclose(gs);
        unlink(path.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
        EXPECT_EQ(output.find("Error"), std::string::npos) << output;
        size_t pages = 0;
        for (size_t at = output.find("%%BoundingBox"); at != std::string::npos;
             at = output.find("%%BoundingBox", at + 1))
            ++pages;
        EXPECT_EQ(pages, 2u) << output;
    }
}

} // namespace
