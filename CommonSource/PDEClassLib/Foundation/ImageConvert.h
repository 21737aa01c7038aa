// Conversion of an image file into another format, and the BMP row order the
// printer side reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace KESTRANE_NS {

enum : int {
    kImgTypeTIFF = 0,
    kImgTypeBMP = 1,
    kImgTypeGIF = 2,
    kImgTypeJPEG = 3,
    kImgTypePNG = 4,
    kImgTypeJPEG2000 = 5,
};

inline constexpr int kImgConvertFailed = 1001;

// Extension of a format number ("tiff", "bmp", "gif", "jpg", "png", "jp2"),
// null for another number.
const char* ImgTypeExtension(int format);

// Reads source, encodes it in format and writes it atomically to destination;
// with addExtension, "." and the format's extension are appended to
// destination (which then holds the path written) unless it already ends so.
// 0, -50 for a null path or unknown format, 1001 when reading, encoding or
// writing fails.
int ConvertImgType(const char* source, std::string* destination, int format, bool addExtension);

// Makes a BMP held in memory bottom-up with 24, 8, 4 or 1 bits per pixel and
// 2835 pixels per metre. 0, -50 for null data, 1001 for data it cannot handle.
int VerticalReverse(std::vector<uint8_t>* bmp);

} // namespace KESTRANE_NS
