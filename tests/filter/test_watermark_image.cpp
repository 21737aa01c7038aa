// Image watermark: the image data sent at the document setup, its drawing at
// page begin or end, and which image files the filter agrees to read.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "WatermarkImage.h"
#include "FilterRun.h"
#include "watermark/BmpWriter.h"
#include "watermark/WatermarkTestSupport.h"

using namespace wmtest;
namespace fs = std::filesystem;

// libcupsfilters' cupsImageClose keeps one tile cache block once rows past the
// first were read; the filter opens an image once per job, so sanitizer runs
// leave that block to the library.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libcupsfilters.so\n";
}

namespace {

const std::vector<std::vector<Rgb>> k3x2 = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}},
                                            {{255, 255, 255}, {0, 0, 0}, {0x12, 0x34, 0x56}}};

const std::string kData3x2 =
    "2 array /picstr exch def\n"
    "/line 0 def /readdata { 0 1 2 1 sub { /strix exch def\n"
    "picstr strix currentfile 9 string readhexstring pop put } for } bind def\n"
    "readdata\n"
    "FF000000FF000000FFFFFFFF000000123456\n";

std::string Drawing(const std::string& translate, const std::string& scale) {
    return "/line 0 def /picdata { line 2 lt { picstr line get line 1 add /line exch def } "
           "{ () } ifelse } bind def\n"
           "gsave initgraphics\n"
           "/DeviceRGB setcolorspace /imageDict 20 dict def\n" +
           translate + " translate\n" + scale +
           " scale\n"
           "0 rotate\n"
           "imageDict begin\n"
           "/ImageType 1 def /Width 3 def /Height 2 def\n"
           "/ImageMatrix [1 0 0 1 0 0] def /MultipleDataSources false def\n"
           "/DataSource { picdata } cvx def\n"
           "/BitsPerComponent 8 def /Decode [0 1 0 1 0 1] def /Interpolate false def end\n"
           "imageDict image grestore\n";
}

const std::string kDraw1Up = Drawing("197.00 471.00", "1.00 -1.00");

class ImageWatermark : public ::testing::Test {
protected:
    void SetUp() override { WriteBmp(image, k3x2); }
    Ticket ImageTicket(const std::string& path, const char* placement = "2",
                       const char* onlyFirst = "0") const {
        return {{"WMARKNameTicket", "Logo"},
                {"WMARKTypeTicket", "1"},
                {"WMARKOptionsTicket", placement},
                {"WMARKOnlyFirstTicket", onlyFirst},
                {"WMARKFilePathTicket", Escaped(path)},
                {"WMARKOrientationTicket", "1"},
                {"WMARKPaperWidthTicket", "595"},
                {"WMARKPaperHeightTicket", "842"},
                {"WMARKWidthTicket", "200"},
                {"WMARKHeightTicket", "100"},
                {"WMARKScaleTicket", "100"},
                {"WMARKFontTicket", ""}};
    }
    filtertest::SpoolDir spoolDir;
    const std::string spool = spoolDir.path();
    const std::string image = spool + "/wmXXXXXX3x2";
};

TEST_F(ImageWatermark, RgbDataAtSetupTwoRowsOfNineBytes) {
    StartJob(ImageTicket(image));
    EXPECT_EQ(RunPoints({{16, 0}}), kData3x2);
    // A second setup sends the data again, starting at column 0.
    EXPECT_EQ(RunPoints({{16, 0}}), kData3x2);
}

TEST_F(ImageWatermark, HexLinesBreakAfterEightyDigits) {
    WriteBmp(image, {std::vector<Rgb>(30, Rgb{0xAB, 0xCD, 0xEF})});
    StartJob(ImageTicket(image));
    std::string pairs;
    for (int i = 0; i < 30; ++i)
        pairs += "ABCDEF";
    const std::string hex =
        pairs.substr(0, 80) + "\n" + pairs.substr(80, 80) + "\n" + pairs.substr(160) + "\n";
    const std::string out = RunPoints({{16, 0}});
    ASSERT_GE(out.size(), hex.size());
    EXPECT_EQ(out.substr(out.size() - hex.size()), hex);
    EXPECT_NE(out.find("currentfile 90 string"), std::string::npos);

    // Exactly 40 pixels' worth (120 digits) ends on a line end of its own.
    WriteBmp(image, {std::vector<Rgb>(40, Rgb{1, 2, 3})});
    StartJob(ImageTicket(image));
    const std::string even = RunPoints({{16, 0}});
    EXPECT_EQ(even.substr(even.size() - 3), "03\n");
    EXPECT_EQ(even.find("\n\n"), std::string::npos);
}

