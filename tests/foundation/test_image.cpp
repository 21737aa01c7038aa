// BMP row order and image conversion into the six formats, on real files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <QColor>
#include <QImage>

#include <unistd.h>

#include "ImageConvert.h"
#include "LittleEndian.h"

using namespace MNTest;

namespace {

// A BMP in memory: 14-byte file header, 40-byte information header, an
// optional colour table, then rows padded to 4 bytes.
std::vector<uint8_t> MakeBMP(int32_t width, int32_t height, uint16_t bits,
                             const std::vector<std::vector<uint8_t>>& rows, uint32_t res = 3780,
                             uint32_t colourTable = 0, uint32_t compression = 0) {
    const uint32_t offset = 54 + colourTable;
    std::vector<uint8_t> bmp(offset, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    WriteDword(&bmp[10], offset);
    WriteDword(&bmp[14], 40);
    WriteDword(&bmp[18], static_cast<uint32_t>(width));
    WriteDword(&bmp[22], static_cast<uint32_t>(height));
    WriteWord(&bmp[26], 1);
    WriteWord(&bmp[28], bits);
    WriteDword(&bmp[30], compression);
    WriteDword(&bmp[38], res);
    WriteDword(&bmp[42], res);
    for (uint32_t i = 54; i < offset; ++i)
        bmp[i] = static_cast<uint8_t>(i);
    for (const auto& row : rows)
        bmp.insert(bmp.end(), row.begin(), row.end());
    WriteDword(&bmp[2], static_cast<uint32_t>(bmp.size()));
    return bmp;
}

std::vector<uint8_t> Pixels(const std::vector<uint8_t>& bmp) {
    return std::vector<uint8_t>(bmp.begin() + ReadDword(&bmp[10]), bmp.end());
}

int32_t Height(const std::vector<uint8_t>& bmp) {
    return static_cast<int32_t>(ReadDword(&bmp[22]));
}

} // namespace

TEST(VerticalReverse, TopDown24BitBecomesBottomUp) {
    // Two pixels per row: 6 bytes padded to 8.
    const std::vector<uint8_t> top = {1, 2, 3, 4, 5, 6, 0, 0}, bottom = {7, 8, 9, 10, 11, 12, 0, 0};
    std::vector<uint8_t> bmp = MakeBMP(2, -2, 24, {top, bottom});
    ASSERT_EQ(VerticalReverse(&bmp), 0);
    EXPECT_EQ(Height(bmp), 2);
    EXPECT_EQ(ReadDword(&bmp[38]), 2835u);
    EXPECT_EQ(ReadDword(&bmp[42]), 2835u);
    EXPECT_EQ(ReadWord(&bmp[28]), 24);
    std::vector<uint8_t> expected = bottom;
    expected.insert(expected.end(), top.begin(), top.end());
    EXPECT_EQ(Pixels(bmp), expected);
    EXPECT_EQ(ReadDword(&bmp[2]), bmp.size());
}

TEST(VerticalReverse, ThirtyTwoBitsDropTheFourthByte) {
    // Width 3: source rows 12 bytes, output rows 9 padded to 12.
    const std::vector<uint8_t> r0 = {1, 2, 3, 99, 4, 5, 6, 99, 7, 8, 9, 99};
    const std::vector<uint8_t> r1 = {11, 12, 13, 99, 14, 15, 16, 99, 17, 18, 19, 99};
    std::vector<uint8_t> bmp = MakeBMP(3, -2, 32, {r0, r1});
    ASSERT_EQ(VerticalReverse(&bmp), 0);
    EXPECT_EQ(ReadWord(&bmp[28]), 24);
    EXPECT_EQ(Height(bmp), 2);
    EXPECT_EQ(Pixels(bmp), (std::vector<uint8_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0,
                                                 1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0}));
    EXPECT_EQ(ReadDword(&bmp[34]), 24u);

    // With bit-field masks after the header the masks go with the fourth byte.
    std::vector<uint8_t> masked = MakeBMP(1, -1, 32, {}, 2835, 12, 3);
    WriteDword(&masked[54], 0x00FF0000);
    WriteDword(&masked[58], 0x0000FF00);
    WriteDword(&masked[62], 0x000000FF);
    masked.insert(masked.end(), {21, 22, 23, 0xFF});
    ASSERT_EQ(VerticalReverse(&masked), 0);
    EXPECT_EQ(ReadDword(&masked[10]), 54u);
    EXPECT_EQ(ReadDword(&masked[30]), 0u);
    EXPECT_EQ(Pixels(masked), (std::vector<uint8_t>{21, 22, 23, 0}));
}

