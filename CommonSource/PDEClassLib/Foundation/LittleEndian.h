// 16- and 32-bit fields stored least significant byte first (image headers).
#pragma once

#include <cstdint>

namespace KESTRANE_NS {

uint32_t ReadDword(const uint8_t* bytes);
void WriteDword(uint8_t* bytes, uint32_t value);
uint16_t ReadWord(const uint8_t* bytes);
void WriteWord(uint8_t* bytes, uint16_t value);

} // namespace KESTRANE_NS
