#include "TicketText.h"

#include "PDESettingsAccess.h"
#include "kspenclib.h"

namespace KESTRANE_NS {

std::string FormTicketString(const std::string& text) {
    return EncodeEscapedTicketString(text);
}

std::string ReadTicketString(const std::string& stored) {
    if (stored.empty() || stored[0] != '/')
        return stored;
    std::string out;
    size_t pos = 0;
    while (pos < stored.size()) {
        if (stored[pos] != '/')
            return stored; // not the escaped form after all
        size_t next = stored.find('/', pos + 1);
        std::string digits =
            stored.substr(pos + 1, next == std::string::npos ? std::string::npos : next - pos - 1);
        if (digits.empty() || digits.size() > 3 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return stored;
        int value = std::stoi(digits);
        if (value > 255)
            return stored;
        out += static_cast<char>(value);
        pos = next == std::string::npos ? stored.size() : next;
    }
    return out;
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
