// The trimmer's geometry: the long side of the sheet that is trimmed (the
// base, in points) from the paper and the booklet choices, and from it the
// half length, the cutting-size ranges and the values written for the filter.
#pragma once

#include "FinishingUnits.h"

#include <optional>
#include <string>

namespace KESTRANE_NS {

// What decides the base; gathered from the PPD marks and the page format.
struct TrimmerPaper {
    // Paper width and height in points: the marked page size's, or the page
    // format's paper rectangle for a "Custom" size or no marked size.
    double width = 0;
    double height = 0;
    // The PPD has "KRSignature" and a choice of it is marked.
    std::optional<std::string> signatureChoice;
    // The marked "KRSigSize" choice keyword and its code.
    std::string sigSizeChoice;
    std::string sigSizeCode;
    // The marked "KRRegionalPaperSetting" choice is "Inch".
    bool inchRegion = false;
};

// The page format's paper rectangle is clamped to what the printer feeds.
inline constexpr double kTrimmerMaxPaperHeight = 1383.3;
inline constexpr double kTrimmerMaxPaperWidth = 935.44;

// The larger of the two integers between "[" and "]" of a size code
// ("...[595 842]..." -> 842); none when the brackets, the blank or a digit
// is missing or a number is too long.
std::optional<int> SigSizeFromCode(const std::string& code);

// The base length in points. A paper without a booklet choice (or a PPD
// without booklets) gives its long side; a booklet takes its sheet size and
// the size table. Never 0: a missing paper falls back like an unknown one.
double TrimmerBaseLength(const TrimmerPaper& paper);

struct TrimmerValues {
    double halfMM = 0;          // H, millimetres
    int halfMMTenths = 0;       // Hm
    int halfInchHundredths = 0; // Hi
    FieldRange mmRange{0, 0};   // shown cutting size, tenths of a millimetre
    FieldRange inchRange{0, 0}; // shown cutting size, hundredths of an inch
};

TrimmerValues TrimmerValuesForBase(double base);

// The cutting size shown for a stored trim amount, clamped into the range.
int TrimmerShownMM(const TrimmerValues& values, int trimTenths);
int TrimmerShownInch(const TrimmerValues& values, int trimHundredths);
// The trim amount for a shown cutting size.
int TrimmerTrimFromShownMM(const TrimmerValues& values, int shownTenths);
int TrimmerTrimFromShownInch(const TrimmerValues& values, int shownHundredths);
// The cutting size written for the filter (Hm - trim); none when it would
// not be positive.
std::optional<int> TrimmerCuttingSize(const TrimmerValues& values, int trimTenths);

// Message51's two numbers of a range: "%.1f" of tenths or "%.2f" of
// hundredths, as wide as the integer digits and one more.
std::string FormatTrimmerBound(int value, bool inch);

} // namespace KESTRANE_NS
