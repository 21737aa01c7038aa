#include "WatermarkTicketValues.h"

#include "PDESettingsAccess.h"
#include "WatermarkFontTable.h"
#include "WatermarkKeys.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

namespace {

constexpr double kPaperHeightMax = 1383.3;
constexpr double kPaperWidthMax = 935.44;
constexpr size_t kTicketTextBytes = 255;

std::string Format(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

// The stored element's text as the filter's fields take it.
std::string TicketText(const std::string& text) {
    return EncodeEscapedTicketString(FitEscapedTicketText(text, kTicketTextBytes));
}

} // namespace

WatermarkPaperRect PhysicalPaperSize(ppd_file_t* ppd, const WatermarkPaperRect& pageFormatPaper) {
    if (ppd) {
        if (ppd_choice_t* choice = ppdFindMarkedChoice(ppd, "PageSize")) {
            if (std::strncmp(choice->choice, "Custom.", 7) == 0) {
                char* end = nullptr;
                const double w = std::strtod(choice->choice + 7, &end);
                if (end && *end == 'x') {
                    const double h = std::strtod(end + 1, nullptr);
                    if (w > 0 && h > 0)
                        return {0, 0, h, w};
                }
            } else if (ppd_size_t* size = ppdPageSize(ppd, choice->choice);
                       size && size->width > 0 && size->length > 0) {
                return {0, 0, size->length, size->width};
            }
        }
    }
    WatermarkPaperRect paper = pageFormatPaper;
    if (paper.Height() > kPaperHeightMax) {
        paper.top = 0;
        paper.bottom = kPaperHeightMax;
    }
    if (paper.Width() > kPaperWidthMax) {
        paper.left = 0;
        paper.right = kPaperWidthMax;
    }
    return paper;
}

WatermarkOffsetPoints TextOffsetPoints(const WatermarkRecord& r, const WatermarkPaperRect& paper,
                                       int orientation) {
    double halfW = paper.Width() / 2, halfH = paper.Height() / 2;
    if (IsLandscapeOrientation(orientation))
        std::swap(halfW, halfH);
    WatermarkOffsetPoints p;
    if (r.unit == kWMUnitMM) {
        p.h = r.hMMOffset * 72 / 25.4;
        p.v = r.vMMOffset * 72 / 25.4;
    } else {
        p.h = r.hOffset * 72 / 10.0;
        p.v = r.vOffset * 72 / 10.0;
    }
    auto clamp = [](double v, double half) {
        if (v >= half)
            return half - 1;
        if (v <= -half)
            return 1 - half;
        return v;
    };
    p.h = clamp(p.h, halfW);
    p.v = clamp(p.v, halfH);
    return p;
}

WatermarkTicketValues MakeWatermarkTicketValues(const WatermarkTicketInput& in) {
    const WatermarkRecord& r = in.record;
    const WatermarkArrays stored = ArraysFromRecords({r});
    auto element = [&](int field) { return stored[static_cast<size_t>(field)][0]; };
    WatermarkTicketValues v = {
        {kWMARKTextTicket, TicketText(r.text)},
        {kWMARKTypeTicket, element(kWMFieldType)},
        {kWMARKColorRTicket, element(kWMFieldRed)},
        {kWMARKColorGTicket, element(kWMFieldGreen)},
        {kWMARKColorBTicket, element(kWMFieldBlue)},
        {kWMARKColorATicket, element(kWMFieldAlpha)},
        // The filter reads the size as an integer.
        {kWMARKFontSizeTicket, std::to_string(static_cast<int>(r.size))},
        {kWMARKAngleTicket, element(kWMFieldAngle)},
        {kWMARKDensityTicket, element(kWMFieldDensity)},
        {kWMARKScaleTicket, element(kWMFieldScale)},
    };
    if (r.IsPicture() && !in.picturePath.empty())
        v.emplace_back(kWMARKFilePathTicket, EncodeEscapedTicketString(in.picturePath));
    v.emplace_back(kWMARKOrientationTicket, std::to_string(in.orientation));
    v.emplace_back(kWMARKPaperHeightTicket, std::to_string(static_cast<int>(in.paper.Height())));
    v.emplace_back(kWMARKPaperWidthTicket, std::to_string(static_cast<int>(in.paper.Width())));
    if (r.IsPicture()) {
        v.emplace_back(kWMARKhOffsetTicket, "0.00");
        v.emplace_back(kWMARKvOffsetTicket, "0.00");
        v.emplace_back(kWMARKWidthTicket, Format("%f", in.pictureWidth));
        v.emplace_back(kWMARKHeightTicket, Format("%f", in.pictureHeight));
        return v;
    }
    const WatermarkFontTicket font = FontTicketForDisplayName(r.fontName);
    v.emplace_back(kWMARKFontTicket, font.printName);
    v.emplace_back(kWMARKFontTypeTicket, std::to_string(font.fontType));
    const WatermarkOffsetPoints offset = TextOffsetPoints(r, in.paper, in.orientation);
    v.emplace_back(kWMARKhOffsetTicket, Format("%.2f", offset.h));
    v.emplace_back(kWMARKvOffsetTicket, Format("%.2f", offset.v));
    v.emplace_back(kWMARKWidthTicket, Format("%.2f", in.textWidth / font.xRate));
    v.emplace_back(kWMARKHeightTicket, Format("%.2f", in.textHeight / font.yRate));
    return v;
}

} // namespace KESTRANE_NS
