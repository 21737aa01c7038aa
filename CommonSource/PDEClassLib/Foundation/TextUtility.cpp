#include "TextUtility.h"

#include "Utf8Codec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace KESTRANE_NS {

std::optional<std::u16string> UTF16FromUTF8(const std::string& text) {
    std::u16string out;
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp;
        std::size_t len = DecodeUtf8Sequence(text, pos, cp);
        if (len == 0)
            return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        pos += len;
    }
    return out;
}

bool IsAllSpace(const std::string& text) {
    std::optional<std::u16string> units = UTF16FromUTF8(text);
    if (!units)
        return false;
    return std::all_of(units->begin(), units->end(),
                       [](char16_t u) { return u == u' ' || u == u'\u3000'; });
}

int RemoveAllSpaces(const std::string& text, char16_t* output, std::size_t outputSize) {
    if (!output || outputSize == 0)
        return 0;
    std::size_t count = 0;
    if (std::optional<std::u16string> units = UTF16FromUTF8(text)) {
        for (char16_t u : *units) {
            if (u == u' ')
                continue;
            if (count + 1 >= outputSize)
                break;
            output[count++] = u;
        }
    }
    output[count] = 0;
    return static_cast<int>(count);
}

bool ExistNumericString(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void AddNoRepeatStrToArray(std::vector<std::string>& array, const std::string& text) {
    if (std::find(array.begin(), array.end(), text) == array.end())
        array.push_back(text);
}

void getStringBySeparator(std::vector<std::string>& array, const std::string& text,
                          char separator) {
    if (text.empty())
        return;
    std::string piece;
    for (char c : text) {
        if (c == separator || c == '\n') {
            array.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    array.push_back(piece);
}

int GetStringPointCount(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '.'));
}

int GetStringPointIndex(const std::string& text) {
    std::u16string units = UTF16FromUTF8(text).value_or(std::u16string());
    std::size_t pos = units.find(u'.');
    if (pos == std::u16string::npos)
        return static_cast<int>(units.size()) + 1;
    return static_cast<int>(pos) + 1;
}

int GetStringLength(const std::string& text) {
    std::optional<std::u16string> units = UTF16FromUTF8(text);
    if (!units)
        return 0;
    int width = 0;
    for (char16_t u : *units)
        width += u <= 0xFF ? 1 : 2;
    return width;
}

int GetUTF8StringLength(const char* text) {
    return text ? GetStringLength(text) : 0;
}

std::string GetShortenString(const std::string& text, int maximumWidth) {
    int width = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp;
        std::size_t len = DecodeUtf8Sequence(text, pos, cp);
        if (len == 0)
            break;
        width += len == 1 ? 1 : 2;
        if (width > maximumWidth)
            break;
        pos += len;
    }
    return text.substr(0, pos);
}

int GetIntegerLength(int value) {
    return std::snprintf(nullptr, 0, "%d", value);
}

} // namespace KESTRANE_NS
