// Protection of passwords: scrambling and Base64, their limits and codes.
#include "KSPKey.h"
#include "kspenclib.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace MNTest;

namespace {

const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

std::string ToB64(const std::string& in, int capacity = 255) {
    std::vector<char> out(capacity > 0 ? capacity : 1);
    int len = -1;
    const int rc = KSPBinToB64(Bytes(in), static_cast<int>(in.size()), out.data(), &len, capacity);
    EXPECT_EQ(rc, kKSPSuccess) << in;
    return rc == kKSPSuccess ? std::string(out.data(), len) : std::string();
}

std::string FromB64(const std::string& in, int capacity = 255) {
    std::vector<unsigned char> out(capacity > 0 ? capacity : 1);
    int len = -1;
    const int rc = KSPB64ToBin(in.data(), static_cast<int>(in.size()), out.data(), &len, capacity);
    EXPECT_EQ(rc, kKSPSuccess) << in;
    return rc == kKSPSuccess ? std::string(reinterpret_cast<char*>(out.data()), len)
                             : std::string();
}

} // namespace

TEST(KSPEncrypt, ScramblesWholeWordsThenTailWithKeyBytesLeastSignificantFirst) {
    const std::array<unsigned char, 7> zeros{};
    std::array<unsigned char, 7> out{};
    int len = 0;
    ASSERT_EQ(KSPEncrypt(zeros.data(), 7, out.data(), &len, 7), kKSPSuccess);
    EXPECT_EQ(len, 7);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(out[i], static_cast<unsigned char>(kKSPScrambleKey >> (8 * i))) << i;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(out[4 + i], static_cast<unsigned char>(kKSPScrambleKey >> (8 * i))) << i;
}

TEST(KSPEncrypt, AppliedTwiceGivesTheInputBackForEveryLength) {
    std::mt19937 rng(7);
    for (int n = 1; n <= 40; ++n) {
        std::vector<unsigned char> in(n), once(n), twice(n);
        for (auto& b : in)
            b = static_cast<unsigned char>(rng());
        int len1 = 0, len2 = 0;
        ASSERT_EQ(KSPEncrypt(in.data(), n, once.data(), &len1, n), kKSPSuccess);
        ASSERT_EQ(KSPEncrypt(once.data(), n, twice.data(), &len2, n), kKSPSuccess);
        EXPECT_EQ(len1, n);
        EXPECT_EQ(twice, in) << n;
    }
}

TEST(KSPEncrypt, StopsAtCapacityWithoutWritingPastIt) {
    const std::string in = "abcdefgh9";
    std::array<unsigned char, 16> out;

    // Five bytes into four: the word fits, the tail does not.
    out.fill(0xEE);
    int len = -1;
    EXPECT_EQ(KSPEncrypt(Bytes(in), 5, out.data(), &len, 4), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(out[4], 0xEE);

    // Nine bytes into six: the second word does not fit and is not written.
    out.fill(0xEE);
    EXPECT_EQ(KSPEncrypt(Bytes(in), 9, out.data(), &len, 6), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 4);
    EXPECT_EQ(out[4], 0xEE);
    EXPECT_EQ(out[5], 0xEE);

    // Three bytes into two: nothing written.
    out.fill(0xEE);
    EXPECT_EQ(KSPEncrypt(Bytes(in), 3, out.data(), &len, 2), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(out[0], 0xEE);
}

TEST(KSPEncrypt, RejectsNullPointersAndBadLengths) {
    unsigned char in[4] = {1, 2, 3, 4};
    unsigned char out[4];
    int len = 99;
    EXPECT_EQ(KSPEncrypt(nullptr, 4, out, &len, 4), kKSPErrNullPointer);
    EXPECT_EQ(KSPEncrypt(in, 4, nullptr, &len, 4), kKSPErrNullPointer);
    EXPECT_EQ(KSPEncrypt(in, 4, out, nullptr, 4), kKSPErrNullPointer);
    EXPECT_EQ(KSPEncrypt(in, 0, out, &len, 4), kKSPErrOutOfRange);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(KSPEncrypt(in, -3, out, &len, 4), kKSPErrOutOfRange);
    EXPECT_EQ(KSPEncrypt(in, 4, out, &len, 0), kKSPErrOutOfRange);
}

TEST(KSPBase64, EncodesStandardVectorsWithPadding) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"\xff\xfe\xfd", "//79"},
        {"\x00\x10\x83"s, "ABCD"},
    };
    for (const auto& [plain, b64] : cases) {
        EXPECT_EQ(ToB64(plain), b64) << b64;
        EXPECT_EQ(FromB64(b64), plain) << b64;
    }
}

