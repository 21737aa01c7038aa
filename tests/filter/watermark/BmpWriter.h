// Writes small uncompressed BMP files for the image watermark tests.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wmtest {

struct Rgb {
    uint8_t r, g, b;
};

inline void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// `rows` top to bottom; 24 bits per pixel, or 8 with a grey palette when
// `grey` (then only the red component of each pixel is used).
inline void WriteBmp(const std::string& path, const std::vector<std::vector<Rgb>>& rows,
                     bool grey = false) {
    const uint32_t height = static_cast<uint32_t>(rows.size());
    const uint32_t width = static_cast<uint32_t>(rows.front().size());
    const uint32_t bpp = grey ? 8 : 24;
    const uint32_t stride = ((width * bpp / 8) + 3) & ~3u;
    const uint32_t palette = grey ? 256 * 4 : 0;
    const uint32_t offset = 14 + 40 + palette;
    std::string out = "BM";
    PutLE(out, offset + stride * height, 4);
    PutLE(out, 0, 4);
    PutLE(out, offset, 4);
    PutLE(out, 40, 4);
    PutLE(out, width, 4);
    PutLE(out, height, 4);
    PutLE(out, 1, 2);
    PutLE(out, bpp, 2);
    PutLE(out, 0, 4);
    PutLE(out, stride * height, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, grey ? 256 : 0, 4);
    PutLE(out, 0, 4);
    for (uint32_t i = 0; grey && i < 256; ++i)
        PutLE(out, i | i << 8 | i << 16, 4);
    for (uint32_t y = height; y-- > 0;) {
        std::string row;
        for (const Rgb& p : rows[y]) {
            if (grey) {
                row += static_cast<char>(p.r);
            } else {
                row += static_cast<char>(p.b);
                row += static_cast<char>(p.g);
                row += static_cast<char>(p.r);
            }
        }
        row.resize(stride, '\0');
        out += row;
    }
    std::ofstream(path, std::ios::binary) << out;
}

} // namespace wmtest
