// Image file of a picture watermark: which paths the filter accepts, opening
// the file safely, and the hexadecimal form of its pixels.
#pragma once

#include <cstddef>
#include <cstdio>

#include <cupsfilters/image.h>

// True when `path` is, as text, `spoolDir` + "/" + a name without "/" that is
// neither "." nor "..".
bool IsWatermarkImagePath(const char* path, const char* spoolDir);

// Opens the image of a path accepted in the job's spool directory that names a regular file, without
// following a link and without blocking on a FIFO. The pixels always come back
// as RGB, 3 bytes each, whatever the file holds. nullptr for anything else.
cups_image_t* WatermarkOpenImage(const char* path);

// Writes `count` bytes as upper-case hexadecimal pairs; after every pair the
// column grows by 2 and a line end follows once it passes 78.
void WatermarkWriteHex(FILE* out, const unsigned char* data, size_t count, int* column);
