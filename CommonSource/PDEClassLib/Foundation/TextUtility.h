// Small string tools of the dialog controls and the display width that text
// fields are limited by. Strings are UTF-8; "characters" are UTF-16 code
// units, as the fields count them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace KESTRANE_NS {

// UTF-16 form of UTF-8 text; no value for malformed UTF-8.
std::optional<std::u16string> UTF16FromUTF8(const std::string& text);

bool IsAllSpace(const std::string& text);
// Copies every code unit but U+0020 into output (at most outputSize - 1 of
// them), terminates it and returns the number copied.
int RemoveAllSpaces(const std::string& text, char16_t* output, std::size_t outputSize);
bool ExistNumericString(const std::string& text);
void AddNoRepeatStrToArray(std::vector<std::string>& array, const std::string& text);
// Splits at every separator byte and every line feed; empty pieces count.
void getStringBySeparator(std::vector<std::string>& array, const std::string& text, char separator);
int GetStringPointCount(const std::string& text);
// One-based position of the first "."; length + 1 when there is none.
int GetStringPointIndex(const std::string& text);

// Width: 1 per code unit in U+0000..U+00FF, 2 for any other.
int GetStringLength(const std::string& text);
int GetUTF8StringLength(const char* text);
// Longest prefix whose width (1 per one-byte UTF-8 character, 2 otherwise)
// fits the maximum.
std::string GetShortenString(const std::string& text, int maximumWidth);
int GetIntegerLength(int value);

} // namespace KESTRANE_NS