TEST(VerticalReverse, BottomUpSourcesKeepTheirRowOrder) {
    const std::vector<uint8_t> r0 = {1, 2, 3, 0}, r1 = {4, 5, 6, 0};
    // Already what the printer side reads: untouched.
    const std::vector<uint8_t> ready = MakeBMP(1, 2, 24, {r0, r1}, 2835);
    std::vector<uint8_t> bmp = ready;
    EXPECT_EQ(VerticalReverse(&bmp), 0);
    EXPECT_EQ(bmp, ready);

    // Bottom-up at another resolution: only the resolution changes.
    bmp = MakeBMP(1, 2, 24, {r0, r1}, 3780);
    ASSERT_EQ(VerticalReverse(&bmp), 0);
    EXPECT_EQ(Height(bmp), 2);
    EXPECT_EQ(ReadDword(&bmp[38]), 2835u);
    EXPECT_EQ(Pixels(bmp), (std::vector<uint8_t>{1, 2, 3, 0, 4, 5, 6, 0}));
}

TEST(VerticalReverse, ColourTableStaysBeforeThePixels) {
    const std::vector<uint8_t> r0 = {1, 2, 3, 0}, r1 = {4, 5, 6, 0}, r2 = {7, 8, 9, 0};
    std::vector<uint8_t> bmp = MakeBMP(3, -3, 8, {r0, r1, r2}, 2835, 1024);
    const std::vector<uint8_t> table(bmp.begin() + 54, bmp.begin() + 54 + 1024);
    ASSERT_EQ(VerticalReverse(&bmp), 0);
    EXPECT_EQ(std::vector<uint8_t>(bmp.begin() + 54, bmp.begin() + 54 + 1024), table);
    EXPECT_EQ(Pixels(bmp), (std::vector<uint8_t>{7, 8, 9, 0, 4, 5, 6, 0, 1, 2, 3, 0}));
    EXPECT_EQ(ReadWord(&bmp[28]), 8);
}

TEST(VerticalReverse, RefusesWhatItCannotHandle) {
    EXPECT_EQ(VerticalReverse(nullptr), -50);
    const std::vector<uint8_t> row = {1, 2, 3, 4};
    const struct {
        const char* what;
        std::vector<uint8_t> bmp;
    } bad[] = {
        {"16 bits", MakeBMP(2, -1, 16, {row})},
        {"run-length encoded", MakeBMP(4, -1, 8, {row}, 3780, 0, 1)},
        {"32 bits with odd masks",
         MakeBMP(1, -1, 32, {row, std::vector<uint8_t>(12, 0)}, 3780, 0, 3)},
        {"rows missing", MakeBMP(1, -3, 24, {row})},
        {"zero width", MakeBMP(0, -1, 24, {row})},
        {"short header", std::vector<uint8_t>{'B', 'M', 0, 0}},
        {"not a BMP", std::vector<uint8_t>(80, 0)},
    };
    for (const auto& b : bad) {
        std::vector<uint8_t> copy = b.bmp;
        EXPECT_EQ(VerticalReverse(&copy), kImgConvertFailed) << b.what;
        EXPECT_EQ(copy, b.bmp) << b.what;
    }
    // A pixel offset pointing past the data.
    std::vector<uint8_t> offset = MakeBMP(1, -1, 24, {row});
    WriteDword(&offset[10], 4000);
    EXPECT_EQ(VerticalReverse(&offset), kImgConvertFailed);
}

namespace {

class ImageConvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/kestrane-image-XXXXXX";
        dir = mkdtemp(tmpl);
        // Four flat quadrants, so lossy formats keep recognisable colours and
        // a flipped picture shows.
        QImage image(16, 12, QImage::Format_RGB32);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x)
                image.setPixelColor(x, y, Colour(x, y));
        source = dir + "/source.png";
        ASSERT_TRUE(image.save(QString::fromStdString(source), "PNG"));
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    static QColor Colour(int x, int y) {
        if (y < 6)
            return x < 8 ? QColor(255, 0, 0) : QColor(0, 0, 255);
        return x < 8 ? QColor(0, 160, 0) : QColor(255, 255, 255);
    }

    // The converted file read back through the converter into PNG, so that
    // JPEG 2000 is read too.
    QImage ReadBack(const std::string& path) {
        std::string png = path + ".back.png";
        EXPECT_EQ(ConvertImgType(path.c_str(), &png, kImgTypePNG, false), 0) << path;
        return QImage(QString::fromStdString(png));
    }

    static std::string Head(const std::string& path, std::size_t n) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(n, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(n));
        return bytes;
    }

    std::string dir;
    std::string source;
};

struct Format {
    int type;
    const char* extension;
    std::string magic;
    int tolerance; // per channel
};

