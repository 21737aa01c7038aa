#include "WatermarkImageFormat.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {

bool Starts(const unsigned char* head, size_t length, const char* magic, size_t magicLength) {
    return length >= magicLength && std::memcmp(head, magic, magicLength) == 0;
}

uint32_t LE(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

} // namespace

bool WatermarkReadAt(int fd, void* into, size_t count, uint64_t offset) {
    char* p = static_cast<char*>(into);
    while (count > 0) {
        ssize_t got = pread(fd, p, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        p += got;
        count -= static_cast<size_t>(got);
        offset += static_cast<uint64_t>(got);
    }
    return true;
}

WatermarkImageKind WatermarkImageKindOf(const unsigned char* head, size_t length) {
    static const struct {
        const char* magic;
        size_t length;
    } kRefused[] = {
        {"\xFF\xD8\xFF", 3},     // JPEG
        {"\x89PNG", 4},          // PNG
        {"II*\0", 4},            // TIFF, little-endian
        {"MM\0*", 4},            // TIFF, big-endian
        {"\0\0\0\x0CjP  ", 8},   // JPEG 2000 file
        {"\xFF\x4F\xFF\x51", 4}, // JPEG 2000 codestream
    };
    for (const auto& r : kRefused)
        if (Starts(head, length, r.magic, r.length))
            return WatermarkImageKind::Refused;
    if (Starts(head, length, "RIFF", 4) && length >= 12 && std::memcmp(head + 8, "WEBP", 4) == 0)
        return WatermarkImageKind::Refused;
    if (Starts(head, length, "BM", 2))
        return WatermarkImageKind::Bmp;
    return WatermarkImageKind::Other;
}

namespace {

uint32_t BE(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | p[i];
    return v;
}

bool PixelsAllowed(uint64_t width, uint64_t height) {
    return width * height <= kWatermarkMaxPixels;
}

// The numbers of a PNM header: width, height and, but for bitmaps, the
// largest value; comments ("#" to the line end) skipped. `end` receives the
// offset of the first pixel byte.
bool ParsePnmHeader(const unsigned char* head, size_t length, int count, uint64_t* values,
                    size_t* end) {
    size_t i = 2;
    for (int n = 0; n < count; ++n) {
        while (i < length && (std::isspace(head[i]) || head[i] == '#')) {
            if (head[i] == '#')
                while (i < length && head[i] != '\n')
                    ++i;
            else
                ++i;
        }
        if (i >= length || !std::isdigit(head[i]))
            return false;
        values[n] = 0;
        while (i < length && std::isdigit(head[i]) && values[n] < (1ull << 40))
            values[n] = values[n] * 10 + (head[i++] - '0');
    }
    *end = i + 1; // one blank ends the header
    return i < length;
}

} // namespace

bool WatermarkImageSizeAllowed(const unsigned char* head, size_t length, uint64_t fileSize) {
    if (length >= 3 && head[0] == 'P' && head[1] >= '1' && head[1] <= '6') {
        const bool bitmap = head[1] == '1' || head[1] == '4';
        uint64_t v[3] = {};
        size_t start = 0;
        // A header longer than what was read: too odd to be the dialog's.
        if (!ParsePnmHeader(head, length, bitmap ? 2 : 3, v, &start))
            return false;
        if (!PixelsAllowed(v[0], v[1]))
            return false;
        const uint64_t sample = !bitmap && v[2] > 255 ? 2 : 1;
        switch (head[1]) {
        case '4':
            return fileSize >= start + (v[0] + 7) / 8 * v[1];
        case '5':
            return fileSize >= start + v[0] * v[1] * sample;
        case '6':
            return fileSize >= start + 3 * v[0] * v[1] * sample;
        default:
            return true;
        }
    }
    if (length >= 10 && BE(head, 2) == 474) // SGI
        return PixelsAllowed(BE(head + 6, 2), BE(head + 8, 2));
    if (length >= 12 && BE(head, 4) == 0x59A66A95) // Sun raster
        return PixelsAllowed(BE(head + 4, 4), BE(head + 8, 4));
    if (length >= 10 && std::memcmp(head, "GIF8", 4) == 0)
        return PixelsAllowed(LE(head + 6, 2), LE(head + 8, 2));
    return true;
}

bool ReadWatermarkBmp(int fd, WatermarkRowSink& sink) {
    unsigned char header[54];
    if (!WatermarkReadAt(fd, header, sizeof header, 0) || header[0] != 'B' || header[1] != 'M')
        return false;
    const uint32_t dataOffset = LE(header + 10, 4);
    const uint32_t infoSize = LE(header + 14, 4);
    if (infoSize < 40)
        return false; // OS/2 headers: the dialog never writes them
    const int32_t width = static_cast<int32_t>(LE(header + 18, 4));
    const int32_t height = static_cast<int32_t>(LE(header + 22, 4));
    const uint32_t bits = LE(header + 28, 2);
    const uint32_t compression = LE(header + 30, 4);
    uint32_t colours = LE(header + 46, 4);
    // Top-down (negative height) images count as not opened, as the image
    // library treats them; the dialog always writes bottom-up.
    if (width <= 0 || height <= 0 || compression != 0)
        return false;
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kWatermarkMaxPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;

    unsigned char palette[256][3] = {};
    if (bits <= 8) {
        const uint32_t most = 1u << bits;
        if (colours == 0 || colours > most)
            colours = most;
        std::vector<unsigned char> table(4 * colours);
        if (!WatermarkReadAt(fd, table.data(), table.size(), 14ull + infoSize))
            return false;
        for (uint32_t i = 0; i < colours; ++i) {
            palette[i][0] = table[4 * i + 2];
            palette[i][1] = table[4 * i + 1];
            palette[i][2] = table[4 * i];
        }
    }
    const uint64_t w = static_cast<uint64_t>(width);
    const uint64_t stride = ((w * bits + 31) / 32) * 4;
    std::vector<unsigned char> row(stride);
    std::vector<unsigned char> rgb(3 * w);
    if (!sink.Size(static_cast<uint32_t>(width), static_cast<uint32_t>(height)))
        return false;
    for (int32_t fileRow = 0; fileRow < height; ++fileRow) {
        if (!WatermarkReadAt(fd, row.data(), stride,
                             dataOffset + stride * static_cast<uint64_t>(fileRow)))
            return false;
        for (uint64_t x = 0; x < w; ++x) {
            unsigned char* out = &rgb[3 * x];
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                const uint64_t bit = x * bits;
                const unsigned shift = static_cast<unsigned>(8 - bits - bit % 8);
                const unsigned index = (row[bit / 8] >> shift) & ((1u << bits) - 1);
                std::memcpy(out, palette[index], 3);
                break;
            }
            case 16: {
                const uint32_t v = LE(&row[2 * x], 2);
                out[0] = static_cast<unsigned char>(((v >> 10) & 31) * 255 / 31);
                out[1] = static_cast<unsigned char>(((v >> 5) & 31) * 255 / 31);
                out[2] = static_cast<unsigned char>((v & 31) * 255 / 31);
                break;
            }
            default: {
                const unsigned char* in = &row[x * (bits / 8)];
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
                break;
            }
            }
        }
        if (!sink.Row(static_cast<uint32_t>(height - 1 - fileRow), rgb.data()))
            return false;
    }
    return true;
}
