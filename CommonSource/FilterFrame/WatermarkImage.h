// Image file of a picture watermark: which paths the filter accepts, opening
// the file safely, and the hexadecimal form of its pixels.
#pragma once

#include <cstddef>
#include <cstdio>

#include "WatermarkImageDecoder.h"

// True when `path` is, as text, `spoolDir` + "/" + a name without "/" that is
// neither "." nor "..".
bool IsWatermarkImagePath(const char* path, const char* spoolDir);

// Decodes the image of a path accepted in the job's spool directory that
// names a private regular file (see IsPrivateSpoolFile), without following a
// link and without blocking on a FIFO. The pixels always come back as RGB,
// 3 bytes each, whatever the file holds. False for anything else, and for any
// image that cannot be decoded. `decoded` tells whether a decoder ran (the
// file itself was acceptable).
bool WatermarkOpenImage(const char* path, WatermarkPixels* pixels, bool* decoded);

// Writes `count` bytes as upper-case hexadecimal pairs; after every pair the
// column grows by 2 and a line end follows once it passes 78.
void WatermarkWriteHex(FILE* out, const unsigned char* data, size_t count, int* column);
