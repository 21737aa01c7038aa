// Where a watermark goes on the sheet: text start point, image position inside
// the logical page, the logical page's offset on an n-up sheet, and the final
// translation and rotation. Plain arithmetic over the watermark record and the
// layout values; nothing here writes output.
#pragma once

#include "WatermarkOption.h"

// Layout values of the job: N = rows x columns (0 when either is missing), n =
// the plain "number-up" value (0 or less counts as 1), R rows, C columns and
// the layout direction. Missing or negative rows and columns count as 0.
struct WatermarkLayout {
    long long N;
    int n;
    int R;
    int C;
    int direction;
};

WatermarkLayout MakeWatermarkLayout(const char* numberUp, const char* direction, const char* rows,
                                    const char* columns);

struct LogicalPageOffset {
    long long a;
    long long b;
};

// Offset of the logical page that holds page `page` on its sheet; lengthA and
// lengthB are the two sheet lengths the table divides among rows and columns.
LogicalPageOffset GetLogicalPageOffset(long long page, const WatermarkLayout& layout,
                                       int orientation, long long lengthA, long long lengthB);

struct WatermarkPoint {
    double x;
    double y;
};

// Text mode: the start point of the text (page centre less the rotated half
// box, plus the offsets). Image mode: the image's corner inside the logical
// page, before the logical page's offset.
WatermarkPoint GetWatermarkPostion(const WatermarkOptionRecord& option,
                                   const WatermarkLayout& layout, bool imageMode);

struct WatermarkTranslate {
    double tx;
    double ty;
    int rotate;
};

// Final translation and rotation of the image of width x height pixels.
WatermarkTranslate GetTranslateValue(LogicalPageOffset offset, int orientation, unsigned width,
                                     unsigned height, double scale, const WatermarkLayout& layout,
                                     WatermarkPoint position);

// The whole image placement for one drawing: under the page (at page begin,
// `page` is the page being begun) or over it (at page end, `page` is the page
// being ended). `scaleFactor` receives the image's scale.
WatermarkTranslate GetImagePlacement(const WatermarkOptionRecord& option,
                                     const WatermarkLayout& layout, long long page, bool overPage,
                                     unsigned width, unsigned height, double* scaleFactor);

// Colour component after density: 1 - (1 - c) x density / 100.
double WatermarkDensityColor(float component, int density);

// Real to integer, toward zero; values that are not finite count as 0 and
// values beyond the integer range stop at its ends.
long long WatermarkTruncate(double value);
