// From the headless print dialog through the finishing plug-in and the filter
// to the PJL lines and PostScript fragments the printer receives.
#include <gtest/gtest.h>

#include "DialogE2E.h"

namespace {

const std::string kOpen = "panel com.kestrane.mtk.pde.PrintFeaturesKind\n";

class FeaturesEndToEnd : public testing::Test {
protected:
    // Runs the script and the filter; the printer stream.
    std::string PrintThrough(const std::string& script) {
        DialogRun run = e2e.RunDialog(SAMPLE_PPD, kOpen + script + "print\n", "Finisher");
        EXPECT_EQ(run.result, "dry-run") << run.json << run.stderrText;
        return e2e.RunFilter(run.jobOptions);
    }
    std::vector<std::string> JobAttributes(const std::string& stream) {
        auto lines = LinesStartingWith(PJLLines(stream), "@PJL SET JOB");
        return lines;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        for (const std::string& l : lines)
            if (l == line + "\n" || l == line + "\r\n")
                return true;
        return false;
    }

    DialogE2E e2e;
};

TEST_F(FeaturesEndToEnd, TabShiftNumberingAndOffsetStackingReachThePJL) {
    auto tab = JobAttributes(PrintThrough("set 6001 5\n"
                                          "click 7132\n"
                                          "modal\n"
                                          "  click 6306\n"
                                          "  type 6309 10.0\n"
                                          "  click 6301\n"
                                          "end\n"
                                          "click 6011\n"));
    EXPECT_TRUE(Has(tab, "@PJL SET JOBATTR=\"@TABS=100\"")) << testing::PrintToString(tab);
    EXPECT_TRUE(Has(tab, "@PJL SET JOBATTR=\"@MDOC=0\""));

    auto numbering = JobAttributes(PrintThrough("set 6001 5\n"
                                                "click 7141\n"
                                                "modal\n"
                                                "  type 6705 5\n"
                                                "  click 6701\n"
                                                "end\n"
                                                "click 6012\n"));
    EXPECT_TRUE(Has(numbering, "@PJL SET JOBATTR=\"@MDOC=5\""));
    EXPECT_TRUE(Has(numbering, "@PJL SET JOBATTR=\"@TABS=OFF\""));

    auto pages = JobAttributes(PrintThrough("set 6001 5\n"
                                            "modal\n"
                                            "  type 6505 3\n"
                                            "  click 6501\n"
                                            "end\n"
                                            "set 7142 4\n"));
    EXPECT_TRUE(Has(pages, "@PJL SET JOBOFFSET=PAGES"));
    EXPECT_TRUE(Has(pages, "@PJL SET JOBATTR=\"@OCSN=3\""));

    auto copies = JobAttributes(PrintThrough("set 6001 5\n"
                                             "modal\n"
                                             "  type 6605 4\n"
                                             "  click 6601\n"
                                             "end\n"
                                             "set 7142 5\n"));
    EXPECT_TRUE(Has(copies, "@PJL SET JOBOFFSET=COPIES"));
    EXPECT_TRUE(Has(copies, "@PJL SET JOBATTR=\"@OCSN=4\""));
}

TEST_F(FeaturesEndToEnd, TrimmingOfA4AndOfAnA4Booklet) {
    auto a4 = JobAttributes(PrintThrough("set 6001 5\n"
                                         "click 7133\n"));
    EXPECT_TRUE(Has(a4, "@PJL SET JOBATTR=\"@TRMR=1405\"")) << testing::PrintToString(a4);

    auto booklet = JobAttributes(PrintThrough("set 6001 3\n"
                                              "set 7100 2\n"
                                              "set 7102 2\n"
                                              "set 6001 5\n"
                                              "click 7133\n"));
    EXPECT_TRUE(Has(booklet, "@PJL SET JOBATTR=\"@TRMR=2021\""));
}

TEST_F(FeaturesEndToEnd, SeparatorPagesAndBookletShiftReachThePostScript) {
    std::string stream = PrintThrough("set 6001 2\n"
                                      "modal\n"
                                      "  type 6405 \"10, 3,5\"\n"
                                      "  click 6401\n"
                                      "end\n"
                                      "set 7136 2\n"
                                      "set 6001 3\n"
                                      "set 7100 2\n"
                                      "click 6010\n"
                                      "modal\n"
                                      "  click 6206\n"
                                      "  type 6209 5\n"
                                      "  click 6201\n"
                                      "end\n"
                                      "click 6016\n");
    EXPECT_NE(stream.find("[{\n%BeginNonPPDFeatures\n1 dict dup/SeparatorPages[3 5 10]put/Custom/"
                          "ProcSet findresource/setcoverseparator get exec\n%EndNonPPDFeatures\n"
                          "} stopped cleartomark\n"),
              std::string::npos);
    EXPECT_NE(stream.find("\n10.000/Custom/ProcSet findresource/setsignatureimageshift get exec\n"),
              std::string::npos);
    EXPECT_NE(stream.find("/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get "
                          "true exch exec} {pop pop} ifelse\n"),
              std::string::npos);
}

} // namespace
