// The scrambling key of protected values. The printers unscramble with the
// same key, so it is defined here once and every user (plug-ins, tools,
// tests) takes it from this header.
#pragma once

#include <cstdint>

namespace KESTRANE_NS {

// Used as four bytes, least significant first.
inline constexpr std::uint32_t kKSPScrambleKey = 0x4B53503Bu;

} // namespace KESTRANE_NS
