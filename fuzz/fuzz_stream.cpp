// Fuzzes a whole filter run in-process. The input is
//   user LF title LF job-options LF document...
// The document goes through a file (argument 6), the printer stream into
// memory, which is then checked: the PJL header is made only of "@PJL SET"
// lines (no value can start a line of its own) and the stream ends with
// Control-D. A job ticket and a watermark image wait in a fixed spool
// directory so option strings can reach them (see fuzz_stream.dict).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "FilterEntry.h"
#include "FilterGlobals.h"

namespace {

constexpr const char* kSpool = "/tmp/kestrane-fuzz-spool";
constexpr const char* kTicket = "/tmp/kestrane-fuzz-spool/ABCDEFGHIJ1234";
constexpr const char* kImage = "/tmp/kestrane-fuzz-spool/wm.bmp";
std::string gDocPath;

void WriteFile(const char* path, const void* data, size_t size) {
    FILE* f = fopen(path, "wb");
    if (!f)
        abort();
    fwrite(data, 1, size, f);
    fclose(f);
}

// A 3 x 2 pixel, 24-bit BMP.
void WriteImage() {
    unsigned char bmp[54 + 2 * 12] = {'B', 'M'};
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; i++)
            bmp[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(2, sizeof bmp);
    put32(10, 54);
    put32(14, 40);
    put32(18, 3);
    put32(22, 2);
    bmp[26] = 1;
    bmp[28] = 24;
    put32(34, 24);
    for (size_t i = 54; i < sizeof bmp; i++)
        bmp[i] = static_cast<unsigned char>(i * 37);
    WriteFile(kImage, bmp, sizeof bmp);
}

void Fail(const char* what) {
    fprintf(stderr, "fuzz_stream: %s\n", what);
    abort();
}

// Takes the text up to the next LF off the front of in.
std::string TakeLine(std::string_view& in) {
    size_t end = in.find('\n');
    std::string line(in.substr(0, end));
    in.remove_prefix(end == std::string_view::npos ? in.size() : end + 1);
    return line;
}

void CheckStream(std::string_view out) {
    static const std::string_view kHead = "\x1b%-12345X@PJL JOB MODE=PRINTER\r\n";
    static const std::string_view kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    size_t head = out.find(kHead);
    if (head == std::string_view::npos)
        Fail("no PJL head line");
    size_t enter = out.find(kEnter, head);
    if (enter == std::string_view::npos)
        Fail("no ENTER LANGUAGE line");
    std::string_view pjl = out.substr(head + kHead.size(), enter - head - kHead.size());
    while (!pjl.empty()) {
        size_t lf = pjl.find('\n');
        if (lf == std::string_view::npos)
            Fail("PJL line without line end");
        std::string_view line = pjl.substr(0, lf);
        if (line.substr(0, 9) != "@PJL SET ")
            Fail("PJL header line that is not a SET command");
        if (line.find('\r') != std::string_view::npos && line.find('\r') != line.size() - 1)
            Fail("CR inside a PJL line");
        pjl.remove_prefix(lf + 1);
    }
    if (out.back() != '\x04')
        Fail("stream does not end with Control-D");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    mkdir(kSpool, 0755);
    setenv("KESTRANE_SPOOL_DIR", kSpool, 1);
    WriteImage();
    char path[] = "/tmp/kestrane-fuzz-doc.XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0)
        abort();
    close(fd);
    gDocPath = path;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string user = TakeLine(in);
    std::string title = TakeLine(in);
    std::string options = TakeLine(in);
    WriteFile(gDocPath.c_str(), in.data(), in.size());
    struct stat st;
    if (stat(kTicket, &st) != 0) {
        static const char ticket[] = "<?xml version=\"1.0\"?><kpif/>\n";
        WriteFile(kTicket, ticket, sizeof ticket - 1);
    }

    char* buffer = nullptr;
    size_t length = 0;
    gFilterOut = open_memstream(&buffer, &length);
    if (!gFilterOut)
        abort();
    char prog[] = "kst", job[] = "1", copies[] = "1";
    char* argv[] = {prog,   job, user.data(), title.data(), copies, options.data(), gDocPath.data(),
                    nullptr};
    ResetFilterState();
    JobFilterMain(7, argv);
    fclose(gFilterOut);
    gFilterOut = nullptr;
    CheckStream(std::string_view(buffer, length));
    free(buffer);
    return 0;
}
