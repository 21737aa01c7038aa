// Whole-filter jobs with a text or an image watermark: the PostScript part of
// the printer stream renders with Ghostscript, and the watermark's colour
// shows where the geometry puts it.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ClientAddress.h"
#include "FilterEntry.h"
#include "FilterRun.h"
#include "watermark/BmpWriter.h"
#include "watermark/WatermarkTestSupport.h"

using namespace wmtest;
namespace fs = std::filesystem;

namespace {

// Two pages, each begun by "bp" and ended by "ep"; the procedures are the
// document's own, as a PostScript generator would write them.
const char* kDocument = "%!PS-Adobe-3.0\n"
                        "%%Pages: 2\n"
                        "%%BeginProlog\n"
                        "/pgsave 0 def\n"
                        "/bp { /pgsave save store } bind def\n"
                        "/ep { pgsave restore showpage } bind def\n"
                        "%%EndProlog\n"
                        "%%BeginSetup\n"
                        "%%EndSetup\n"
                        "%%Page: 1 1\n"
                        "bp\n"
                        "%%BeginPageSetup\n"
                        "%%EndPageSetup\n"
                        "0 0 0 setrgbcolor 20 20 moveto 40 0 rlineto stroke\n"
                        "ep\n"
                        "%%Page: 2 2\n"
                        "bp\n"
                        "%%BeginPageSetup\n"
                        "%%EndPageSetup\n"
                        "0 0 0 setrgbcolor 20 20 moveto 40 0 rlineto stroke\n"
                        "ep\n"
                        "%%EOF\n";

std::vector<std::string> NoAddresses() {
    return {};
}

struct Page {
    int width = 0;
    int height = 0;
    std::string pixels;
    // Colour at a point given in PostScript points from the bottom left (72 dpi).
    Rgb At(int x, int y) const {
        const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 3;
        return {static_cast<uint8_t>(pixels[i]), static_cast<uint8_t>(pixels[i + 1]),
                static_cast<uint8_t>(pixels[i + 2])};
    }
    template <typename Pred> int Count(int x0, int y0, int x1, int y1, Pred pred) const {
        int n = 0;
        for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
            for (int x = std::max(0, x0); x < std::min(width, x1); ++x)
                n += pred(At(x, y)) ? 1 : 0;
        return n;
    }
};

bool IsRed(Rgb c) {
    return c.r > 200 && c.g < 60 && c.b < 60;
}

class WatermarkRender : public ::testing::Test {
protected:
    // Runs the filter over the document and returns its printer stream;
    // `cupsOptions` are the job's own CUPS options ("number-up=2").
    std::string RunJob(const Ticket& ticket, const std::string& document = kDocument,
                       const std::string& cupsOptions = "") {
        const std::string doc = dir + "/job.ps";
        std::ofstream(doc, std::ios::binary) << document;
        std::string options = OptionString(ticket) + " " + cupsOptions;
        std::vector<std::string> args = {"jobfilter", "7", "kim", "Render", "1", options, doc};
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        gHostAddressLister = NoAddresses;
        const std::string out = Capture([&] { JobFilterMain(7, argv.data()); });
        gHostAddressLister = GetHostAddressList;
        return out;
    }

