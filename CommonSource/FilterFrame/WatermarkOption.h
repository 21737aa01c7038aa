// The watermark record, filled from the watermark ticket table. Absent numbers
// read as -1 (integers) or -1.0 (reals); absent texts as "".
#pragma once

#include <cstdint>

struct WatermarkOptionRecord {
    char name[256];         // empty: no watermark
    int32_t imagePlacement; // 1 over the page at page end, 2 under the page at page start
    int32_t onlyFirst;      // 0 every page, anything else first page only
    char text[256];
    int32_t orientation; // 1 to 4
    int32_t paperHeight; // points
    int32_t paperWidth;  // points
    char filePath[256];  // image file in the spool directory
    int32_t type;        // 0 text, 1 image
    char font[256];      // PostScript font name
    int32_t fontSize;
    int32_t fontType; // 0 literal string, 1 hexadecimal string
    float colorR;
    float colorG;
    float colorB;
    float colorA; // read, not used
    int32_t angle;
    int32_t density;     // percent
    float scale;         // percent
    float posHorizontal; // read, not used
    float posVertical;   // read, not used
    float width;         // box width, points
    float height;        // box height, points
    float hOffset;
    float vOffset;
};

extern WatermarkOptionRecord psOptionWatermark;
