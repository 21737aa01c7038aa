#include "kspenclib.h"

#include "KSPKey.h"

#include <climits>
#include <cstdint>

namespace KESTRANE_NS {

namespace {

const char kB64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int B64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool IsB64Space(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

} // namespace

int KSPEncrypt(const unsigned char* input, int inputLength, unsigned char* output,
               int* outputLength, int outputCapacity) {
    if (!input || !output || !outputLength)
        return kKSPErrNullPointer;
    *outputLength = 0;
    if (inputLength < 1 || outputCapacity < 1)
        return kKSPErrOutOfRange;

    const int whole = inputLength / 4 * 4;
    int pos = 0;
    for (; pos < whole; pos += 4) {
        // Checked before writing: a group that does not fit is not written.
        if (*outputLength + 4 > outputCapacity)
            return kKSPErrBufferTooSmall;
        std::uint32_t w = static_cast<std::uint32_t>(input[pos]) |
                          static_cast<std::uint32_t>(input[pos + 1]) << 8 |
                          static_cast<std::uint32_t>(input[pos + 2]) << 16 |
                          static_cast<std::uint32_t>(input[pos + 3]) << 24;
        w ^= kKSPScrambleKey;
        for (int i = 0; i < 4; ++i)
            output[pos + i] = static_cast<unsigned char>(w >> (8 * i));
        *outputLength += 4;
    }
    const int tail = inputLength - whole;
    if (tail == 0)
        return kKSPSuccess;
    if (*outputLength + tail > outputCapacity)
        return kKSPErrBufferTooSmall;
    for (int i = 0; i < tail; ++i)
        output[pos + i] = static_cast<unsigned char>(input[pos + i] ^ (kKSPScrambleKey >> (8 * i)));
    *outputLength += tail;
    return kKSPSuccess;
}

int KSPBinToB64(const unsigned char* input, int inputLength, char* output, int* outputLength,
                int outputCapacity) {
    if (!input || !outputLength || (outputCapacity > 0 && !output))
        return kKSPErrNullPointer;
    if (inputLength < 1 || outputCapacity < 0)
        return kKSPErrOutOfRange;
    const long long needed = 4LL * (inputLength / 3) + (inputLength % 3 != 0 ? 4 : 0);
    if (needed > INT_MAX)
        return kKSPErrOutOfRange;
    if (outputCapacity == 0 || outputCapacity < needed) {
        *outputLength = static_cast<int>(needed);
        return kKSPErrBufferTooSmall;
    }

    int out = 0;
    int i = 0;
    for (; i + 3 <= inputLength; i += 3) {
        const std::uint32_t v = static_cast<std::uint32_t>(input[i]) << 16 |
                                static_cast<std::uint32_t>(input[i + 1]) << 8 | input[i + 2];
        output[out++] = kB64Alphabet[(v >> 18) & 0x3F];
        output[out++] = kB64Alphabet[(v >> 12) & 0x3F];
        output[out++] = kB64Alphabet[(v >> 6) & 0x3F];
        output[out++] = kB64Alphabet[v & 0x3F];
    }
    const int rest = inputLength - i;
    if (rest > 0) {
        std::uint32_t v = static_cast<std::uint32_t>(input[i]) << 16;
        if (rest == 2)
            v |= static_cast<std::uint32_t>(input[i + 1]) << 8;
        output[out++] = kB64Alphabet[(v >> 18) & 0x3F];
        output[out++] = kB64Alphabet[(v >> 12) & 0x3F];
        output[out++] = rest == 2 ? kB64Alphabet[(v >> 6) & 0x3F] : '=';
        output[out++] = '=';
    }
    *outputLength = out;
    return kKSPSuccess;
}

int KSPB64ToBin(const char* input, int inputLength, unsigned char* output, int* outputLength,
                int outputCapacity) {
    if (!input || !outputLength || (outputCapacity > 0 && !output))
        return kKSPErrNullPointer;
    if (inputLength <= 0 || outputCapacity < 0 || inputLength % 4 != 0)
        return kKSPErrOutOfRange;
    int padding = 0;
    for (int i = inputLength - 1; i >= 0 && input[i] == '='; --i)
        ++padding;
    long long needed = 3LL * (inputLength / 4) - padding;
    if (needed < 0)
        needed = 0;
    if (outputCapacity == 0 || outputCapacity < needed) {
        *outputLength = static_cast<int>(needed);
        return kKSPErrBufferTooSmall;
    }

    int out = 0;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (int i = 0; i < inputLength; ++i) {
        const auto c = static_cast<unsigned char>(input[i]);
        if (c == '\0' || c == '=')
            break;
        if (IsB64Space(c))
            continue;
        const int v = B64Value(c);
        if (v < 0) // not Base64: the text ends here
            break;
        bits = (bits << 6) | static_cast<std::uint32_t>(v);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            if (out >= outputCapacity) { // more "=" than padding shrank the estimate
                *outputLength = out;
                return kKSPErrBufferTooSmall;
            }
            output[out++] = static_cast<unsigned char>(bits >> bitCount);
            bits &= (1u << bitCount) - 1;
        }
    }
    *outputLength = out;
    return kKSPSuccess;
}

} // namespace KESTRANE_NS
