// Numbers of the finishing option windows: the fields hold integers in a
// fixed sub-unit (tenths of a millimetre, hundredths of an inch, counts) and
// show them as decimals. Parsing refuses what a field cannot hold instead of
// wrapping it, and the millimetre/inch pairs convert with the rounding each
// window uses.
#pragma once

#include <optional>
#include <string>

namespace KESTRANE_NS {

// The single-precision factors the conversions have always used.
inline constexpr double kMMPerInch = static_cast<double>(25.4f);
inline constexpr double kCMPerInch = static_cast<double>(2.54f);

// The largest number a field parses; longer texts are refused, not wrapped.
inline constexpr int kFieldNumberLimit = 9999999;

// Decimal text with at most `fractionDigits` digits after one ".", as an
// integer of that many decimal places ("12.7", 1 -> 127; "12", 1 -> 120).
// No value for an empty text, a lone ".", a second ".", surplus fraction
// digits, any other character, or a number above kFieldNumberLimit.
std::optional<int> ParseFieldNumber(const std::string& text, int fractionDigits);

// An integer of `fractionDigits` decimal places as text: 127, 1 -> "12.7";
// 50, 2 -> "0.50"; 5, 0 -> "5".
std::string FormatFieldNumber(int value, int fractionDigits);

int RoundHalfAwayFromZero(double value);
int RoundHalfToEven(double value);
int ClampToRange(int value, int minimum, int maximum);

struct FieldRange {
    int minimum;
    int maximum;
    bool Contains(int value) const { return value >= minimum && value <= maximum; }
};

// Tab margin shift: millimetres in tenths, inches in hundredths.
inline constexpr FieldRange kTabMarginMMRange{0, 150};
inline constexpr FieldRange kTabMarginInchRange{0, 59};
inline constexpr int kTabMarginMMDefault = 127;
inline constexpr int kTabMarginInchDefault = 50;
int TabMarginInchFromMM(int mmTenths);
int TabMarginMMFromInch(int inchHundredths);

// Booklet margin: whole millimetres, inches in tenths.
inline constexpr FieldRange kBookletMarginMMRange{0, 25};
inline constexpr FieldRange kBookletMarginInchRange{0, 10};
int BookletMarginInchFromMM(int mm);
int BookletMarginMMFromInch(int inchTenths);
// The printer takes the booklet shift in half millimetres.
int BookletMarginShiftTicketValue(int mm);

// Trimmer: millimetres in tenths, inches in hundredths, halves to even.
inline constexpr int kTrimmerMMDefault = 80;
inline constexpr int kTrimmerInchDefault = 31;
int TrimmerInchFromMM(int mmTenths);
int TrimmerMMFromInch(int inchHundredths);

// Counts of the offset stacking and numbering windows.
inline constexpr FieldRange kOffsetPagesRange{2, 65000};
inline constexpr FieldRange kOffsetCopiesRange{2, 9999};
inline constexpr FieldRange kNumberInSequenceRange{1, 254};
inline constexpr int kOffsetPagesDefault = 2;
inline constexpr int kOffsetCopiesDefault = 2;
inline constexpr int kNumberInSequenceDefault = 3;

} // namespace KESTRANE_NS
