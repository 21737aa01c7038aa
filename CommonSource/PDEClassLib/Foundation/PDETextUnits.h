// UTF-8 and UTF-16 measures used where texts pass through fixed buffers.
#pragma once

#include <string>

namespace KESTRANE_NS {

// False when the bytes are not well-formed UTF-8 (overlong forms and
// surrogates included).
bool DecodeUtf8(const std::string& bytes, std::u32string& out);
std::string EncodeUtf8(const std::u32string& chars);

// Keeps the characters that fit in `units` UTF-16 code units; a character
// needing two units is not split.
void CutToUtf16Units(std::u32string& chars, std::size_t units);

// At most `bytes` bytes of the text, cut before a partial UTF-8 sequence so
// a cut never turns a good text into a bad one.
std::string CutUtf8ToBytes(const std::string& text, std::size_t bytes);

} // namespace KESTRANE_NS
