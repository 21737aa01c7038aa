#include "PDETextUnits.h"

namespace KESTRANE_NS {

bool DecodeUtf8(const std::string& bytes, std::u32string& out) {
    out.clear();
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n;) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        std::size_t len = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (b0 < 0x80) {
            out += b0;
            ++i;
            continue;
        } else if ((b0 & 0xE0) == 0xC0) {
            len = 2, cp = b0 & 0x1F, min = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3, cp = b0 & 0x0F, min = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4, cp = b0 & 0x07, min = 0x10000;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(bytes[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return false;
        out += cp;
        i += len;
    }
    return true;
}

std::string EncodeUtf8(const std::u32string& chars) {
    std::string out;
    for (const char32_t cp : chars) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

void CutToUtf16Units(std::u32string& chars, std::size_t units) {
    std::size_t used = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const std::size_t need = chars[i] >= 0x10000 ? 2 : 1;
        if (used + need > units) {
            chars.resize(i);
            return;
        }
        used += need;
    }
}

std::string CutUtf8ToBytes(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes)
        return text;
    std::size_t end = bytes;
    // A continuation byte right after the cut means a sequence straddles it.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace KESTRANE_NS
