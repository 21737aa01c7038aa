// Watermark image files as they come: damaged, unsupported or hostile files
// must never cost the job, and palette BMPs of any width keep their colours.
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "FilterRun.h"
#include "WatermarkImageFormat.h"
#include "watermark/BmpWriter.h"
#include "watermark/WatermarkTestSupport.h"

using namespace wmtest;

namespace {

std::string LE(uint32_t v, int bytes) {
    std::string out;
    PutLE(out, v, bytes);
    return out;
}
std::string BE(uint32_t v, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// A BMP of `bits` per pixel: `indices` rows top to bottom (palette indices,
// or for 24 bits ignored), `palette` entries as RGB. height < 0 writes the
// rows top-down.
std::string PaletteBmp(int bits, const std::vector<std::vector<uint8_t>>& indices,
                       const std::vector<Rgb>& palette, bool topDown = false) {
    const uint32_t width = static_cast<uint32_t>(indices.front().size());
    const uint32_t height = static_cast<uint32_t>(indices.size());
    const uint32_t stride = ((width * bits + 31) / 32) * 4;
    const uint32_t offset = 54 + 4 * static_cast<uint32_t>(palette.size());
    std::string out = "BM" + LE(offset + stride * height, 4) + LE(0, 4) + LE(offset, 4);
    out += LE(40, 4) + LE(width, 4) + LE(topDown ? -height : height, 4) + LE(1, 2) + LE(bits, 2);
    out += LE(0, 4) + LE(stride * height, 4) + LE(2835, 4) + LE(2835, 4);
    out += LE(static_cast<uint32_t>(palette.size()), 4) + LE(0, 4);
    for (const Rgb& c : palette)
        out += std::string{static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r),
                           '\0'};
    for (uint32_t i = 0; i < height; ++i) {
        const auto& row = indices[topDown ? i : height - 1 - i];
        std::string packed(stride, '\0');
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t bit = x * bits;
            packed[bit / 8] = static_cast<char>(static_cast<uint8_t>(packed[bit / 8]) |
                                                (row[x] << (8 - bits - bit % 8)));
        }
        out += packed;
    }
    return out;
}

class ImageFiles : public ::testing::Test {
protected:
    std::string Put(const std::string& bytes, mode_t mode = 0644) {
        const std::string path = spool.Put("wmImageFile01", bytes);
        chmod(path.c_str(), mode);
        return path;
    }
    // The pixel data the writer sends at the setup end, as hex digits only.
    std::string SentHex(const std::string& path) {
        StartJob({{"WMARKNameTicket", "Logo"},
                  {"WMARKTypeTicket", "1"},
                  {"WMARKOptionsTicket", "1"},
                  {"WMARKFilePathTicket", filtertest::Escaped(path)}});
        const std::string out = RunPoints({{16, 0}});
        const size_t data = out.find("readdata\n");
        if (data == std::string::npos)
            return out;
        std::string hex;
        for (char c : out.substr(data + 9))
            if (c != '\n')
                hex += c;
        return hex;
    }
    filtertest::SpoolDir spool;
};

std::string Hex(const std::vector<Rgb>& pixels) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (const Rgb& p : pixels)
        for (uint8_t v : {p.r, p.g, p.b})
            out += {kDigits[v >> 4], kDigits[v & 15]};
    return out;
}