TEST_F(ImageWatermark, GreyImageComesBackAsRgb) {
    WriteBmp(image, {{{0x10, 0, 0}, {0xF0, 0, 0}}}, true);
    StartJob(ImageTicket(image));
    const std::string out = RunPoints({{16, 0}});
    EXPECT_NE(out.find("currentfile 6 string readhexstring"), std::string::npos) << out;
    EXPECT_NE(out.find("readdata\n101010F0F0F0\n"), std::string::npos) << out;
}

struct FlagCase {
    const char* name;
    const char* placement;
    const char* onlyFirst;
    int drawings;
};

class ImageFlags : public ImageWatermark, public ::testing::WithParamInterface<FlagCase> {};

// Three pages: "ep", "ep", "endp". Under the page draws after "bp"; over the
// page before "ep"/"endp", which share one flag.
TEST_P(ImageFlags, DrawsUnderOrOverAsOftenAsTheFlagSays) {
    StartJob(ImageTicket(image, GetParam().placement, GetParam().onlyFirst));
    const std::string out = RunPoints({{13, 0},
                                       {16, 0},
                                       {23, 0},
                                       {24, 0},
                                       {27, 1},
                                       {23, 1},
                                       {24, 1},
                                       {27, 2},
                                       {23, 2},
                                       {24, 2},
                                       {28, 3}});
    std::string expected = std::string(kProlog) + kData3x2;
    const bool every = std::string(GetParam().onlyFirst) == "0";
    const bool under = std::string(GetParam().placement) == "2";
    const bool over = std::string(GetParam().placement) == "1";
    for (int page = 0; page < 3; ++page) {
        const bool draw = every || page == 0;
        if (under && draw)
            expected += kDraw1Up;
        if (page == 0 || every)
            expected += "kvqbp\n";
        if (over && draw)
            expected += kDraw1Up;
    }
    EXPECT_EQ(out, expected);
    EXPECT_EQ(GetParam().drawings, [&] {
        int n = 0;
        for (size_t p = out.find("imageDict image"); p != std::string::npos;
             p = out.find("imageDict image", p + 1))
            ++n;
        return n;
    }());
}

