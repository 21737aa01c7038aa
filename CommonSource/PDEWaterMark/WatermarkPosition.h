// The position fields of the edit window: their ranges from the paper, the
// inch and millimetre forms that follow each other, and what a person may
// type into them.
#pragma once

#include <optional>
#include <string>

namespace KESTRANE_NS {

// A paper rectangle in points (top, left, bottom, right).
struct WatermarkPaperRect {
    double top = 0;
    double left = 0;
    double bottom = 0;
    double right = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// Orientation codes: 1 portrait, 2 landscape, 3 reverse portrait, 4 reverse
// landscape.
inline bool IsLandscapeOrientation(int orientation) {
    return orientation == 2 || orientation == 4;
}

struct WatermarkPositionRanges {
    int hInch = 0; // tenths of an inch, the range is -hInch..hInch
    int vInch = 0;
    int hMM = 0; // whole millimetres
    int vMM = 0;
};

// The ranges for the paper as the orientation turns it: horizontal along the
// width in portrait and along the height in landscape.
WatermarkPositionRanges PositionRanges(const WatermarkPaperRect& paper, int orientation);

// Tenths of an inch from millimetres and back, rounded as the fields show them
// (halves go up, the sign kept), clamped to `limit`.
int TenthsFromMillimetres(int mm, int limit);
int MillimetresFromTenths(int tenths, int limit);

// The field texts: "%d.%d" for tenths of an inch, "%d" for millimetres.
std::string InchFieldText(int tenths);
std::string MMFieldText(int mm);

// The value of a typed position (tenths of an inch, or millimetres): at most
// one "-", only first and not on a zero value, digits (and for inches one
// "." with one digit after it), within -limit..limit. Nothing otherwise.
std::optional<int> ParsePositionText(const std::string& text, bool inch, int limit);

// The out-of-range message: the first "-[n]" becomes "-" and the bound, the
// next "[n]" the bound.
std::string PositionRangeMessage(const std::string& form, const std::string& bound);

} // namespace KESTRANE_NS