const Format kFormats[] = {
    {kImgTypeTIFF, "tiff", "", 0},
    {kImgTypeBMP, "bmp", "BM", 0},
    {kImgTypeGIF, "gif", "GIF8", 0},
    {kImgTypeJPEG, "jpg", "\xFF\xD8\xFF", 40},
    {kImgTypePNG, "png", "\x89PNG", 0},
    {kImgTypeJPEG2000, "jp2", std::string("\0\0\0\x0CjP  ", 8), 40},
};

} // namespace

TEST_F(ImageConvertTest, EveryFormatWritesAndReadsBackThePicture) {
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.extension);
        std::string dest = dir + "/out";
        ASSERT_EQ(ConvertImgType(source.c_str(), &dest, f.type, true), 0);
        EXPECT_EQ(dest, dir + "/out." + f.extension);
        const std::string head = Head(dest, 8);
        if (f.type == kImgTypeTIFF)
            EXPECT_TRUE(head.rfind("II*", 0) == 0 || head.rfind("MM", 0) == 0);
        else
            EXPECT_EQ(head.substr(0, f.magic.size()), f.magic);

        const QImage back = ReadBack(dest);
        ASSERT_EQ(back.size(), QSize(16, 12));
        for (auto [x, y] :
             {std::pair{1, 1}, std::pair{14, 1}, std::pair{1, 10}, std::pair{14, 10}}) {
            const QColor got = back.pixelColor(x, y), want = Colour(x, y);
            EXPECT_NEAR(got.red(), want.red(), f.tolerance) << x << "," << y;
            EXPECT_NEAR(got.green(), want.green(), f.tolerance) << x << "," << y;
            EXPECT_NEAR(got.blue(), want.blue(), f.tolerance) << x << "," << y;
        }

        // Each written file is also a source for the next conversion.
        std::string again = dir + "/again";
        EXPECT_EQ(ConvertImgType(dest.c_str(), &again, kImgTypeBMP, true), 0);
    }
}

TEST_F(ImageConvertTest, BMPOutputIsBottomUp24BitAt72Dpi) {
    std::string dest = dir + "/out.bmp";
    ASSERT_EQ(ConvertImgType(source.c_str(), &dest, kImgTypeBMP, true), 0);
    EXPECT_EQ(dest, dir + "/out.bmp");
    std::ifstream in(dest, std::ios::binary);
    std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(ReadWord(&bmp[28]), 24);
    EXPECT_EQ(Height(bmp), 12);
    EXPECT_EQ(ReadDword(&bmp[38]), 2835u);
    // The first stored row is the picture's bottom row: green, then white.
    const uint8_t* first = &bmp[ReadDword(&bmp[10])];
    EXPECT_EQ(first[0], 0);   // blue
    EXPECT_EQ(first[1], 160); // green
    EXPECT_EQ(first[2], 0);   // red
}

TEST_F(ImageConvertTest, ExtensionIsAddedOnlyWhenItDiffers) {
    std::string upper = dir + "/pic.PNG";
    ASSERT_EQ(ConvertImgType(source.c_str(), &upper, kImgTypePNG, true), 0);
    EXPECT_EQ(upper, dir + "/pic.PNG");
    std::string jpeg = dir + "/pic.jpeg";
    ASSERT_EQ(ConvertImgType(source.c_str(), &jpeg, kImgTypeJPEG, true), 0);
    EXPECT_EQ(jpeg, dir + "/pic.jpeg.jpg");
    std::string plain = dir + "/pic";
    ASSERT_EQ(ConvertImgType(source.c_str(), &plain, kImgTypeGIF, false), 0);
    EXPECT_EQ(plain, dir + "/pic");
    EXPECT_EQ(Head(plain, 4), "GIF8");
}

TEST_F(ImageConvertTest, FailuresAreReportedAndWriteNothing) {
    std::string dest = dir + "/x";
    EXPECT_EQ(ConvertImgType(nullptr, &dest, kImgTypePNG, true), -50);
    EXPECT_EQ(ConvertImgType(source.c_str(), nullptr, kImgTypePNG, true), -50);
    EXPECT_EQ(ConvertImgType(source.c_str(), &dest, 6, true), -50);
    EXPECT_EQ(ConvertImgType(source.c_str(), &dest, -1, true), -50);

    EXPECT_EQ(ConvertImgType((dir + "/missing.png").c_str(), &dest, kImgTypePNG, true),
              kImgConvertFailed);
    const std::string text = dir + "/notes.txt";
    std::ofstream(text) << "not an image\n";
    EXPECT_EQ(ConvertImgType(text.c_str(), &dest, kImgTypeJPEG2000, true), kImgConvertFailed);
    std::string nowhere = dir + "/no/such/dir/out";
    EXPECT_EQ(ConvertImgType(source.c_str(), &nowhere, kImgTypeTIFF, true), kImgConvertFailed);
    EXPECT_EQ(nowhere, dir + "/no/such/dir/out");
    EXPECT_NE(access((dir + "/x.png").c_str(), F_OK), 0);
}
