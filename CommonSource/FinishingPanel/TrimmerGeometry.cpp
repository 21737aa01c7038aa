#include "TrimmerGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace KESTRANE_NS {

std::optional<int> SigSizeFromCode(const std::string& code) {
    size_t open = code.find('[');
    if (open == std::string::npos)
        return std::nullopt;
    size_t close = code.find(']', open);
    if (close == std::string::npos)
        return std::nullopt;
    std::string inside = code.substr(open + 1, close - open - 1);
    size_t blank = inside.find(' ');
    if (blank == std::string::npos)
        return std::nullopt;
    auto first = ParseFieldNumber(inside.substr(0, blank), 0);
    auto second = ParseFieldNumber(inside.substr(blank + 1), 0);
    if (!first || !second)
        return std::nullopt;
    return std::max(*first, *second);
}

namespace {

struct BaseRow {
    double base;
    double becomes;
};
// A booklet sheet is twice the page: the page's long side becomes the
// sheet's, and a sheet size stays what it is.
const BaseRow kBaseTable[] = {{1191, 1191}, {842, 1191}, {595, 842},   {1032, 1032},
                              {729, 1032},  {792, 1224}, {1224, 1224}, {612, 792}};

double LongSide(const TrimmerPaper& paper) {
    return std::max(paper.width, paper.height);
}

double FallbackBase(const TrimmerPaper& paper) {
    return paper.inchRegion ? 1224 : 1191;
}

} // namespace

double TrimmerBaseLength(const TrimmerPaper& paper) {
    const double longSide = LongSide(paper);
    if (!paper.signatureChoice || *paper.signatureChoice == "None")
        return longSide > 0 ? longSide : FallbackBase(paper);
    double base = longSide;
    static const char* const kSheetChoices[] = {"A3", "A4", "B4", "LT", "DL"};
    for (const char* sheet : kSheetChoices) {
        if (paper.sigSizeChoice == sheet) {
            if (auto size = SigSizeFromCode(paper.sigSizeCode))
                base = *size;
            break;
        }
    }
    for (const BaseRow& row : kBaseTable)
        if (std::fabs(base - row.base) <= 0.5)
            return row.becomes;
    return FallbackBase(paper);
}

TrimmerValues TrimmerValuesForBase(double base) {
    TrimmerValues v;
    v.halfMM = base / 72 * kMMPerInch / 2;
    v.halfMMTenths = RoundHalfToEven(base / 72 * kMMPerInch / 2 * 10);
    v.halfInchHundredths = RoundHalfToEven(base / 72 / 2 * 100);
    v.mmRange = {RoundHalfToEven(10 * (v.halfMM - 20)), RoundHalfToEven(10 * (v.halfMM - 2))};
    v.inchRange = {RoundHalfToEven((v.halfMM - 20) / kMMPerInch * 100),
                   RoundHalfToEven((v.halfMM - 2) / kMMPerInch * 100)};
    return v;
}

int TrimmerShownMM(const TrimmerValues& values, int trimTenths) {
    return ClampToRange(values.halfMMTenths - trimTenths, values.mmRange.minimum,
                        values.mmRange.maximum);
}

int TrimmerShownInch(const TrimmerValues& values, int trimHundredths) {
    return ClampToRange(values.halfInchHundredths - trimHundredths, values.inchRange.minimum,
                        values.inchRange.maximum);
}

int TrimmerTrimFromShownMM(const TrimmerValues& values, int shownTenths) {
    return values.halfMMTenths - shownTenths;
}

int TrimmerTrimFromShownInch(const TrimmerValues& values, int shownHundredths) {
    return values.halfInchHundredths - shownHundredths;
}

std::optional<int> TrimmerCuttingSize(const TrimmerValues& values, int trimTenths) {
    int cutting = values.halfMMTenths - trimTenths;
    if (cutting <= 0)
        return std::nullopt;
    return cutting;
}

std::string FormatTrimmerBound(int value, bool inch) {
    const double number = inch ? value / 100.0 : value / 10.0;
    const int integerDigits =
        static_cast<int>(std::to_string(static_cast<long long>(std::fabs(number))).size());
    char format[16];
    std::snprintf(format, sizeof format, inch ? "%%%d.2lf" : "%%%d.1lf", integerDigits + 1);
    char out[64];
    std::snprintf(out, sizeof out, format, number);
    return out;
}

} // namespace KESTRANE_NS
