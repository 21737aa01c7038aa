#include "FinishingUnits.h"

#include <cmath>
#include <cstdlib>

namespace KESTRANE_NS {

std::optional<int> ParseFieldNumber(const std::string& text, int fractionDigits) {
    long long whole = 0;
    int fraction = 0;
    int fractionSeen = 0;
    bool point = false;
    bool digit = false;
    for (char c : text) {
        if (c == '.') {
            if (point || fractionDigits <= 0)
                return std::nullopt;
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        digit = true;
        if (point) {
            if (++fractionSeen > fractionDigits)
                return std::nullopt;
            fraction = fraction * 10 + (c - '0');
        } else {
            whole = whole * 10 + (c - '0');
            if (whole > kFieldNumberLimit)
                return std::nullopt;
        }
    }
    if (!digit)
        return std::nullopt;
    long long value = whole;
    for (int i = 0; i < fractionDigits; ++i)
        value *= 10;
    for (int i = fractionSeen; i < fractionDigits; ++i)
        fraction *= 10;
    value += fraction;
    if (value > kFieldNumberLimit)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string FormatFieldNumber(int value, int fractionDigits) {
    std::string sign = value < 0 ? "-" : "";
    long long magnitude = std::llabs(static_cast<long long>(value));
    if (fractionDigits <= 0)
        return sign + std::to_string(magnitude);
    long long scale = 1;
    for (int i = 0; i < fractionDigits; ++i)
        scale *= 10;
    std::string fraction = std::to_string(magnitude % scale);
    fraction.insert(0, static_cast<size_t>(fractionDigits) - fraction.size(), '0');
    return sign + std::to_string(magnitude / scale) + "." + fraction;
}

int RoundHalfAwayFromZero(double value) {
    return static_cast<int>(value < 0 ? value - 0.5 : value + 0.5);
}

int RoundHalfToEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

int ClampToRange(int value, int minimum, int maximum) {
    return value < minimum ? minimum : value > maximum ? maximum : value;
}

int TabMarginInchFromMM(int mmTenths) {
    return ClampToRange(RoundHalfAwayFromZero(mmTenths / kCMPerInch), kTabMarginInchRange.minimum,
                        kTabMarginInchRange.maximum);
}

int TabMarginMMFromInch(int inchHundredths) {
    return ClampToRange(RoundHalfAwayFromZero(inchHundredths / 100.0 * kMMPerInch * 10),
                        kTabMarginMMRange.minimum, kTabMarginMMRange.maximum);
}

int BookletMarginInchFromMM(int mm) {
    return ClampToRange(RoundHalfAwayFromZero(mm / kCMPerInch), kBookletMarginInchRange.minimum,
                        kBookletMarginInchRange.maximum);
}

int BookletMarginMMFromInch(int inchTenths) {
    return ClampToRange(RoundHalfAwayFromZero(kMMPerInch * inchTenths / 10.0),
                        kBookletMarginMMRange.minimum, kBookletMarginMMRange.maximum);
}

int BookletMarginShiftTicketValue(int mm) {
    return 2 * mm;
}

int TrimmerInchFromMM(int mmTenths) {
    return RoundHalfToEven(mmTenths / kCMPerInch);
}

int TrimmerMMFromInch(int inchHundredths) {
    return RoundHalfToEven(inchHundredths / 100.0 * kMMPerInch * 10);
}

} // namespace KESTRANE_NS
