// Watermark image files by their content: which kinds the filter refuses
// before any decoder sees them, and its own reader of BMP files (the library
// misplaces the rows of palette images whose rows are padded).
#pragma once

#include <cstddef>
#include <cstdint>

// The largest picture the filter sends: 4096 x 4096 pixels, beyond what the
// watermark panel makes. Its RGB data (48 MiB) are sent once per job.
constexpr uint64_t kWatermarkMaxPixels = 4096ull * 4096ull;

enum class WatermarkImageKind {
    Refused, // JPEG, PNG, TIFF, JPEG 2000, WebP: the image library does not read them
    Bmp,     // read by the filter itself
    Other,   // left to the image library (GIF, PNM, SGI, Sun raster, ...)
};

// The kind of a file from its first bytes (`length` of them, 16 are enough).
WatermarkImageKind WatermarkImageKindOf(const unsigned char* head, size_t length);

// For a file left to the image library: false when its header, as far as the
// first `length` bytes show it, declares more than kWatermarkMaxPixels, or a
// binary PNM file of `fileSize` bytes is too short for the pixels it declares
// (the library would fill the rest from its own memory). Kinds it does not
// know pass.
bool WatermarkImageSizeAllowed(const unsigned char* head, size_t length, uint64_t fileSize);

// Receives the decoded picture: its size once, then each row of 3 x width
// RGB bytes with its index counted from the top. Returns false to stop.
class WatermarkRowSink {
public:
    virtual ~WatermarkRowSink() = default;
    virtual bool Size(uint32_t width, uint32_t height) = 0;
    virtual bool Row(uint32_t y, const unsigned char* rgb) = 0;
};

// All `count` bytes of `fd` at `offset`, or false.
bool WatermarkReadAt(int fd, void* into, size_t count, uint64_t offset);

// Reads the BMP file open on `fd`: uncompressed, bottom-up, 1, 4 or 8 bits
// with a colour table, or 16 (5-5-5), 24 or 32 bits. A top-down file, a
// compressed one, one larger than kWatermarkMaxPixels or one that ends early
// is not opened. True when every row reached the sink.
bool ReadWatermarkBmp(int fd, WatermarkRowSink& sink);