INSTANTIATE_TEST_SUITE_P(Placements, ImageFlags,
                         ::testing::Values(FlagCase{"UnderEveryPage", "2", "0", 3},
                                           FlagCase{"UnderFirstPage", "2", "1", 1},
                                           FlagCase{"OverEveryPage", "1", "0", 3},
                                           FlagCase{"OverFirstPageOnlyOnce", "1", "1", 1},
                                           FlagCase{"NoPlacementNoDrawing", "3", "0", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// On a 4-up sheet the image under the first page goes into the first slot.
TEST_F(ImageWatermark, UnderPageUsesThePageBeingBegun) {
    StartJob(ImageTicket(image), {"4", "1", "2", "2"});
    EXPECT_EQ(RunPoints({{16, 0}, {23, 0}}), kData3x2 + Drawing("98.00 656.00", "0.50 -0.50"));
    EXPECT_EQ(RunPoints({{23, 3}}), Drawing("395.00 235.00", "0.50 -0.50"));
    // Over the page the counter already counts the page being ended.
    StartJob(ImageTicket(image, "1"), {"4", "1", "2", "2"});
    EXPECT_EQ(RunPoints({{16, 0}, {27, 1}}), kData3x2 + Drawing("98.00 656.00", "0.50 -0.50"));
}

TEST_F(ImageWatermark, MissingLayoutDividesByNothing) {
    StartJob(ImageTicket(image), {"2", "", "0", "0"});
    EXPECT_EQ(RunPoints({{16, 0}, {23, 0}}), kData3x2 + Drawing("-70.00 35.00", "1.00 -1.00"));
}

TEST_F(ImageWatermark, NegativeOrNonFiniteScaleStaysValidPostScript) {
    Ticket t = ImageTicket(image);
    t.erase("WMARKScaleTicket");
    StartJob(t);
    EXPECT_EQ(RunPoints({{16, 0}, {23, 0}}), kData3x2 + Drawing("298.00 420.00", "-0.01 0.01"));
    t["WMARKScaleTicket"] = "inf";
    StartJob(t);
    const std::string out = RunPoints({{16, 0}, {23, 0}});
    EXPECT_NE(out.find("0.00 -0.00 scale\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("inf"), std::string::npos);
}

// Every setup end sends the pixels again, from the image opened the first time.
TEST_F(ImageWatermark, EverySetupEndSendsThePixelsAgain) {
    StartJob(ImageTicket(image, "2", "1"));
    const std::string once = RunPoints({{16, 0}});
    ASSERT_EQ(once, kData3x2);
    std::string many;
    for (int i = 0; i < 50; ++i)
        many += once;
    EXPECT_EQ(RunPoints(std::vector<std::pair<int, int>>(50, {16, 0})), many);
}

// An image that cannot be read still uses up a first-page-only drawing.
TEST_F(ImageWatermark, UnreadableImageStillUsesTheFlag) {
    fs::remove(image);
    StartJob(ImageTicket(image, "2", "1"));
    EXPECT_EQ(RunPoints({{16, 0}, {23, 0}}), "");
    WriteBmp(image, k3x2);
    EXPECT_EQ(RunPoints({{16, 0}, {23, 1}}), kData3x2);
}

enum class Trap {
    Outside,
    Symlink,
    HardLink,
    Fifo,
    Directory,
    Dot,
    DotDot,
    EmptyName,
    Nested,
    ParentHop,
    NotAnImage,
    Missing,
    PrefixTwin,
    Unescaped,
    WritableByGroup
};

struct PathCase {
    const char* name;
    Trap trap;
};

class ImagePathRule : public ImageWatermark, public ::testing::WithParamInterface<PathCase> {
protected:
    std::string MakeTrap(Trap trap) {
        switch (trap) {
        case Trap::Outside: {
            outside = spool + "-outside";
            fs::create_directory(outside);
            WriteBmp(outside + "/img", k3x2);
            return outside + "/img";
        }
        case Trap::Symlink:
            fs::create_symlink(image, spool + "/link");
            return spool + "/link";
        case Trap::HardLink:
            fs::create_hard_link(image, spool + "/hardlink");
            return spool + "/hardlink";
        case Trap::Fifo:
            mkfifo((spool + "/fifo").c_str(), 0644);
            return spool + "/fifo";
        case Trap::Directory:
            fs::create_directory(spool + "/dir");
            return spool + "/dir";
        case Trap::Dot:
            return spool + "/.";
        case Trap::DotDot:
            return spool + "/..";
        case Trap::EmptyName:
            return spool + "/";
        case Trap::Nested:
            fs::create_directory(spool + "/dir");
            WriteBmp(spool + "/dir/img", k3x2);
            return spool + "/dir/img";
        case Trap::ParentHop:
            return spool + "/../" + fs::path(spool).filename().string() + "/wmXXXXXX3x2";
        case Trap::NotAnImage:
            std::ofstream(spool + "/text") << "%!PS\nnot an image\n";
            return spool + "/text";
        case Trap::Missing:
            return spool + "/gone";
        case Trap::PrefixTwin:
            outside = spool + "x";
            fs::create_directory(outside);
            WriteBmp(outside + "/img", k3x2);
            return outside + "/img";
        case Trap::Unescaped:
            return "wmXXXXXX3x2";
        case Trap::WritableByGroup:
            chmod(image.c_str(), 0664);
            return image;
        }
        return {};
    }
    void TearDown() override {
        if (!outside.empty())
            fs::remove_all(outside);
        ImageWatermark::TearDown();
    }
    std::string outside;
};

TEST_P(ImagePathRule, RefusedPathCountsAsUnopenableImage) {
    const std::string path = MakeTrap(GetParam().trap);
    StartJob(ImageTicket(path, "1"));
    EXPECT_EQ(RunPoints({{16, 0}, {23, 0}, {27, 1}, {28, 2}}), "");
}

INSTANTIATE_TEST_SUITE_P(
    Traps, ImagePathRule,
    ::testing::Values(PathCase{"OutsideSpool", Trap::Outside}, PathCase{"Symlink", Trap::Symlink},
                      PathCase{"HardLink", Trap::HardLink}, PathCase{"Fifo", Trap::Fifo},
                      PathCase{"Directory", Trap::Directory}, PathCase{"Dot", Trap::Dot},
                      PathCase{"DotDot", Trap::DotDot}, PathCase{"EmptyName", Trap::EmptyName},
                      PathCase{"Nested", Trap::Nested}, PathCase{"ParentHop", Trap::ParentHop},
                      PathCase{"NotAnImage", Trap::NotAnImage}, PathCase{"Missing", Trap::Missing},
                      PathCase{"PrefixTwin", Trap::PrefixTwin},
                      PathCase{"RelativeName", Trap::Unescaped},
                      PathCase{"WritableByGroup", Trap::WritableByGroup}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
