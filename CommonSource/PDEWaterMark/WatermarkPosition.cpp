#include "WatermarkPosition.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace KESTRANE_NS {

namespace {

void RangeFor(double points, int& inch, int& mm) {
    // The size in inches is single precision, the rest double, as the
    // printers' own dialogs compute it (Letter: 43 tenths but 107 mm).
    const float s = static_cast<float>(points / 72.0);
    inch = static_cast<int>(std::trunc((s * 0.5 + 0.05) * 10));
    mm = static_cast<int>(std::trunc(s * 25.4 * 0.5 + 0.05));
}

} // namespace

WatermarkPositionRanges PositionRanges(const WatermarkPaperRect& paper, int orientation) {
    double across = paper.Width(), along = paper.Height();
    if (IsLandscapeOrientation(orientation))
        std::swap(across, along);
    WatermarkPositionRanges r;
    RangeFor(across, r.hInch, r.hMM);
    RangeFor(along, r.vInch, r.vMM);
    return r;
}

int TenthsFromMillimetres(int mm, int limit) {
    const long hundredths = std::lround(std::abs(mm) / 2.54 * 10);
    int tenths = static_cast<int>((hundredths + 5) / 10);
    tenths = std::min(tenths, limit);
    return mm < 0 ? -tenths : tenths;
}

int MillimetresFromTenths(int tenths, int limit) {
    const long tenthsOfMM = std::lround(std::abs(tenths) / 10.0 * 25.4 * 10);
    int mm = static_cast<int>((tenthsOfMM + 5) / 10);
    mm = std::min(mm, limit);
    return tenths < 0 ? -mm : mm;
}

std::string InchFieldText(int tenths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                  std::abs(tenths) % 10);
    return buf;
}

std::string MMFieldText(int mm) {
    return std::to_string(mm);
}

std::optional<int> ParsePositionText(const std::string& text, bool inch, int limit) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    long whole = 0, tenth = 0;
    int digits = 0, fraction = -1;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (fraction >= 0) {
                if (++fraction > 1)
                    return std::nullopt;
                tenth = c - '0';
            } else {
                if (++digits > 6)
                    return std::nullopt;
                whole = whole * 10 + (c - '0');
            }
        } else if (c == '.' && inch && fraction < 0 && digits > 0) {
            fraction = 0;
        } else {
            return std::nullopt; // a second "-", or anything else
        }
    }
    if (digits == 0)
        return std::nullopt;
    long value = inch ? whole * 10 + tenth : whole;
    if (negative && value == 0)
        return std::nullopt;
    if (value > limit)
        return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

std::string PositionRangeMessage(const std::string& form, const std::string& bound) {
    std::string out = form;
    size_t at = out.find("-[n]");
    if (at != std::string::npos) {
        out.replace(at, 4, "-" + bound);
        at += 1 + bound.size();
    } else {
        at = 0;
    }
    size_t next = out.find("[n]", at);
    if (next != std::string::npos)
        out.replace(next, 3, bound);
    return out;
}

} // namespace KESTRANE_NS
