// The CUPS filter program: PostScript and the job's ticket keys in, the
// printer stream out on standard output.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "FilterEntry.h"
#include "FilterGlobals.h"
#include "WatermarkImageDecoder.h"

namespace {

// Under CUPS the document comes from pstops and goes to the backend through
// pipes. The kernel's default pipe holds 64 KiB, less than one of our blocks,
// so each block would wake the other side several times; a wider pipe halves
// the time the copy takes. Files and terminals, or a user over the limit of
// pipe memory, keep what they have.
void WidenPipe(int fd) {
    constexpr int kPipeSize = 256 * 1024;
    const int size = fcntl(fd, F_GETPIPE_SZ);
    if (size >= 0 && size < kPipeSize)
        fcntl(fd, F_SETPIPE_SZ, kPipeSize);
}

} // namespace

int main(int argc, char* argv[]) {
    // The filter runs itself afresh to decode a watermark image.
    if (const int status = WatermarkDecoderMain(argc, argv); status >= 0)
        return status;
    // CUPS always gives five or six arguments; a person asking for these gets
    // an answer on standard output.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::puts("jobfilter " KESTRANE_VERSION);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::puts("Usage: jobfilter job-id user title copies options [file]\n"
                  "The CUPS filter of the Kestrane printers: PostScript in, printer stream out.");
        return 0;
    }
    // Writes in large pieces: the document goes out in spans between trigger
    // lines, and a small buffer would turn each page into several writes.
    static char outputBuffer[128 * 1024];
    WidenPipe(STDIN_FILENO);
    WidenPipe(STDOUT_FILENO);
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    gFilterOut = stdout;
    return JobFilterMain(argc, argv);
}
