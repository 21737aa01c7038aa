// Protection of passwords and passcodes: XOR scrambling with a fixed key and
// Base64 (standard alphabet, "=" padding, no line breaks).
//
// Every routine takes input bytes with a length, an output buffer with a
// capacity and an output length it sets; it never writes past the capacity
// and never NUL-terminates.
#pragma once

namespace KESTRANE_NS {

inline constexpr int kKSPSuccess = 0;
inline constexpr int kKSPErrNullPointer = -1;    // a required pointer is null
inline constexpr int kKSPErrOutOfRange = -2;     // a length or capacity is out of range
inline constexpr int kKSPErrBufferTooSmall = -3; // the output does not fit

// Scrambles (and, applied again, unscrambles) the input. On -3 the output
// length tells how much was written before the stop.
int KSPEncrypt(const unsigned char* input, int inputLength, unsigned char* output,
               int* outputLength, int outputCapacity);

// Base64 of the input. On -3 (capacity 0 or too small) the output length
// tells the size needed.
int KSPBinToB64(const unsigned char* input, int inputLength, char* output, int* outputLength,
                int outputCapacity);

// Bytes of a Base64 text (length a multiple of 4). White space is skipped;
// decoding stops at a NUL, at "=" or at the end. On -3 the output length
// tells the size needed.
int KSPB64ToBin(const char* input, int inputLength, unsigned char* output, int* outputLength,
                int outputCapacity);

} // namespace KESTRANE_NS
