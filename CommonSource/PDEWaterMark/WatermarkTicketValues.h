// What a chosen watermark writes into the print settings for the filter:
// every key with its text, worked out from the record, the paper and the
// measured text box. Writing them is the panel's business.
#pragma once

#include "WatermarkPosition.h"
#include "WatermarkRecord.h"

#include <string>
#include <utility>
#include <vector>

typedef struct ppd_file_s ppd_file_t;

namespace KESTRANE_NS {

using WatermarkTicketValues = std::vector<std::pair<const char*, std::string>>;

// The paper of the job in points: the marked PageSize of the PPD (its own
// width and length, not the imageable area's), a "Custom.WxH" choice read
// from its text, else the page format's paper clamped to 935.44 x 1383.3.
WatermarkPaperRect PhysicalPaperSize(ppd_file_t* ppd, const WatermarkPaperRect& pageFormatPaper);

// The offsets in points of a text record's centre from the page centre, as
// the unit says, kept one point inside the half page.
struct WatermarkOffsetPoints {
    double h = 0;
    double v = 0;
};
WatermarkOffsetPoints TextOffsetPoints(const WatermarkRecord& record,
                                       const WatermarkPaperRect& paper, int orientation);

struct WatermarkTicketInput {
    WatermarkRecord record;
    WatermarkPaperRect paper;
    int orientation = 1;
    // Text: the text measured in the font at the record's size, in points.
    double textWidth = 0;
    double textHeight = 0;
    // Picture: the converted file (none yet: no path key) and its size in
    // pixels (one point each).
    std::string picturePath;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// Every key of the record except the name, layer and first-page keys, in
// the form the filter reads (texts escaped, first 255 bytes).
WatermarkTicketValues MakeWatermarkTicketValues(const WatermarkTicketInput& input);

} // namespace KESTRANE_NS
