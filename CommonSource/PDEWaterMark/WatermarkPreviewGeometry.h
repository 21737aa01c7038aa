// Where the preview draws the watermark: the filter's own placement rules
// (text start point, picture placement) on the page as the orientation turns
// it, scaled onto a miniature page of the paper's proportions. Coordinates
// of the page are PostScript points with y upwards.
#pragma once

#include "WatermarkPosition.h"
#include "WatermarkRecord.h"

namespace KESTRANE_NS {

struct WatermarkPreviewPage {
    double width = 0; // the page as the orientation turns it, points
    double height = 0;
    double scale = 0; // miniature units per point
    double MiniWidth() const { return width * scale; }
    double MiniHeight() const { return height * scale; }
};

// The page fitted into a miniature of at most 120 x 150 units (portrait) or
// 220 x 150 (landscape).
WatermarkPreviewPage PreviewPage(const WatermarkPaperRect& paper, int orientation);

// The text's start point on the page and its angle, as the filter draws
// "x y moveto angle rotate (text) show" for the measured box.
struct WatermarkTextPlacement {
    double x = 0;
    double y = 0;
    int angle = 0;
};
WatermarkTextPlacement PreviewTextPlacement(const WatermarkRecord& record,
                                            const WatermarkPaperRect& paper, int orientation,
                                            double boxWidth, double boxHeight);

// The picture's box on the page (left, bottom, width, height) as the filter
// places a one-up page's picture of the given pixels at the record's scale.
struct WatermarkBox {
    double left = 0;
    double bottom = 0;
    double width = 0;
    double height = 0;
};
WatermarkBox PreviewPictureBox(const WatermarkPaperRect& paper, int orientation, int scale,
                               int pixelWidth, int pixelHeight);

} // namespace KESTRANE_NS
