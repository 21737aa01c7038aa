#include "WatermarkPreviewGeometry.h"

#include "WatermarkGeometry.h"
#include "WatermarkTicketValues.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace KESTRANE_NS {

namespace {

WatermarkOptionRecord FilterOption(const WatermarkPaperRect& paper, int orientation) {
    WatermarkOptionRecord option;
    std::memset(&option, 0, sizeof option);
    option.orientation = orientation;
    option.paperWidth = static_cast<int32_t>(paper.Width());
    option.paperHeight = static_cast<int32_t>(paper.Height());
    return option;
}

} // namespace

WatermarkPreviewPage PreviewPage(const WatermarkPaperRect& paper, int orientation) {
    WatermarkPreviewPage page;
    page.width = static_cast<int32_t>(paper.Width());
    page.height = static_cast<int32_t>(paper.Height());
    double maxW = 120, maxH = 150;
    if (IsLandscapeOrientation(orientation)) {
        std::swap(page.width, page.height);
        maxW = 220;
    }
    if (page.width > 0 && page.height > 0)
        page.scale = std::min(maxW / page.width, maxH / page.height);
    return page;
}

WatermarkTextPlacement PreviewTextPlacement(const WatermarkRecord& record,
                                            const WatermarkPaperRect& paper, int orientation,
                                            double boxWidth, double boxHeight) {
    WatermarkOptionRecord option = FilterOption(paper, orientation);
    const WatermarkOffsetPoints offset = TextOffsetPoints(record, paper, orientation);
    option.angle = record.angle;
    // The ticket carries these with two decimals.
    option.width = static_cast<float>(std::round(boxWidth * 100) / 100);
    option.height = static_cast<float>(std::round(boxHeight * 100) / 100);
    option.hOffset = static_cast<float>(std::round(offset.h * 100) / 100);
    option.vOffset = static_cast<float>(std::round(offset.v * 100) / 100);
    const WatermarkLayout layout = MakeWatermarkLayout("1", "", "", "");
    const WatermarkPoint start = GetWatermarkPostion(option, layout, false);
    return {start.x, start.y, record.angle};
}

WatermarkBox PreviewPictureBox(const WatermarkPaperRect& paper, int orientation, int scale,
                               int pixelWidth, int pixelHeight) {
    WatermarkOptionRecord option = FilterOption(paper, orientation);
    option.scale = static_cast<float>(scale);
    option.width = static_cast<float>(pixelWidth);
    option.height = static_cast<float>(pixelHeight);
    const WatermarkLayout layout = MakeWatermarkLayout("1", "", "", "");
    double k = 0;
    const WatermarkTranslate t =
        GetImagePlacement(option, layout, 1, true, static_cast<unsigned>(pixelWidth),
                          static_cast<unsigned>(pixelHeight), &k);
    // The filter draws "tx ty translate k -k scale angle rotate" and the image
    // in its unit square of pixels, in the paper's own (portrait) frame.
    const double rad = t.rotate * M_PI / 180;
    const double c = std::cos(rad), s = std::sin(rad);
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
    const double corners[4][2] = {{0, 0},
                                  {double(pixelWidth), 0},
                                  {0, double(pixelHeight)},
                                  {double(pixelWidth), double(pixelHeight)}};
    const double paperW = static_cast<int32_t>(paper.Width());
    for (const auto& p : corners) {
        const double rx = p[0] * c - p[1] * s, ry = p[0] * s + p[1] * c;
        double x = t.tx + k * rx, y = t.ty - k * ry;
        // A landscape page lies on the paper turned a quarter to the left.
        if (IsLandscapeOrientation(orientation)) {
            const double px = x;
            x = y;
            y = paperW - px;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

} // namespace KESTRANE_NS
