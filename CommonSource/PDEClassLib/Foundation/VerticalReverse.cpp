#include "ImageConvert.h"

#include <cstring>

#include "LittleEndian.h"

namespace KESTRANE_NS {

namespace {

constexpr uint32_t kPixelsPerMetre72dpi = 2835;
constexpr std::size_t kHeadersSize = 54; // file header 14 + information header 40

uint32_t RowBytes(uint64_t width, uint32_t bits) {
    return static_cast<uint32_t>((width * bits + 31) / 32 * 4);
}

bool HasStandardMasks(const std::vector<uint8_t>& bmp) {
    // BI_BITFIELDS with 32 bits: the masks must be plain B, G, R bytes for the
    // fourth byte to be dropped.
    if (bmp.size() < kHeadersSize + 12)
        return false;
    return ReadDword(&bmp[54]) == 0x00FF0000 && ReadDword(&bmp[58]) == 0x0000FF00 &&
           ReadDword(&bmp[62]) == 0x000000FF;
}

} // namespace

int VerticalReverse(std::vector<uint8_t>* bmp) {
    if (!bmp)
        return -50;
    std::vector<uint8_t>& src = *bmp;
    if (src.size() < kHeadersSize || src[0] != 'B' || src[1] != 'M')
        return kImgConvertFailed;

    const auto width = static_cast<int32_t>(ReadDword(&src[18]));
    const auto height = static_cast<int32_t>(ReadDword(&src[22]));
    const uint16_t bits = ReadWord(&src[28]);
    const uint32_t compression = ReadDword(&src[30]);
    const uint32_t xres = ReadDword(&src[38]);
    const uint32_t yres = ReadDword(&src[42]);

    if (xres == kPixelsPerMetre72dpi && yres == kPixelsPerMetre72dpi && height > 0 &&
        (bits == 1 || bits == 4 || bits == 8 || bits == 24))
        return 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return kImgConvertFailed;
    if (width <= 0 || height == 0 || height == INT32_MIN)
        return kImgConvertFailed;
    const bool bitfields32 = bits == 32 && compression == 3 && HasStandardMasks(src);
    if (compression != 0 && !bitfields32)
        return kImgConvertFailed;

    // Pixel rows start where the file header says, after any colour table.
    const uint32_t dataOffset = ReadDword(&src[10]);
    const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    const uint16_t outBits = bits == 32 ? 24 : bits;
    const uint32_t srcRow = RowBytes(static_cast<uint64_t>(width), bits);
    const uint32_t outRow = RowBytes(static_cast<uint64_t>(width), outBits);
    if (dataOffset < kHeadersSize || dataOffset > src.size() ||
        (src.size() - dataOffset) / srcRow < rows)
        return kImgConvertFailed;

    // A 32-bit source drops its masks with the conversion to plain 24 bits.
    const uint32_t outOffset =
        bitfields32 && dataOffset >= kHeadersSize + 12 && ReadDword(&src[14]) == 40
            ? dataOffset - 12
            : dataOffset;
    std::vector<uint8_t> out(outOffset + rows * outRow, 0);
    std::memcpy(out.data(), src.data(), kHeadersSize);
    std::memcpy(out.data() + kHeadersSize, src.data() + kHeadersSize + (dataOffset - outOffset),
                outOffset - kHeadersSize);
    WriteDword(&out[2], static_cast<uint32_t>(out.size()));
    WriteDword(&out[10], outOffset);
    WriteDword(&out[22], static_cast<uint32_t>(rows));
    WriteWord(&out[28], outBits);
    WriteDword(&out[30], 0);
    WriteDword(&out[34], static_cast<uint32_t>(rows * outRow));
    WriteDword(&out[38], kPixelsPerMetre72dpi);
    WriteDword(&out[42], kPixelsPerMetre72dpi);

    // A top-down source (negative height) has its rows reversed; a source
    // that is already bottom-up keeps its row order.
    for (uint64_t r = 0; r < rows; ++r) {
        const uint64_t from = height < 0 ? rows - 1 - r : r;
        const uint8_t* s = src.data() + dataOffset + from * srcRow;
        uint8_t* d = out.data() + outOffset + r * outRow;
        if (bits == 32) {
            for (int32_t x = 0; x < width; ++x)
                std::memcpy(d + 3 * x, s + 4 * x, 3);
        } else {
            std::memcpy(d, s, srcRow);
        }
    }
    src.swap(out);
    return 0;
}

} // namespace KESTRANE_NS
