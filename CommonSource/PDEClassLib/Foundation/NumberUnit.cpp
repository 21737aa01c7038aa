#include "NumberUnit.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

namespace {

// Reads the text's decimal number the way the fields do (leading blanks and a
// sign allowed, stops at the first non-digit, 0 for none), saturating.
long ReadLong(const char* text) {
    return std::strtol(text, nullptr, 10);
}

int ClampToInt(long long value) {
    if (value > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (value < -0x7FFFFFFF - 1)
        return -0x7FFFFFFF - 1;
    return static_cast<int>(value);
}

// Millimetre text as tenths: the first 32 bytes; a point among the first 30
// characters is dropped and the digits read, otherwise the value times 10.
double MillimetreTenths(const std::string& text) {
    std::string head = text.substr(0, 31);
    std::size_t point = head.find('.');
    if (point != std::string::npos && point < 30) {
        head.erase(point, 1);
        return static_cast<double>(ReadLong(head.c_str()));
    }
    return static_cast<double>(ReadLong(head.c_str())) * 10.0;
}

// r's digits with "." before the last d digits.
std::string WithDecimals(int r, int d) {
    std::string digits = std::to_string(r < 0 ? -static_cast<long long>(r) : r);
    if (d > 0) {
        if (static_cast<int>(digits.size()) <= d)
            digits.insert(0, static_cast<std::size_t>(d) - digits.size() + 1, '0');
        digits.insert(digits.size() - static_cast<std::size_t>(d), ".");
    }
    return (r < 0 ? "-" : "") + digits;
}

} // namespace

char* itoa(int value, char* buffer, int bufferSize) {
    if (!buffer || bufferSize < 2)
        return nullptr;
    unsigned int v = value < 0 ? 0u - static_cast<unsigned int>(value) : value;
    int pos = bufferSize - 1;
    buffer[pos] = '\0';
    do {
        if (pos == 0)
            return nullptr;
        buffer[--pos] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    return buffer + pos;
}

void numstrtochar(char* text, std::size_t bufferSize) {
    if (!text || bufferSize == 0 || text[0] != '/')
        return;
    const std::size_t len = strnlen(text, bufferSize);
    std::size_t p = 1, w = 0;
    while (p < len) {
        unsigned long value = 0;
        bool digits = true;
        std::size_t e = p;
        for (; e < len && text[e] != '/'; ++e) {
            digits = digits && text[e] >= '0' && text[e] <= '9';
            if (digits && value < 1000)
                value = value * 10 + static_cast<unsigned long>(text[e] - '0');
        }
        text[w] = value >= 1 && value <= 255 ? static_cast<char>(value) : '\0';
        ++w;
        if (w < bufferSize)
            text[w] = '\0';
        p = e + 1;
    }
}

void ConvertIntToFloatStr(int tenths, char* output, std::size_t size) {
    if (!output || size == 0)
        return;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%d", tenths);
    std::string text(digits);
    const bool negative = text[0] == '-';
    std::string body = negative ? text.substr(1) : text;
    if (body.size() == 1)
        body.insert(0, "0");
    body.insert(body.size() - 1, ".");
    text = (negative ? "-" : "") + body;
    std::strncpy(output, text.c_str(), size - 1);
    output[size - 1] = '\0';
}

int ConvertFloatStrToInt(const char* text) {
    if (!text)
        return 0;
    std::string s(text, strnlen(text, 255));
    if (s.size() < 2)
        return ClampToInt(static_cast<long long>(ReadLong(s.c_str())) * 10);
    std::size_t point = s.find('.');
    if (point != std::string::npos) {
        s.erase(point, 1);
        return ClampToInt(ReadLong(s.c_str()));
    }
    std::size_t first = s.find_first_not_of('0');
    s = first == std::string::npos ? "0" : s.substr(first);
    return ClampToInt(static_cast<long long>(ReadLong(s.c_str())) * 10);
}

int GetMillimetreFromStr(const std::string& text) {
    return ClampToInt(static_cast<long long>(MillimetreTenths(text)));
}

std::optional<std::string> TransformMillimetreToInchs(const std::string* millimetres) {
    if (!millimetres)
        return std::nullopt;
    const double tenths = MillimetreTenths(*millimetres);
    // 2.54 as the single-precision value it was stored as, widened.
    const double inchHundredths = std::nearbyint(tenths / static_cast<double>(2.54f));
    const long long r = std::llabs(static_cast<long long>(inchHundredths));
    char text[64];
    std::snprintf(text, sizeof text, "%lld.%lld%lld", r / 100, (r / 10) % 10, r % 10);
    return std::string(text);
}

int TransformPointByType(std::string* output, double points, int decimals, int type) {
    if (type != 0 && type != 1)
        return -1;
    const double n = points * std::pow(10.0, decimals);
    int r;
    if (type == 0) {
        r = static_cast<int>(n / 72.0 + 0.5);
    } else {
        const int t = static_cast<int>(n * 25.4 / 72.0 + 5.0);
        r = t / 10 * 10;
    }
    if (output)
        *output = WithDecimals(r, decimals);
    return r;
}

void filterHeadZero(char* text) {
    if (!text)
        return;
    std::size_t zeros = std::strspn(text, "0");
    if (zeros > 0)
        std::memmove(text, text + zeros, std::strlen(text + zeros) + 1);
}

} // namespace KESTRANE_NS