// Each file is refused before a decoder sees it, or fails inside the decoder
// process; either way nothing is sent, the filter lives on, and the answer
// comes within seconds.
TEST_F(ImageFiles, DamagedOrUnsupportedFilesSendNothingAndCostNothing) {
    const std::string bmpHead = "BM" + LE(0, 4) + LE(0, 4) + LE(54, 4) + LE(40, 4);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"damaged JPEG", "\xFF\xD8\xFF\xE0" + std::string(200, '\x11')},
        {"damaged PNG", "\x89PNG\r\n\x1a\n" + std::string(200, '\x22')},
        {"TIFF", std::string("II*\0\x08\0\0\0", 8) + std::string(64, '\0')},
        {"huge PNM", "P6\n99999 99999\n255\n" + std::string(300, '\x7f')},
        {"truncated PNM", "P6\n40 40\n255\n" + std::string(30, '\x7f')},
        {"damaged SGI", BE(474, 2) + std::string("\x01\x02", 2) + BE(3, 2) + BE(60000, 2) +
                            BE(60000, 2) + BE(3, 2) + std::string(500, '\xAB')},
        {"truncated Sun raster", BE(0x59A66A95, 4) + BE(5000, 4) + BE(5000, 4) + BE(24, 4) +
                                     BE(0, 4) + BE(1, 4) + BE(0, 4) + BE(0, 4) + "xyz"},
        {"truncated GIF", "GIF89a" + LE(4000, 2) + LE(4000, 2) + "\xF7\0\0" + "abc"},
        {"truncated BMP",
         bmpHead + LE(100, 4) + LE(100, 4) + LE(1, 2) + LE(24, 2) + std::string(24, '\0') + "rgb"},
        {"oversized BMP",
         bmpHead + LE(100000, 4) + LE(100000, 4) + LE(1, 2) + LE(24, 2) + std::string(24, '\0')},
        {"compressed BMP", bmpHead + LE(4, 4) + LE(4, 4) + LE(1, 2) + LE(8, 2) + LE(1, 4) +
                               std::string(20, '\0') + std::string(1024 + 64, '\1')},
        {"top-down BMP", PaletteBmp(8, {{0, 1}, {1, 0}}, {{0, 0, 0}, {255, 255, 255}}, true)},
        {"empty file", ""},
        {"not an image", "%!PS\nshowpage\n"},
    };
    for (const auto& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(SentHex(Put(c.bytes)), "") << c.name;
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took, std::chrono::seconds(8)) << c.name;
    }

    // Damage within the pixel limit reaches the image library in the decoder
    // process; what it makes of it may print, but quickly.
    const std::string damaged[] = {
        BE(474, 2) + std::string("\x01\x02", 2) + BE(3, 2) + BE(300, 2) + BE(300, 2) + BE(3, 2) +
            std::string(500, '\xAB'),
        BE(0x59A66A95, 4) + BE(300, 4) + BE(300, 4) + BE(24, 4) + BE(0, 4) + BE(2, 4) + BE(0, 4) +
            BE(0, 4) + "\x80\xff\x01",
    };
    for (const std::string& bytes : damaged) {
        const auto start = std::chrono::steady_clock::now();
        SentHex(Put(bytes));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    }

    // Through the whole filter the job prints whole and succeeds.
    filtertest::Job job;
    job.document = "%!PS\n%%BeginSetup\n%%EndSetup\nbp\nep\n";
    job.options = {{"WMARKNameTicket", "Logo"},
                   {"WMARKTypeTicket", "1"},
                   {"WMARKOptionsTicket", "1"},
                   {"WMARKFilePathTicket", filtertest::Escaped(Put(cases[1].bytes))}};
    EXPECT_EQ(filtertest::PSPart(filtertest::RunFilter(job)), job.document + "\x04");
    EXPECT_EQ(filtertest::LastStatus(), 0);
}

// 1-, 4- and 8-bit palette images at every width whose rows need padding:
// each pixel comes back as its palette colour, rows in their places.
TEST_F(ImageFiles, PaletteBmpsKeepTheirColoursAtAnyWidth) {
    std::vector<Rgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back({static_cast<uint8_t>(16 * i), static_cast<uint8_t>(255 - 9 * i),
                           static_cast<uint8_t>(i * i)});
    for (int bits : {1, 4, 8}) {
        const int colours = bits == 1 ? 2 : 16;
        for (int width = 1; width <= 9; ++width) {
            std::vector<std::vector<uint8_t>> rows(3, std::vector<uint8_t>(width));
            std::vector<Rgb> expected;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x) {
                    rows[y][x] = static_cast<uint8_t>((x + 3 * y) % colours);
                    expected.push_back(palette[rows[y][x]]);
                }
            const std::vector<Rgb> used(palette.begin(), palette.begin() + colours);
            EXPECT_EQ(SentHex(Put(PaletteBmp(bits, rows, used))), Hex(expected))
                << bits << " bits, width " << width;
        }
    }
}

// A file the image library reads comes back pixel for pixel from the decoder
// process, also when the filter was started without a standard input (the
// image then opens on descriptor 0, which the decoder also reads from).
TEST_F(ImageFiles, LibraryImagesArriveWholeFromTheDecoderProcess) {
    const std::vector<Rgb> pixels = {{255, 0, 0},  {0, 255, 0},    {0, 0, 255},
                                     {10, 20, 30}, {200, 100, 50}, {255, 255, 255}};
    std::string pnm = "P6\n3 2\n255\n";
    for (const Rgb& p : pixels)
        pnm += {static_cast<char>(p.r), static_cast<char>(p.g), static_cast<char>(p.b)};
    const std::string path = Put(pnm);
    EXPECT_EQ(SentHex(path), Hex(pixels));

    const int savedInput = dup(STDIN_FILENO);
    ASSERT_GE(savedInput, 0);
    close(STDIN_FILENO);
    const std::string sent = SentHex(path);
    dup2(savedInput, STDIN_FILENO);
    close(savedInput);
    EXPECT_EQ(sent, Hex(pixels));
}

} // namespace
