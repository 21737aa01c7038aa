// The picture of a watermark: which files the chooser offers, loading them
// for the preview, and the file the filter draws: a 24-bit bottom-up BMP in
// the spool directory, transparent areas over white.
#pragma once

#include <string>

class QImage;

namespace KESTRANE_NS {

// The picture types offered, by file name, in any case: TIFF, JPEG, GIF,
// BMP and PNG.
bool IsWatermarkPictureFile(const std::string& path);
// The chooser's name filter for those types.
std::string WatermarkPictureNameFilter();

// The picture with transparency laid over white, as RGB; null when the file
// cannot be read.
QImage LoadWatermarkPicture(const std::string& path);

// The BMP bytes (24 bits per pixel, rows bottom-up, 2835 pixels per metre)
// of an RGB image.
std::string EncodeWatermarkBMP(const QImage& rgb);

enum class WatermarkPictureStatus { Written, CannotLoad, CannotCreate, CannotWrite };

struct WatermarkPictureFile {
    std::string path;
    int width = 0;
    int height = 0;
};

// Converts the picture into a new spool file (12 random letters and digits,
// mode 0644) written through its descriptor. On any failure no file is left.
WatermarkPictureStatus WriteWatermarkPicture(const std::string& source, WatermarkPictureFile& out);

} // namespace KESTRANE_NS
