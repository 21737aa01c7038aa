// Decodes a watermark image apart from the job: in a child process with
// limits on CPU time, memory, output size and wall time, so that nothing an
// image file does (a decoder's error exit, an abort, a loop, a huge header)
// can stop, kill or hang the filter. Any failure means the image cannot be
// opened.
#pragma once

#include <cstdint>

// The decoded picture: `fd` holds an 8-byte size header and then height rows
// of 3 x width RGB bytes, top to bottom. fd is -1 when nothing is held.
struct WatermarkPixels {
    int fd = -1;
    uint32_t width = 0;
    uint32_t height = 0;
};

// Decodes the image file open on `imageFd` (already checked as a private
// spool file). True with `pixels` filled; the caller closes pixels->fd.
bool DecodeWatermarkImage(int imageFd, WatermarkPixels* pixels);

// Reads rows [y, y + count) of the picture into `rgb` (3 x width x count bytes).
bool ReadWatermarkRows(const WatermarkPixels& pixels, uint32_t y, uint32_t count,
                       unsigned char* rgb);