    // Renders the PostScript between the enter-language line and the
    // Control-D; fails the test on any Ghostscript error.
    std::vector<Page> Render(const std::string& stream) {
        std::vector<Page> pages;
        RenderInto(stream, pages);
        return pages;
    }
    void RenderInto(const std::string& stream, std::vector<Page>& pages) {
        const std::string enter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
        const size_t start = stream.find(enter);
        EXPECT_NE(start, std::string::npos);
        EXPECT_EQ(stream.back(), '\x04');
        if (start == std::string::npos || stream.back() != '\x04')
            return;
        const std::string ps =
            stream.substr(start + enter.size(), stream.size() - 1 - start - enter.size());
        std::ofstream(dir + "/part.ps", std::ios::binary) << ps;
        const std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sPAPERSIZE=a4 -r72 "
                                    "-sDEVICE=ppmraw -sOutputFile=" +
                                    dir + "/page%d.ppm " + dir + "/part.ps > " + dir +
                                    "/gs.log 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream logFile(dir + "/gs.log");
        std::stringstream log;
        log << logFile.rdbuf();
        EXPECT_EQ(status, 0) << log.str();
        EXPECT_EQ(log.str().find("Error"), std::string::npos) << log.str();
        for (int i = 1; fs::exists(dir + "/page" + std::to_string(i) + ".ppm"); ++i) {
            std::ifstream in(dir + "/page" + std::to_string(i) + ".ppm", std::ios::binary);
            // Header fields, possibly with "#" comment lines between them.
            std::vector<std::string> fields;
            while (fields.size() < 4 && in) {
                std::string token;
                in >> token;
                if (!token.empty() && token[0] == '#')
                    std::getline(in, token);
                else if (!token.empty())
                    fields.push_back(token);
            }
            in.get();
            ASSERT_EQ(fields.size(), 4u);
            const std::string magic = fields[0];
            Page page;
            page.width = std::stoi(fields[1]);
            page.height = std::stoi(fields[2]);
            page.pixels.assign(std::istreambuf_iterator<char>(in), {});
            EXPECT_EQ(magic, "P6");
            EXPECT_EQ(page.pixels.size(), static_cast<size_t>(page.width) * page.height * 3);
            pages.push_back(page);
        }
    }

