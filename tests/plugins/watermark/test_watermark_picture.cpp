// The picture the filter draws and the stored list, against real files:
// pictures of every kind become 24-bit bottom-up BMPs in the spool
// directory with the right colours, and the list's arrays live in a real INI
// file.
#include "ImageCodec.h"
#include "PreferenceStore.h"
#include "SpoolFiles.h"
#include "WatermarkArrayStore.h"
#include "WatermarkPicture.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace MNTest;
namespace fs = std::filesystem;

namespace {

class WatermarkFiles : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/wm-files-XXXXXX";
        dir = mkdtemp(pattern);
        fs::create_directories(dir + "/spool");
        fs::create_directories(dir + "/prefs");
        setenv("KESTRANE_SPOOL_DIR", (dir + "/spool").c_str(), 1);
        setenv("KESTRANE_PREFS_USER_ROOT", (dir + "/prefs").c_str(), 1);
        PreferenceStore::Shared().Reset();
    }
    void TearDown() override {
        fs::permissions(dir + "/spool", fs::perms::owner_all);
        fs::remove_all(dir);
    }
    size_t SpoolFileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir + "/spool"), {}));
    }
    // Writes a picture of 4 x 2 blocks of 8 x 8 pixels (JPEG blurs single
    // pixels): top row red, half-transparent blue, fully transparent, green;
    // bottom row white, black, grey, yellow.
    std::string Picture(const char* name, const char* format) {
        QImage image(4 * kBlock, 2 * kBlock, QImage::Format_ARGB32);
        const QRgb top[] = {qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128), qRgba(0, 0, 0, 0),
                            qRgba(0, 255, 0, 255)};
        const QRgb bottom[] = {qRgba(255, 255, 255, 255), qRgba(0, 0, 0, 255),
                               qRgba(128, 128, 128, 255), qRgba(255, 255, 0, 255)};
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, (y < kBlock ? top : bottom)[x / kBlock]);
        const std::string path = dir + "/" + name;
        if (std::string(format) == "GIF") {
            // Qt reads GIF but cannot write it.
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            auto gif = EncodePNGAs(std::vector<char>(png.begin(), png.end()), "GIF");
            EXPECT_TRUE(gif);
            if (gif)
                std::ofstream(path, std::ios::binary)
                    .write(gif->data(), static_cast<std::streamsize>(gif->size()));
            return path;
        }
        const bool eightBit = std::string(format) == "BMP8";
        QImage out = eightBit ? image.convertToFormat(QImage::Format_Indexed8) : image;
        EXPECT_TRUE(out.save(QString::fromStdString(path), eightBit ? "BMP" : format)) << name;
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static uint32_t LE(const std::string& b, size_t at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
        return v;
    }
    // The colour in the middle of block (x, y), y from the top, of a 24-bit
    // bottom-up BMP.
    static QRgb BMPPixel(const std::string& b, int x, int y) {
        x = x * kBlock + kBlock / 2;
        y = y * kBlock + kBlock / 2;
        const uint32_t w = LE(b, 18, 4), h = LE(b, 22, 4), stride = (w * 3 + 3) & ~3u;
        const size_t at =
            LE(b, 10, 4) + (h - 1 - static_cast<uint32_t>(y)) * stride + static_cast<size_t>(x) * 3;
        return qRgb(static_cast<unsigned char>(b[at + 2]), static_cast<unsigned char>(b[at + 1]),
                    static_cast<unsigned char>(b[at]));
    }

    static constexpr int kBlock = 8;
    std::string dir;
};

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST_F(WatermarkFiles, EveryPictureKindBecomesABottomUpRGBBitmapOverWhite) {
    struct Case {
        const char* name;
        const char* format;
        bool alpha;
        int tolerance;
    };
    for (const Case& c : {Case{"logo.PNG", "PNG", true, 1}, Case{"logo.gif", "GIF", false, 1},
                          Case{"logo.jpg", "JPEG", false, 12}, Case{"logo8.bmp", "BMP8", false, 1},
                          Case{"logo.tif", "TIFF", true, 1}}) {
        SCOPED_TRACE(c.name);
        const std::string source = Picture(c.name, c.format);
        EXPECT_TRUE(IsWatermarkPictureFile(source));
        WatermarkPictureFile file;
        ASSERT_EQ(WriteWatermarkPicture(source, file), WatermarkPictureStatus::Written);
        EXPECT_EQ(fs::path(file.path).parent_path(), fs::path(dir + "/spool"));
        EXPECT_EQ(fs::path(file.path).filename().string().size(), 12u);
        struct stat st;
        ASSERT_EQ(stat(file.path.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0644u);
        EXPECT_EQ(file.width, 32);
        EXPECT_EQ(file.height, 16);
        const std::string bmp = Read(file.path);
        ASSERT_EQ(bmp.substr(0, 2), "BM");
        EXPECT_EQ(LE(bmp, 28, 2), 24u); // bits per pixel
        EXPECT_EQ(LE(bmp, 22, 4), 16u); // positive height: bottom-up
        EXPECT_EQ(LE(bmp, 30, 4), 0u);  // no compression
        EXPECT_EQ(bmp.size(), 54u + 16 * 96);
        EXPECT_TRUE(Near(BMPPixel(bmp, 0, 0), qRgb(255, 0, 0), c.tolerance));
        EXPECT_TRUE(Near(BMPPixel(bmp, 3, 0), qRgb(0, 255, 0), c.tolerance));
        EXPECT_TRUE(Near(BMPPixel(bmp, 1, 1), qRgb(0, 0, 0), c.tolerance));
        EXPECT_TRUE(Near(BMPPixel(bmp, 3, 1), qRgb(255, 255, 0), c.tolerance));
        if (c.alpha) {
            // Transparent parts print white, half-transparent blue pale.
            EXPECT_TRUE(Near(BMPPixel(bmp, 2, 0), qRgb(255, 255, 255), 1));
            EXPECT_TRUE(Near(BMPPixel(bmp, 1, 0), qRgb(127, 127, 255), 2));
        }
    }
    EXPECT_FALSE(IsWatermarkPictureFile(dir + "/notes.txt"));
    EXPECT_TRUE(IsWatermarkPictureFile("/x/LOGO.JpE"));
}

TEST_F(WatermarkFiles, AFailedConversionLeavesNoFile) {
    const std::string notPicture = dir + "/broken.png";
    std::ofstream(notPicture) << "not a picture";
    WatermarkPictureFile file;
    EXPECT_EQ(WriteWatermarkPicture(notPicture, file), WatermarkPictureStatus::CannotLoad);
    EXPECT_EQ(WriteWatermarkPicture(dir + "/missing.png", file),
              WatermarkPictureStatus::CannotLoad);
    EXPECT_TRUE(file.path.empty());
    // A spool directory nobody may write to: nothing made, nothing left.
    const std::string good = Picture("good.png", "PNG");
    if (geteuid() != 0) {
        fs::permissions(dir + "/spool", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(WriteWatermarkPicture(good, file), WatermarkPictureStatus::CannotCreate);
        fs::permissions(dir + "/spool", fs::perms::owner_all);
    }
    EXPECT_EQ(SpoolFileCount(), 0u);
}

TEST_F(WatermarkFiles, ListLivesInOneINIFileAndSurvivesDamage) {
    WatermarkRecord text;
    text.name = "Draft, internal";
    text.text = "DRAFT";
    text.fontName = "Helvetica";
    const WatermarkRecord picture = MakePictureRecord("Logo", "logo", "/srv/logo.png", 50);
    ASSERT_TRUE(SaveWatermarkRecords("Office", {text, picture}));
    EXPECT_EQ(LoadWatermarkRecords("Office"), (std::vector<WatermarkRecord>{text, picture}));
    EXPECT_TRUE(LoadWatermarkRecords("Other").empty());

    EXPECT_TRUE(fs::exists(PreferenceStore::Shared().FilePath(kPreferencesCurrentUser)));

    // Another program cut one array short and broke another's value: the
    // list keeps what is whole, aligned.
    auto damage = [](const char* array, const char* text) {
        PreferenceStore& store = PreferenceStore::Shared();
        store.SetValue(std::string("Officecom.kestrane.mtz.printsettings.") + array, text,
                       kPreferencesCurrentUser);
        store.Synchronize(kPreferencesCurrentUser);
    };
    damage("WMARKSCALEARRAYReference", "[\"100\"]");
    damage("WMARKANGELARRAYReference", "[\"720\",\"45\"]");
    auto records = LoadWatermarkRecords("Office");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].name, "Draft, internal");
    EXPECT_EQ(records[0].angle, 360);
    damage("WMARKNAMEARRAYReference", "[\"Dra");
    EXPECT_TRUE(LoadWatermarkRecords("Office").empty());
}
