// The filter tests' main: like the filter program, the binary runs as the
// watermark image decoder when the filter under test starts it so.
#include <gtest/gtest.h>

#include "WatermarkImageDecoder.h"

int main(int argc, char* argv[]) {
    if (const int status = WatermarkDecoderMain(argc, argv); status >= 0)
        return status;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
