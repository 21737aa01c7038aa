// Decodes a watermark image apart from the job: in a process of its own with
// limits on CPU time, memory, output size and wall time, so that nothing an
// image file does (a decoder's error exit, an abort, a loop, a huge header)
// can stop, kill or hang the filter. Any failure means the image cannot be
// opened. The process is the filter program run afresh, not a fork of the
// job's filter: a damaged file can make the image library draw from memory
// it never wrote, and none of that memory may hold the job's options, user
// names or passwords.
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

// The private first argument with which the filter program runs as the
// decoder; a program that decodes watermark images passes its arguments to
// WatermarkDecoderMain before anything else.
extern const char kWatermarkDecoderArgument[];

// When argv asks for the decoder: decodes the image on descriptor 0 and
// returns the exit status. Otherwise -1, and the program goes on as itself.
int WatermarkDecoderMain(int argc, char* argv[]);
