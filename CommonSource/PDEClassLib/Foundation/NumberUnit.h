// Numbers of the numeric fields (tenths, one digit after the point) and the
// millimetre, inch and point conversions with their rounding.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace KESTRANE_NS {

// Digits of a non-negative value right-aligned so that the terminator is the
// buffer's last byte; returns the first digit (null when the buffer is too
// small for the value).
char* itoa(int value, char* buffer, int bufferSize);
// Decodes the escaped ticket string form ("/72/105" -> "Hi") in place.
void numstrtochar(char* text, std::size_t bufferSize);
// 123 -> "12.3", 5 -> "0.5"; copies at most size bytes with the terminator.
void ConvertIntToFloatStr(int tenths, char* output, std::size_t size);
int ConvertFloatStrToInt(const char* text);
// "210.5" -> 2105, "210" -> 2100 (tenths of a millimetre).
int GetMillimetreFromStr(const std::string& text);
// "210.0" -> "8.27" (millimetres to inches, hundredths rounded half to even).
std::optional<std::string> TransformMillimetreToInchs(const std::string* millimetres);
// Type 0 inches, type 1 millimetres, with the given decimals; -1 for another
// type. output may be null.
int TransformPointByType(std::string* output, double points, int decimals, int type);
void filterHeadZero(char* text);

} // namespace KESTRANE_NS
