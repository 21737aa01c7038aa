// Fuzzes the escaped ticket string decoder and the Latin-1 conversion on
// buffers of every size the ticket tables use. The first input byte picks the
// buffer size; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "UtilityFunctionFilter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int kSizes[] = {5, 6, 10, 17, 25, 30, 33, 46, 65, 100, 256};
    if (size == 0)
        return 0;
    const int destSize = kSizes[data[0] % (sizeof kSizes / sizeof kSizes[0])];
    ++data;
    --size;

    // The decoder works in place on the NUL-terminated text; the decoded text
    // is never longer than the escaped one.
    std::vector<char> text(data, data + size);
    text.push_back(0);
    const size_t before = strlen(text.data());
    numstrtochar(text.data(), static_cast<int>(text.size()));
    if (strlen(text.data()) > before)
        __builtin_trap();

    // Exactly-sized destination so ASan sees any write past it.
    std::vector<char> dest(destSize, 'x');
    const int len = ConvertUTF8ToEncoding(text.data(), dest.data(), destSize);
    if (len < 0 || len >= destSize || dest[len] != 0 || strlen(dest.data()) != size_t(len))
        __builtin_trap();
    return 0;
}
