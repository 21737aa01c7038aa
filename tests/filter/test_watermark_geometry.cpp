// Watermark geometry: the logical page's offset on an n-up sheet, the image's
// position, translation and rotation, and the guards against missing layout.
#include <cmath>

#include <gtest/gtest.h>

#include "WatermarkGeometry.h"

namespace {

WatermarkLayout Layout(const char* n, const char* dir, const char* rows, const char* cols) {
    return MakeWatermarkLayout(n, dir, rows, cols);
}

TEST(WatermarkLayoutValues, MissingAndNegativeCountAsZeroNumberUpAsOne) {
    WatermarkLayout l = Layout("", "", "", "");
    EXPECT_EQ(l.N, 0);
    EXPECT_EQ(l.n, 1);
    l = Layout("-2", "1", "-2", "3");
    EXPECT_EQ(l.N, 0);
    EXPECT_EQ(l.R, 0);
    EXPECT_EQ(l.n, 1);
    l = Layout("999999999", "1", "999999999", "999999999");
    EXPECT_EQ(l.N, 999999998000000001LL);
}

struct OffsetCase {
    const char* name;
    const char* rows;
    const char* cols;
    const char* direction;
    int orientation;
    long long page;
    long long a;
    long long b;
};

class LogicalPageOffsetTable : public ::testing::TestWithParam<OffsetCase> {};

// Sheet lengths A = 842 (height), B = 595 (width).
TEST_P(LogicalPageOffsetTable, SlotRowColumnAndOffset) {
    const OffsetCase& c = GetParam();
    const LogicalPageOffset o = GetLogicalPageOffset(
        c.page, Layout("1", c.direction, c.rows, c.cols), c.orientation, 842, 595);
    EXPECT_EQ(o.a, c.a);
    EXPECT_EQ(o.b, c.b);
}

INSTANTIATE_TEST_SUITE_P(
    Table, LogicalPageOffsetTable,
    ::testing::Values(
        // 4-up, left to right then down: page 1 top left ... page 4 bottom right.
        OffsetCase{"Up4Page1", "2", "2", "1", 1, 1, 0, 421},
        OffsetCase{"Up4Page2", "2", "2", "1", 1, 2, 297, 421},
        OffsetCase{"Up4Page3", "2", "2", "1", 1, 3, 0, 0},
        OffsetCase{"Up4Page4LastSlot", "2", "2", "1", 1, 4, 297, 0},
        OffsetCase{"Up4Page5NextSheet", "2", "2", "1", 1, 5, 0, 421},
        OffsetCase{"Up4Page0LastSlot", "2", "2", "1", 1, 0, 297, 0},
        OffsetCase{"Up4RightToLeft", "2", "2", "3", 1, 1, 297, 421},
        OffsetCase{"Up4TopToBottom", "2", "2", "5", 1, 2, 0, 0},
        OffsetCase{"Up4TopToBottomRightToLeft", "2", "2", "6", 1, 2, 297, 0},
        OffsetCase{"Up4Landscape2", "2", "2", "1", 2, 2, 0, 421},
        OffsetCase{"Up4Landscape4", "2", "2", "1", 4, 1, 594, 842},
        OffsetCase{"Up9Orientation3", "3", "3", "1", 3, 5, 198, 280},
        OffsetCase{"Up2Page2", "1", "2", "1", 1, 2, 595, 421},
        OffsetCase{"Up2Landscape2", "1", "2", "1", 2, 1, 0, 842},
        OffsetCase{"Up2Landscape4", "1", "2", "1", 4, 2, 297, 0},
        OffsetCase{"Up6Page6", "2", "3", "1", 1, 6, 594, 560},
        OffsetCase{"Up3NoOffset", "1", "3", "1", 1, 2, 0, 0},
        OffsetCase{"NoLayoutLandscape4", "", "", "", 4, 1, 595, 842},
        // A missing row or column count must not divide by zero.
        OffsetCase{"ZeroRows", "0", "2", "3", 4, 7, 595, 842},
        OffsetCase{"ZeroColumns", "2", "0", "6", 1, 7, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlacementCase {
    const char* name;
    const char* numberUp;
    const char* rows;
    const char* cols;
    int orientation;
    bool over;
    long long page;
    double tx;
    double ty;
    int rotate;
    double scale;
};

class ImagePlacementTable : public ::testing::TestWithParam<PlacementCase> {};

// A4 595 x 842, image 100 x 50 pixels, box 200 x 100, scale 100 %.
TEST_P(ImagePlacementTable, TranslationRotationAndScale) {
    const PlacementCase& c = GetParam();
    WatermarkOptionRecord o{};
    o.orientation = c.orientation;
    o.paperWidth = 595;
    o.paperHeight = 842;
    o.width = 200;
    o.height = 100;
    o.scale = 100;
    double k = -1;
    const WatermarkTranslate t =
        GetImagePlacement(o, Layout(c.numberUp, "1", c.rows, c.cols), c.page, c.over, 100, 50, &k);
    EXPECT_DOUBLE_EQ(t.tx, c.tx);
    EXPECT_DOUBLE_EQ(t.ty, c.ty);
    EXPECT_EQ(t.rotate, c.rotate);
    EXPECT_NEAR(k, c.scale, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImagePlacementTable,
    ::testing::Values(
        PlacementCase{"OneUpPortrait", "", "", "", 1, false, 1, 197, 471, 0, 1.0},
        PlacementCase{"OneUpOrientation3", "", "", "", 3, false, 1, 197, 471, 0, 1.0},
        PlacementCase{"OneUpLandscape2", "", "", "", 2, false, 1, 222, 396, 270, 1.0},
        PlacementCase{"OneUpLandscape4", "", "", "", 4, false, 1, 373, 446, 90, 1.0},
        PlacementCase{"LayoutOneByOne", "1", "1", "1", 1, false, 1, 197, 471, 0, 1.0},
        PlacementCase{"Up4FirstPageUnder", "4", "2", "2", 1, false, 1, 98, 656, 0, 0.5},
        PlacementCase{"Up4LastPageOver", "4", "2", "2", 1, true, 4, 395, 235, 0, 0.5},
        PlacementCase{"Up4Orientation3", "4", "2", "2", 3, false, 2, 395, 656, 0, 0.5},
        PlacementCase{"Up2PortraitOver", "2", "1", "2", 1, true, 1, 263, 139, 270,
                      1 / std::sqrt(2.0)},
        PlacementCase{"Up2PortraitUnder", "2", "1", "2", 1, false, 2, 263, 560, 270,
                      1 / std::sqrt(2.0)},
        PlacementCase{"Up2Landscape2", "2", "1", "2", 2, false, 1, 131, 475, 0, 1 / std::sqrt(2.0)},
        PlacementCase{"Up25NoOffset", "25", "5", "5", 1, false, 3, 39, 94, 0, 0.2},
        // number-up 2 without layout keys: the quotients by rows and columns count as 0.
        PlacementCase{"Up2WithoutLayout", "2", "", "", 1, false, 1, -70, 35, 0, 1.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImagePlacementGuards, ZeroPaperHeightAndHugeValuesStayFinite) {
    WatermarkOptionRecord o{};
    o.orientation = 1;
    o.paperWidth = 595;
    o.paperHeight = 0;
    o.width = 3e38f;
    o.height = -3e38f;
    o.scale = 3e38f;
    for (const char* up : {"2", "6"}) {
        double k = 0;
        const WatermarkTranslate t =
            GetImagePlacement(o, Layout(up, "1", "1", up), 3, true, 0x7FFFFFF, 0x7FFFFFF, &k);
        EXPECT_TRUE(std::isfinite(t.tx));
        EXPECT_TRUE(std::isfinite(t.ty));
    }
    EXPECT_EQ(WatermarkTruncate(NAN), 0);
    EXPECT_EQ(WatermarkTruncate(-2.9), -2);
    EXPECT_EQ(WatermarkTruncate(2.9), 2);
    EXPECT_GT(WatermarkTruncate(1e300), 0);
}

} // namespace
