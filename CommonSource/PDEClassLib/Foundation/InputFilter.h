// Character-range filters of the text fields: which bytes of the UTF-8 text
// and which UTF-16 code units a field accepts.
#pragma once

#include <cstdint>
#include <string>

namespace KESTRANE_NS {

struct InputFilterRange {
    int32_t minChar;
    int32_t maxChar;
};

inline constexpr int kInputFilterRangeCount = 20;

// Only the first inputItemCount ranges count; a count of 0 lets nothing pass.
struct InputFilterData {
    int32_t inputItemCount;
    InputFilterRange inputScale[kInputFilterRangeCount];
};

struct TextEditFilterData {
    InputFilterData byteFilter; // bytes of the UTF-8 text
    InputFilterData charFilter; // UTF-16 code units
    std::string message;        // message or format key of the owning field
};

bool ISByteValid(uint8_t byte, const InputFilterData& filter);
bool ISWordValid(char16_t word, const InputFilterData& filter);
// The same test against a filter that lists blank characters.
bool ISWordSpace(char16_t word, const InputFilterData& filter);
// Every code unit of the UTF-8 string passes the character filter.
bool validateInput(const std::string& text, const TextEditFilterData& filter);
// Every byte of the NUL-terminated text passes the byte filter.
bool validateDensityInput(const char* text, const TextEditFilterData& filter);

} // namespace KESTRANE_NS
