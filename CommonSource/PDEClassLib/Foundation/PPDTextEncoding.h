// Text encodings a PPD may declare, and decoding of PPD text into UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace KESTRANE_NS {

using CFStringEncoding = uint32_t;

inline constexpr CFStringEncoding kCFStringEncodingMacRoman = 0;
inline constexpr CFStringEncoding kCFStringEncodingMacJapanese = 1;
inline constexpr CFStringEncoding kCFStringEncodingISOLatin1 = 0x0201;
inline constexpr CFStringEncoding kCFStringEncodingWindowsLatin1 = 0x0500;
inline constexpr CFStringEncoding kCFStringEncodingUTF8 = 0x08000100;

// The encoding a "*LanguageEncoding" value names; Mac Roman for anything else
// and for no value.
CFStringEncoding CFStringEncodingFromLanguageEncoding(const char* languageEncoding);

// Decodes bytes in the encoding into UTF-8; no value when they are not valid
// text of that encoding.
std::optional<std::string> CreateUTF8StringWithEncoding(std::string_view bytes,
                                                        CFStringEncoding encoding);

} // namespace KESTRANE_NS