    filtertest::SpoolDir spool;
    const std::string dir = spool.path();
};

Ticket RedText(const char* onlyFirst) {
    Ticket t = TextTicket();
    t["WMARKTextTicket"] = "HHHH";
    t["WMARKFontSizeTicket"] = "72";
    t["WMARKDensityTicket"] = "100";
    t["WMARKOnlyFirstTicket"] = onlyFirst;
    return t;
}

// Start point (197.5, 396): four 72-point H's reach about 205 points to the
// right and 52 points up from there.
TEST_F(WatermarkRender, TextShowsAtItsStartPointOnEveryPage) {
    const std::vector<Page> pages = Render(RunJob(RedText("0")));
    ASSERT_EQ(pages.size(), 2u);
    for (const Page& page : pages) {
        ASSERT_EQ(page.width, 595);
        EXPECT_GT(page.Count(195, 394, 410, 452, IsRed), 1500);
        EXPECT_EQ(page.Count(0, 0, 595, 842, IsRed), page.Count(195, 394, 410, 452, IsRed));
        // Left stem of the first H, just right of the start point.
        EXPECT_TRUE(IsRed(page.At(207, 400)));
        EXPECT_FALSE(IsRed(page.At(199, 400)));
        // The page's own content is still there.
        EXPECT_LT(page.At(40, 20).r, 100);
    }
}

TEST_F(WatermarkRender, TextOnFirstPageOnly) {
    const std::vector<Page> pages = Render(RunJob(RedText("1")));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_GT(pages[0].Count(195, 394, 410, 452, IsRed), 1500);
    EXPECT_EQ(pages[1].Count(0, 0, 595, 842, IsRed), 0);
}

// Through CUPS, pstops has already turned the page onto the paper (a whole
// sheet, or a cell of an n-up sheet) or the page lies on an unturned sheet as
// the orientation says; either way a picture stands upright in the middle of
// the page as the person holds it: 120 x 60 pixels at 200 %, black
// in its left half and grey in its right. Boxes are on the paper, in points.
// A text watermark runs along the page the same way, its middle on the
// picture's.
TEST_F(WatermarkRender, PictureAndTextUprightInTheMiddleOfTurnedPages) {
    struct Box {
        int x0, y0, x1, y1;
    };
    struct Case {
        const char* name;
        const char* orientation; // the ticket's
        const char* placement;
        const char* setup; // the page setup pstops writes
        Box black, grey;
    };
    const std::string cell = "userdict/ESPsave save put\n595.0 0.0 translate 90 rotate\n"
                             "12.0 12.0 translate\n0.0 571.0 translate -90 rotate\n"
                             "0.0 411.8 translate 0.678 0.678 scale\n0.0 0.0 842.0 595.0 ESPrc\n";
    const char* left = "595.0 0.0 translate 90 rotate\n";
    const char* right = "0.0 842.0 translate -90 rotate\n";
    const char* upsideDown = "595.0 842.0 translate 180 rotate\n";
    const Case cases[] = {
        {"portrait", "1", "1", "", {178, 361, 297, 481}, {298, 361, 417, 481}},
        {"landscape", "2", "1", left, {238, 301, 357, 421}, {238, 421, 357, 541}},
        // A PDF job: pdftopdf turned the page, pstops did not.
        {"landscape, sheet not turned", "2", "2", "", {238, 301, 357, 421}, {238, 421, 357, 541}},
        {"reverse landscape", "4", "2", right, {238, 421, 357, 541}, {238, 301, 357, 421}},
        {"reverse portrait", "3", "2", upsideDown, {298, 361, 417, 481}, {178, 361, 297, 481}},
        {"landscape 2-up cell", "2", "1", cell.c_str(), {216, 585, 297, 666}, {298, 585, 378, 666}},
    };
    std::vector<std::vector<Rgb>> rows(60, std::vector<Rgb>(120, Rgb{0, 0, 0}));
    for (auto& row : rows)
        std::fill(row.begin() + 60, row.end(), Rgb{160, 160, 160});
    const std::string image = dir + "/wmTurnedPage";
    WriteBmp(image, rows);
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    for (const Case& c : cases) {
        const bool cells = c.setup == cell;
        // pstops' n-up showpage waits for the last cell.
        const std::string setup =
            cells ? "userdict/ESPshowpage/showpage load put\nuserdict/showpage{}put\n"
                    "userdict/ESPrc{rectclip}bind put\nuserdict/setpagedevice{pop}bind put\n"
                  : "";
        const std::string document =
            "%!PS-Adobe-3.0\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n" + setup +
            "%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n" + c.setup + "%%EndPageSetup\nshowpage\n" +
            (cells ? "userdict/ESPsave get restore\nESPshowpage\n" : "") + "%%EOF\n";
        const Ticket t = {{"WMARKNameTicket", "Logo"},
                          {"WMARKTypeTicket", "1"},
                          {"WMARKOptionsTicket", c.placement},
                          {"WMARKFilePathTicket", Escaped(image)},
                          {"WMARKOrientationTicket", c.orientation},
                          {"WMARKPaperWidthTicket", "595"},
                          {"WMARKPaperHeightTicket", "842"},
                          {"WMARKWidthTicket", "120"},
                          {"WMARKHeightTicket", "60"},
                          {"WMARKScaleTicket", "200"}};
        const std::vector<Page> pages = Render(RunJob(t, document));
        ASSERT_EQ(pages.size(), 1u) << c.name;
        const Page& page = pages[0];
        const auto inside = [&](const Box& b, auto pred) {
            return page.Count(b.x0 + 2, b.y0 + 2, b.x1 - 2, b.y1 - 2, pred);
        };
        const auto area = [](const Box& b) { return (b.x1 - b.x0 - 4) * (b.y1 - b.y0 - 4); };
        const auto black = [](Rgb p) { return p.r < 40; };
        const auto grey = [](Rgb p) { return p.r > 130 && p.r < 190; };
        const auto ink = [](Rgb p) { return p.r < 250; };
        EXPECT_EQ(inside(c.black, black), area(c.black)) << c.name;
        EXPECT_EQ(inside(c.grey, grey), area(c.grey)) << c.name;
        const Box all{std::min(c.black.x0, c.grey.x0) - 4, std::min(c.black.y0, c.grey.y0) - 4,
                      std::max(c.black.x1, c.grey.x1) + 4, std::max(c.black.y1, c.grey.y1) + 4};
        EXPECT_EQ(page.Count(0, 0, 595, 842, ink), inside(all, ink)) << c.name << ": ink outside";

        Ticket text = RedText("0");
        text["WMARKOrientationTicket"] = c.orientation;
        text["WMARKOptionsTicket"] = c.placement;
        const std::vector<Page> textPages = Render(RunJob(text, document));
        ASSERT_EQ(textPages.size(), 1u) << c.name;
        Box red{595, 842, 0, 0};
        for (int y = 0; y < 842; ++y)
            for (int x = 0; x < 595; ++x)
                if (IsRed(textPages[0].At(x, y)))
                    red = {std::min(red.x0, x), std::min(red.y0, y), std::max(red.x1, x),
                           std::max(red.y1, y)};
        EXPECT_NEAR(red.x0 + red.x1, all.x0 + all.x1, 16) << c.name << ": text off centre";
        EXPECT_NEAR(red.y0 + red.y1, all.y0 + all.y1, 16) << c.name << ": text off centre";
        EXPECT_EQ(red.x1 - red.x0 > red.y1 - red.y0, all.x1 - all.x0 > all.y1 - all.y0)
            << c.name << ": text turned";
    }
    unsetenv("KESTRANE_PAGE_HOOKS");
}

// A PDF job at 2 up reaches the filter as one page per sheet that pdftopdf
// has imposed, run through ps2write's dictionary of PDF operators. A slot
// whose page shows as a clip nested least deeply that fits the slot gets the
// watermark; with no such sign (no dictionary, no clip, only a clip over the
// whole sheet, a dictionary that cannot take the wrappers) every slot does,
// so that no page goes without. A picture under the page follows the same
// rule, drawn before the page where the slot is known.
TEST_F(WatermarkRender, ImposedSheetMarksTheSlotsThatHoldPages) {
    const std::string dictionary =
        "/PDFReader 1 dict def PDFReader/Operators 4 dict dup begin/q{gsave}bind def"
        "/Q{grestore}bind def/W/clip load def/W*/eoclip load def end put\n";
    const std::string sheetClip = "newpath 0 0 moveto 595 0 lineto 595 842 lineto 0 842 lineto "
                                  "closepath W newpath\n";
    const std::string bottomClip = "newpath 0 0 moveto 595 0 lineto 595 421 lineto 0 421 lineto "
                                   "closepath W newpath\n";
    const std::string page = "0 setgray 250 150 100 100 rectfill\n";
    struct Case {
        const char* name;
        std::string prolog, content;
        bool topMarked;
    };
    const Case cases[] = {
        {"clip of the bottom slot", dictionary, "q " + bottomClip + page + "Q\n", false},
        {"slot clip inside a sheet clip", dictionary,
         "q " + sheetClip + "q " + bottomClip + "q " + sheetClip + page + "Q Q Q\n", false},
        {"no clip", dictionary, "q " + page + "Q\n", true},
        {"only a sheet clip", dictionary, "q " + sheetClip + page + "Q\n", true},
        {"no operator dictionary", "", page, true},
        {"operator dictionary in global VM", "true setglobal " + dictionary + "false setglobal\n",
         "q " + bottomClip + page + "Q\n", false},
        {"read-only operator dictionary",
         dictionary + "PDFReader/Operators get readonly PDFReader exch/Operators exch put\n",
         "q " + bottomClip + page + "Q\n", true},
    };
    std::vector<std::vector<Rgb>> rows(20, std::vector<Rgb>(20, Rgb{0, 200, 0}));
    const std::string image = dir + "/wmSlotPicture";
    WriteBmp(image, rows);
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    for (const Case& c : cases) {
        const std::string document =
            "%!PS-Adobe-3.0\n%%BeginProlog\n" + c.prolog +
            "%%EndProlog\n%%BeginSetup\n%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n"
            "%%EndPageSetup\n" +
            (c.prolog.empty() ? c.content
                              : "PDFReader/Operators get begin\n" + c.content + "end\n") +
            "showpage\n%%EOF\n";
        const std::vector<Page> pages = Render(RunJob(RedText("0"), document, "number-up=2"));
        ASSERT_EQ(pages.size(), 1u) << c.name;
        EXPECT_GT(pages[0].Count(0, 0, 595, 421, IsRed), 500) << c.name;
        EXPECT_EQ(pages[0].Count(0, 421, 595, 842, IsRed) > 500, c.topMarked) << c.name;

        const Ticket picture = {{"WMARKNameTicket", "Logo"},
                                {"WMARKTypeTicket", "1"},
                                {"WMARKOptionsTicket", "2"},
                                {"WMARKOnlyFirstTicket", "0"},
                                {"WMARKFilePathTicket", Escaped(image)},
                                {"WMARKOrientationTicket", "1"},
                                {"WMARKPaperWidthTicket", "595"},
                                {"WMARKPaperHeightTicket", "842"},
                                {"WMARKWidthTicket", "20"},
                                {"WMARKHeightTicket", "20"},
                                {"WMARKScaleTicket", "1000"}};
        const auto green = [](Rgb p) { return p.g > 150 && p.r < 100; };
        const std::vector<Page> under = Render(RunJob(picture, document, "number-up=2"));
        ASSERT_EQ(under.size(), 1u) << c.name;
        EXPECT_GT(under[0].Count(0, 0, 595, 421, green), 500) << c.name;
        EXPECT_EQ(under[0].Count(0, 421, 595, 842, green) > 500, c.topMarked) << c.name;
        // Where the slot was known the picture lies under the page's square.
        if (!c.topMarked) {
            EXPECT_LT(under[0].At(300, 200).r + under[0].At(300, 200).g, 80) << c.name;
        }
    }
    unsetenv("KESTRANE_PAGE_HOOKS");
}

struct ImageCase {
    const char* name;
    const char* placement;
    bool grey;
};

class WatermarkRenderImage : public WatermarkRender,
                             public ::testing::WithParamInterface<ImageCase> {};

// A 4 x 2 image, box 4 x 2 points at 1000 %: 40 x 20 points centred on the
// page, from (277, 411) to (317, 431), drawn upright.
TEST_P(WatermarkRenderImage, ImageShowsCentredAndUpright) {
    const std::string image = dir + "/wmQ8f3Lk2Zp0Aa";
    const Rgb g{0, 200, 0}, b{0, 0, 200}, r{200, 0, 0}, w{255, 255, 255};
    if (GetParam().grey)
        WriteBmp(image,
                 {{{40, 0, 0}, {40, 0, 0}, {160, 0, 0}, {160, 0, 0}},
                  {{100, 0, 0}, {100, 0, 0}, {255, 0, 0}, {255, 0, 0}}},
                 true);
    else
        WriteBmp(image, {{g, g, b, b}, {r, r, w, w}});
    const Ticket t = {{"WMARKNameTicket", "Logo"},
                      {"WMARKTypeTicket", "1"},
                      {"WMARKOptionsTicket", GetParam().placement},
                      {"WMARKOnlyFirstTicket", "0"},
                      {"WMARKFilePathTicket", Escaped(image)},
                      {"WMARKOrientationTicket", "1"},
                      {"WMARKPaperWidthTicket", "595"},
                      {"WMARKPaperHeightTicket", "842"},
                      {"WMARKWidthTicket", "4"},
                      {"WMARKHeightTicket", "2"},
                      {"WMARKScaleTicket", "1000"}};
    const std::vector<Page> pages = Render(RunJob(t));
    ASSERT_EQ(pages.size(), 2u);
    auto near = [](Rgb c, int rr, int gg, int bb) {
        return std::abs(c.r - rr) < 12 && std::abs(c.g - gg) < 12 && std::abs(c.b - bb) < 12;
    };
    for (const Page& page : pages) {
        if (GetParam().grey) {
            EXPECT_TRUE(near(page.At(285, 426), 40, 40, 40));
            EXPECT_TRUE(near(page.At(309, 426), 160, 160, 160));
            EXPECT_TRUE(near(page.At(285, 415), 100, 100, 100));
        } else {
            EXPECT_TRUE(near(page.At(285, 426), 0, 200, 0));
            EXPECT_TRUE(near(page.At(309, 426), 0, 0, 200));
            EXPECT_TRUE(near(page.At(285, 415), 200, 0, 0));
            EXPECT_TRUE(near(page.At(309, 415), 255, 255, 255));
        }
        // Nothing outside the image's square is painted but the page's line.
        EXPECT_TRUE(near(page.At(272, 421), 255, 255, 255));
        EXPECT_TRUE(near(page.At(322, 421), 255, 255, 255));
        EXPECT_TRUE(near(page.At(297, 436), 255, 255, 255));
        EXPECT_TRUE(near(page.At(297, 406), 255, 255, 255));
    }
}

INSTANTIATE_TEST_SUITE_P(Placements, WatermarkRenderImage,
                         ::testing::Values(ImageCase{"UnderThePage", "2", false},
                                           ImageCase{"OverThePage", "1", false},
                                           ImageCase{"GreyImage", "2", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
