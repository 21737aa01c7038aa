#include "InputFilter.h"

#include <algorithm>

#include "TextUtility.h"

namespace KESTRANE_NS {

namespace {

// A count outside 0..20 never reads beyond the twenty ranges.
int RangeCount(const InputFilterData& filter) {
    return std::clamp(filter.inputItemCount, 0, kInputFilterRangeCount);
}

} // namespace

bool ISByteValid(uint8_t byte, const InputFilterData& filter) {
    for (int i = 0; i < RangeCount(filter); ++i) {
        const auto low = static_cast<uint8_t>(filter.inputScale[i].minChar);
        const auto high = static_cast<uint8_t>(filter.inputScale[i].maxChar);
        if (low <= byte && byte <= high)
            return true;
    }
    return false;
}

bool ISWordValid(char16_t word, const InputFilterData& filter) {
    for (int i = 0; i < RangeCount(filter); ++i) {
        if (filter.inputScale[i].minChar <= word && word <= filter.inputScale[i].maxChar)
            return true;
    }
    return false;
}

bool ISWordSpace(char16_t word, const InputFilterData& filter) {
    return ISWordValid(word, filter);
}

bool validateInput(const std::string& text, const TextEditFilterData& filter) {
    if (text.empty())
        return true;
    std::optional<std::u16string> units = UTF16FromUTF8(text);
    if (!units)
        return false;
    return std::all_of(units->begin(), units->end(),
                       [&](char16_t u) { return ISWordValid(u, filter.charFilter); });
}

bool validateDensityInput(const char* text, const TextEditFilterData& filter) {
    if (!text)
        return true;
    for (const char* p = text; *p; ++p) {
        if (!ISByteValid(static_cast<uint8_t>(*p), filter.byteFilter))
            return false;
    }
    return true;
}

} // namespace KESTRANE_NS