TEST(KSPBase64, ReportsTheSizeNeededWhenTheBufferIsTooSmall) {
    char out[8];
    int len = -1;
    EXPECT_EQ(KSPBinToB64(Bytes("abcd"), 4, nullptr, &len, 0), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 8);
    EXPECT_EQ(KSPBinToB64(Bytes("abcd"), 4, out, &len, 7), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 8);
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 3, out, &len, 4), kKSPSuccess);
    EXPECT_EQ(len, 4);

    unsigned char bin[8];
    EXPECT_EQ(KSPB64ToBin("Zm8=", 4, nullptr, &len, 0), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(KSPB64ToBin("Zm9vYg==", 8, bin, &len, 3), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 4);
}

TEST(KSPBase64, RejectsNullPointersAndBadLengths) {
    char out[8];
    unsigned char bin[8];
    int len = 0;
    EXPECT_EQ(KSPBinToB64(nullptr, 3, out, &len, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 3, out, nullptr, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 3, nullptr, &len, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 0, out, &len, 8), kKSPErrOutOfRange);
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 3, out, &len, -1), kKSPErrOutOfRange);
    // A length whose Base64 size overflows 32 bits is refused before any read.
    EXPECT_EQ(KSPBinToB64(Bytes("abc"), 2147483647, out, &len, 8), kKSPErrOutOfRange);

    EXPECT_EQ(KSPB64ToBin(nullptr, 4, bin, &len, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPB64ToBin("Zm9v", 4, bin, nullptr, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPB64ToBin("Zm9v", 4, nullptr, &len, 8), kKSPErrNullPointer);
    EXPECT_EQ(KSPB64ToBin("Zm9v", 0, bin, &len, 8), kKSPErrOutOfRange);
    EXPECT_EQ(KSPB64ToBin("Zm9v", 4, bin, &len, -1), kKSPErrOutOfRange);
    EXPECT_EQ(KSPB64ToBin("Zm9vY", 5, bin, &len, 8), kKSPErrOutOfRange);
    EXPECT_EQ(KSPB64ToBin("Zm9", 3, bin, &len, 8), kKSPErrOutOfRange);
}

TEST(KSPBase64, DecodingSkipsWhiteSpaceAndStopsAtNulPaddingOrForeignCharacters) {
    EXPECT_EQ(FromB64("Zm 9v\nYmFy\n\n"), "foobar");
    EXPECT_EQ(FromB64("\t Zm8=\n\n"), "fo");
    EXPECT_EQ(FromB64(std::string("Zm9v\0YmFy", 9).substr(0, 8)), "foo");
    EXPECT_EQ(FromB64("Zm8=Zm9v"), "fo");
    EXPECT_EQ(FromB64("Zm9v*mFy"), "foo");
}

TEST(KSPBase64, ManyEqualSignsNeverWritePastTheCapacity) {
    // "AAAA====" needs 2 by its padding count but holds 3 bytes of data.
    unsigned char bin[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    int len = -1;
    EXPECT_EQ(KSPB64ToBin("AAAA====", 8, bin, &len, 2), kKSPErrBufferTooSmall);
    EXPECT_EQ(len, 2);
    EXPECT_EQ(bin[2], 0xEE);
}

TEST(KSPProtection, PasswordRoundTripsThroughScramblingAndBase64UpTo189Bytes) {
    std::mt19937 rng(11);
    for (int n : {1, 2, 3, 17, 64, 188, 189}) {
        std::string password(n, '\0');
        for (char& c : password)
            c = static_cast<char>(0x20 + rng() % 0x5F);
        unsigned char scrambled[255];
        int len = 0;
        ASSERT_EQ(KSPEncrypt(Bytes(password), n, scrambled, &len, 255), kKSPSuccess);
        char b64[255];
        int b64len = 0;
        ASSERT_EQ(KSPBinToB64(scrambled, len, b64, &b64len, 255), kKSPSuccess) << n;
        EXPECT_LE(b64len, 255);

        unsigned char back[255];
        int backLen = 0;
        ASSERT_EQ(KSPB64ToBin(b64, b64len, back, &backLen, 255), kKSPSuccess);
        unsigned char plain[255];
        int plainLen = 0;
        ASSERT_EQ(KSPEncrypt(back, backLen, plain, &plainLen, 255), kKSPSuccess);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(plain), plainLen), password) << n;
    }

    // One byte more no longer fits the 255-character ticket buffer.
    const std::string tooLong(190, 'x');
    unsigned char scrambled[255];
    int len = 0;
    ASSERT_EQ(KSPEncrypt(Bytes(tooLong), 190, scrambled, &len, 255), kKSPSuccess);
    char b64[255];
    int b64len = 0;
    EXPECT_EQ(KSPBinToB64(scrambled, len, b64, &b64len, 255), kKSPErrBufferTooSmall);
    EXPECT_EQ(b64len, 256);
}
