// The CUPS filter program: PostScript and the job's ticket keys in, the
// printer stream out on standard output.
#include <cstdio>

#include "FilterEntry.h"
#include "FilterGlobals.h"
#include "WatermarkImageDecoder.h"

int main(int argc, char* argv[]) {
    // The filter runs itself afresh to decode a watermark image.
    if (const int status = WatermarkDecoderMain(argc, argv); status >= 0)
        return status;
    // Writes in large pieces: the document goes out in spans between trigger
    // lines, and a small buffer would turn each page into several writes.
    static char outputBuffer[128 * 1024];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    gFilterOut = stdout;
    return JobFilterMain(argc, argv);
}
