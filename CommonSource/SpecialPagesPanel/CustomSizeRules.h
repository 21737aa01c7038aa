// The custom paper size of a special page: inch fields in hundredths, millimetre
// fields in tenths, each with its range (from the PPD's ParamCustomPageSize
// where it gives one), its text form and the conversion between the units.
#pragma once

#include <cups/ppd.h>

#include <string>

namespace KESTRANE_NS {

enum CustomSizeFieldId { kCustomWidthInch = 0, kCustomLengthInch, kCustomWidthMM, kCustomLengthMM };

struct CustomSizeField {
    int minimum = 0;
    int maximum = 0;
    int defaultValue = 0;
    int decimals = 0; // 2 for inches, 1 for millimetres
};

struct CustomSizeLimits {
    CustomSizeField fields[4];
    const CustomSizeField& operator[](int id) const { return fields[id]; }
};

// The fixed ranges, narrowed or widened by the PPD's ParamCustomPageSize
// Width/Height (minimum and maximum in points); a default outside the range
// becomes the minimum.
CustomSizeLimits GetCustomSizeLimits(ppd_file_t* ppd);

// Digits with at most one point, not first and not last, followed by exactly
// `decimals` digits; the value in the field's unit. False for anything else.
bool ParseCustomSizeText(const std::string& text, int decimals, int& value);
// 827 -> "8.27" (2 decimals), 2100 -> "210.0" (1 decimal).
std::string FormatCustomSizeValue(int value, int decimals);
bool IsCustomSizeTextValid(const std::string& text, const CustomSizeField& field);

// Millimetre tenths to inch hundredths and back; a source limit becomes the
// target limit and any other value is clamped into the target range.
int MillimetreToInchValue(int tenths, const CustomSizeField& mm, const CustomSizeField& inch);
int InchToMillimetreValue(int hundredths, const CustomSizeField& inch, const CustomSizeField& mm);

} // namespace KESTRANE_NS
