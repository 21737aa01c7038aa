#include "TicketText.h"

#include "kspenclib.h"

namespace KESTRANE_NS {

bool IsTicketStringNeedEscape(const std::string& text) {
    if (!text.empty() && text[0] == '/')
        return true;
    return text.find_first_of("',\\") != std::string::npos;
}

std::string EscapeTicketString(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 4);
    for (unsigned char c : text) {
        out += '/';
        out += std::to_string(static_cast<unsigned>(c));
    }
    return out;
}

std::string FormTicketString(const std::string& text) {
    return IsTicketStringNeedEscape(text) ? EscapeTicketString(text) : text;
}

bool FormProtectedTicketString(const std::string& text, std::string& out) {
    out.clear();
    if (text.empty())
        return true;
    constexpr int kCapacity = 255;
    unsigned char scrambled[kCapacity];
    int scrambledLength = 0;
    const std::string input = text.substr(0, kCapacity);
    if (KSPEncrypt(reinterpret_cast<const unsigned char*>(input.data()),
                   static_cast<int>(input.size()), scrambled, &scrambledLength,
                   kCapacity) != kKSPSuccess)
        return false;
    char base64[kCapacity];
    int base64Length = 0;
    if (KSPBinToB64(scrambled, scrambledLength, base64, &base64Length, kCapacity) != kKSPSuccess)
        return false;
    out.assign(base64, static_cast<size_t>(base64Length));
    return true;
}

} // namespace KESTRANE_NS
