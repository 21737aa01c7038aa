// Which page hooks a job gets, and what the CUPS-mode watermark must never
// put in the stream (its drawing is rendered in the integration test through
// a real cupsd).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "CupsPageHooks.h"
#include "FilterRun.h"
#include "ImposedSheetSlots.h"
#include "watermark/BmpWriter.h"
#include "watermark/WatermarkTestSupport.h"

using namespace filtertest;

namespace {

// PPD, CUPS_SERVERBIN, KESTRANE_PAGE_HOOKS; nullptr unsets.
PSPageHooks HooksWith(const char* ppd, const char* serverBin, const char* chosen) {
    const char* names[] = {"PPD", "CUPS_SERVERBIN", "KESTRANE_PAGE_HOOKS"};
    const char* values[] = {ppd, serverBin, chosen};
    for (int i = 0; i < 3; ++i) {
        if (values[i])
            setenv(names[i], values[i], 1);
        else
            unsetenv(names[i]);
    }
    const PSPageHooks hooks = ChoosePageHooks();
    for (const char* name : names)
        unsetenv(name);
    return hooks;
}

TEST(PageHookChoice, CupsWhenCupsdRunsTheFilterUnlessOverridden) {
    EXPECT_EQ(HooksWith("/q.ppd", "/usr/lib/cups", nullptr), PSPageHooks::Cups);
    EXPECT_EQ(HooksWith("/q.ppd", nullptr, nullptr), PSPageHooks::Generator);
    EXPECT_EQ(HooksWith("/q.ppd", "/usr/lib/cups", "generator"), PSPageHooks::Generator);
    EXPECT_EQ(HooksWith(nullptr, nullptr, "cups"), PSPageHooks::Cups);
}

// The watermark opens no save of its own and calls no page procedure the
// document never defined, whatever page lines the document holds; a font
// name that could break out of its token draws nothing at all.
TEST(CupsWatermark, NoSavesNoForeignNamesNoUnsafeFont) {
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    const std::string doc = "%!PS-Adobe-3.0\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n"
                            "%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n%%EndPageSetup\n"
                            "bp\n(x) show showpage\nep\nendp\n%%Trailer\n";
    for (const char* onlyFirst : {"0", "1"}) {
        Job job;
        job.document = doc;
        for (const auto& [name, value] : wmtest::TextTicket())
            job.options.push_back({name, name == "WMARKOnlyFirstTicket" ? onlyFirst : value});
        const std::string ps = PSPart(RunFilter(job));
        EXPECT_NE(ps.find("(AB) show"), std::string::npos) << ps;
        for (const char* name : {"pgsave", "pm ", "kvqbp", " save"})
            EXPECT_EQ(ps.find(name), std::string::npos) << name;

        job.options.push_back({"WMARKFontTicket", "Evil)show("});
        EXPECT_EQ(PSPart(RunFilter(job)), doc + "\x04");
    }
    unsetenv("KESTRANE_PAGE_HOOKS");
}

// A box in points on the paper, y upwards.
struct PaperBox {
    double left = 1e9, bottom = 1e9, right = -1e9, top = -1e9;
};

// The boxes of the pixels darker than `limit` on the first page, rendered at
// 36 dpi (2 points a pixel) on A4.
PaperBox RenderedBox(const std::string& ps, const std::string& dir, int limit) {
    std::ofstream(dir + "/job.ps", std::ios::binary) << ps;
    const std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sPAPERSIZE=a4 -r36 "
                                "-sDEVICE=pgmraw -dLastPage=1 -sOutputFile=" +
                                dir + "/page.pgm " + dir + "/job.ps > /dev/null 2>&1";
    PaperBox box;
    if (std::system(command.c_str()) != 0)
        return box;
    std::ifstream in(dir + "/page.pgm", std::ios::binary);
    // "P5", width, height, maxval; Ghostscript puts a comment line between.
    std::vector<std::string> header;
    for (std::string token; header.size() < 4 && in >> token;) {
        if (token[0] == '#')
            std::getline(in, token);
        else
            header.push_back(token);
    }
    in.get();
    if (header.size() < 4)
        return box;
    const std::string magic = header[0];
    const int width = std::stoi(header[1]), height = std::stoi(header[2]);
    const std::string pixels{std::istreambuf_iterator<char>(in), {}};
    if (magic != "P5" || pixels.size() < static_cast<size_t>(width) * height)
        return box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (static_cast<unsigned char>(pixels[static_cast<size_t>(y) * width + x]) < limit) {
                box.left = std::min(box.left, 2.0 * x);
                box.right = std::max(box.right, 2.0 * (x + 1));
                box.bottom = std::min(box.bottom, 2.0 * (height - 1 - y));
                box.top = std::max(box.top, 2.0 * (height - y));
            }
    return box;
}

// A picture on a page pstops has turned (whole sheets for every orientation,
// and a cell of a landscape 2-up sheet) stands upright and centred on the page
// as the person holds it, as the dialog's preview shows it: 120 x 60 pixels at
// 200 %, black in its left half and grey in its right.
TEST(CupsWatermark, PictureUprightAndCentredOnTurnedPages) {
    struct Case {
        const char* name;
        const char* orientation; // the ticket's
        const char* placement;   // 1 over, 2 under the page
        double pageWidth, pageHeight;
        const char* setup;       // the sheet's page setup as pstops writes it
        double a, b, c, d, e, f; // that setup's page-to-paper transform
    };
    const char* cell = "userdict/ESPsave save put\n595.0 0.0 translate 90 rotate\n"
                       "12.0 12.0 translate\n0.0 571.0 translate -90 rotate\n"
                       "0.0 411.8 translate 0.678 0.678 scale\n0.0 0.0 842.0 595.0 ESPrc\n";
    const Case cases[] = {
        {"portrait", "1", "1", 595, 842, "", 1, 0, 0, 1, 0, 0},
        {"landscape", "2", "1", 842, 595, "595.0 0.0 translate 90 rotate\n", 0, 1, -1, 0, 595, 0},
        {"reverse landscape", "4", "2", 842, 595, "0.0 842.0 translate -90 rotate\n", 0, -1, 1, 0,
         0, 842},
        {"reverse portrait", "3", "2", 595, 842, "595.0 842.0 translate 180 rotate\n", -1, 0, 0, -1,
         595, 842},
        {"landscape 2-up cell", "2", "1", 842, 595, cell, 0.678, 0, 0, 0.678, 12, 423.8},
    };
    filtertest::SpoolDir spool;
    std::vector<std::vector<wmtest::Rgb>> rows(60, std::vector<wmtest::Rgb>(120, {0, 0, 0}));
    for (auto& row : rows)
        std::fill(row.begin() + 60, row.end(), wmtest::Rgb{160, 160, 160});
    const std::string image = spool.path() + "/wmTurnedPage1";
    wmtest::WriteBmp(image, rows);
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    for (const Case& c : cases) {
        const bool cells = c.setup == cell;
        const std::string doc =
            std::string("%!PS-Adobe-3.0\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n") +
            (cells ? "userdict/ESPshowpage/showpage load put\nuserdict/showpage{}put\n"
                     "userdict/ESPrc{rectclip}bind put\nuserdict/setpagedevice{pop}bind put\n"
                   : "") +
            "%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n" + c.setup + "%%EndPageSetup\n" +
            "showpage\n" + (cells ? "userdict/ESPsave get restore\nESPshowpage\n" : "") + "%%EOF\n";
        Job job;
        job.document = doc;
        job.options = {{"WMARKNameTicket", "Logo"},
                       {"WMARKTypeTicket", "1"},
                       {"WMARKOptionsTicket", c.placement},
                       {"WMARKOnlyFirstTicket", "0"},
                       {"WMARKFilePathTicket", Escaped(image)},
                       {"WMARKOrientationTicket", c.orientation},
                       {"WMARKPaperWidthTicket", "595"},
                       {"WMARKPaperHeightTicket", "842"},
                       {"WMARKWidthTicket", "120"},
                       {"WMARKHeightTicket", "60"},
                       {"WMARKScaleTicket", "200"}};
        std::string ps = PSPart(RunFilter(job));
        ASSERT_FALSE(ps.empty());
        ps.pop_back(); // the Control-D
        // Both boxes on the page, mapped onto the paper.
        const auto expected = [&](double left, double right) {
            const double bottom = c.pageHeight / 2 - 60, top = c.pageHeight / 2 + 60;
            PaperBox box;
            for (double x : {left, right})
                for (double y : {bottom, top}) {
                    const double px = c.a * x + c.c * y + c.e, py = c.b * x + c.d * y + c.f;
                    box = {std::min(box.left, px), std::min(box.bottom, py),
                           std::max(box.right, px), std::max(box.top, py)};
                }
            return box;
        };
        const double middle = c.pageWidth / 2;
        const PaperBox wantAll = expected(middle - 120, middle + 120);
        const PaperBox wantBlack = expected(middle - 120, middle);
        const PaperBox all = RenderedBox(ps, spool.path(), 250);
        const PaperBox black = RenderedBox(ps, spool.path(), 100);
        for (const auto& [got, want] : {std::pair{all, wantAll}, std::pair{black, wantBlack}}) {
            EXPECT_NEAR(got.left, want.left, 3) << c.name;
            EXPECT_NEAR(got.right, want.right, 3) << c.name;
            EXPECT_NEAR(got.bottom, want.bottom, 3) << c.name;
            EXPECT_NEAR(got.top, want.top, 3) << c.name;
        }
    }
    unsetenv("KESTRANE_PAGE_HOOKS");
}

// Slots of an imposed PDF sheet in page order, as pdftopdf placed the pages
// of a 16-page PDF (measured through cupsfilter): each number-up family,
// every orientation's turn, and layouts read across and down.
TEST(ImposedSheet, PagesInTheSlotsPdftopdfGivesThem) {
    struct Case {
        int n;
        const char* layout;
        int orientation;
        int rotate;
        std::vector<std::pair<int, int>> first; // (column, row from bottom) of pages 1, 2, ...
    };
    const Case cases[] = {
        {2, "lrtb", 3, 90, {{0, 0}, {0, 1}}},
        {2, "lrtb", 4, 90, {{0, 1}, {0, 0}}},
        {2, "btrl", 5, 270, {{0, 1}, {0, 0}}},
        {2, "tbrl", 6, 270, {{0, 0}, {0, 1}}},
        {4, "lrtb", 3, 0, {{0, 1}, {1, 1}, {0, 0}, {1, 0}}},
        {4, "lrtb", 4, 180, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {4, "tbrl", 5, 0, {{1, 0}, {0, 0}, {1, 1}, {0, 1}}},
        {6, "tblr", 4, 90, {{0, 2}, {0, 1}, {0, 0}, {1, 2}}},
        {9, "tblr", 6, 180, {{2, 0}, {2, 1}, {2, 2}, {1, 0}}},
        {9, "rlbt", 3, 0, {{2, 0}, {1, 0}, {0, 0}, {2, 1}}},
        {4, "", 7, 0, {{0, 1}, {1, 1}}}, // unknown values: lrtb, portrait
    };
    for (const Case& c : cases) {
        ImposedSheet sheet;
        ASSERT_TRUE(ImposedSheetFor(c.n, c.layout, c.orientation, &sheet));
        EXPECT_EQ(sheet.rotate, c.rotate) << c.n << c.layout << c.orientation;
        ASSERT_EQ(sheet.order.size(), static_cast<size_t>(c.n));
        for (size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(std::make_pair(sheet.order[i].column, sheet.order[i].row), c.first[i])
                << c.n << c.layout << c.orientation << " page " << i + 1;
    }
    ImposedSheet sheet;
    EXPECT_TRUE(ImposedSheetFor(16, "lrtb", 3, &sheet) && sheet.columns == 4 &&
                sheet.order.size() == 16);
    EXPECT_FALSE(ImposedSheetFor(3, "lrtb", 3, &sheet));
}

} // namespace
