#include "PDETextUnits.h"

#include "Utf8Codec.h"

namespace KESTRANE_NS {

bool DecodeUtf8(const std::string& bytes, std::u32string& out) {
    out.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        const std::size_t len = DecodeUtf8Sequence(bytes, i, cp);
        if (len == 0)
            return false;
        out += cp;
        i += len;
    }
    return true;
}

std::string EncodeUtf8(const std::u32string& chars) {
    std::string out;
    for (const char32_t cp : chars)
        AppendUtf8(out, cp);
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
