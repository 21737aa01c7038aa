#include "WatermarkImageDecoder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include <cupsfilters/image.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WatermarkImageFormat.h"

#if defined(__SANITIZE_ADDRESS__)
#define KESTRANE_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KESTRANE_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

constexpr uint64_t kHeaderBytes = 8;
// A decoder gets this much CPU time and, with the filter waiting, wall time.
constexpr rlim_t kDecodeCpuSeconds = 3;
constexpr int kDecodeWallMilliseconds = 5000;

bool WriteAt(int fd, const void* data, size_t count, uint64_t offset) {
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        ssize_t put = pwrite(fd, p, count, static_cast<off_t>(offset));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        p += put;
        count -= static_cast<size_t>(put);
        offset += static_cast<uint64_t>(put);
    }
    return true;
}

// Rows go into the output file at their place; the size header first.
class FileSink : public WatermarkRowSink {
public:
    explicit FileSink(int fd) : fd_(fd) {}
    bool Size(uint32_t width, uint32_t height) override {
        if (width == 0 || height == 0 ||
            static_cast<uint64_t>(width) * height > kWatermarkMaxPixels)
            return false;
        width_ = width;
        unsigned char header[kHeaderBytes];
        for (int i = 0; i < 4; ++i) {
            header[i] = static_cast<unsigned char>(width >> (8 * i));
            header[4 + i] = static_cast<unsigned char>(height >> (8 * i));
        }
        return WriteAt(fd_, header, sizeof header, 0);
    }
    bool Row(uint32_t y, const unsigned char* rgb) override {
        const uint64_t rowBytes = 3ull * width_;
        return WriteAt(fd_, rgb, rowBytes, kHeaderBytes + rowBytes * y);
    }

private:
    int fd_;
    uint32_t width_ = 0;
};

// Everything else the image library reads (GIF, PNM, SGI, Sun raster, ...).
bool ReadWithLibrary(int imageFd, WatermarkRowSink& sink) {
    const std::string byDescriptor = "/proc/self/fd/" + std::to_string(imageFd);
    cups_image_t* image =
        cupsImageOpen(byDescriptor.c_str(), CUPS_IMAGE_RGB, CUPS_IMAGE_WHITE, 100, 0, nullptr);
    if (!image)
        return false;
    const unsigned width = cupsImageGetWidth(image), height = cupsImageGetHeight(image);
    bool ok = cupsImageGetDepth(image) == 3 && sink.Size(width, height);
    std::vector<cups_ib_t> row(ok ? 3ull * width : 0);
    for (unsigned y = 0; ok && y < height; ++y) {
        // A row the library fills only in part stays white where it did not
        // write, never the previous row.
        std::fill(row.begin(), row.end(), 0xFF);
        ok = cupsImageGetRow(image, 0, static_cast<int>(y), static_cast<int>(width), row.data()) ==
                 0 &&
             sink.Row(y, row.data());
    }
    cupsImageClose(image);
    return ok;
}

void Limit(int resource, rlim_t value) {
    struct rlimit limit = {value, value};
    setrlimit(resource, &limit);
}

// The decoder process's descriptors: the image, /dev/null for the standard
// output and error (a library's message must not reach the picture), the
// "done" pipe held until the end, and the picture.
constexpr int kDecoderImageFd = 0;
constexpr int kDecoderDoneFd = 3;
constexpr int kDecoderOutFd = 4;

// The forked child: descriptors in their places and nothing else of the
// filter's open, limits, then the filter program afresh. Only calls safe
// after fork in a process that may hold locks.
[[noreturn]] void ExecDecoder(int imageFd, int outFd, int doneFd, char* const argv[],
                              char* const envp[]) {
    const int image = fcntl(imageFd, F_DUPFD, 10), out = fcntl(outFd, F_DUPFD, 10),
              done = fcntl(doneFd, F_DUPFD, 10), null = open("/dev/null", O_RDWR);
    if (image < 0 || out < 0 || done < 0 || null < 0 || dup2(image, kDecoderImageFd) < 0 ||
        dup2(null, STDOUT_FILENO) < 0 || dup2(null, STDERR_FILENO) < 0 ||
        dup2(done, kDecoderDoneFd) < 0 || dup2(out, kDecoderOutFd) < 0)
        _exit(127);
    if (close_range(kDecoderOutFd + 1, ~0u, 0) != 0) {
        for (int fd = kDecoderOutFd + 1; fd < 4096; ++fd)
            close(fd);
    }
    struct rlimit cpu = {kDecodeCpuSeconds, kDecodeCpuSeconds + 1};
    setrlimit(RLIMIT_CPU, &cpu);
    Limit(RLIMIT_FSIZE, kHeaderBytes + 3 * kWatermarkMaxPixels);
    Limit(RLIMIT_CORE, 0);
#ifndef KESTRANE_ADDRESS_SANITIZER
    // Address space of the decoder: the picture's rows plus the library's own
    // tiles and tables. (The sanitizer's shadow memory alone is far larger.)
    Limit(RLIMIT_AS, 512ull << 20);
#endif
    execve("/proc/self/exe", argv, envp);
    _exit(127);
}

// Waits for the child, at most the wall-time limit; a child still running
// then is killed. True when it ended with status 0.
bool WaitForChild(pid_t pid, int doneFd) {
    struct pollfd done = {doneFd, POLLIN, 0};
    int ready;
    do
        ready = poll(&done, 1, kDecodeWallMilliseconds);
    while (ready < 0 && errno == EINTR);
    if (ready == 0)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    return ready > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The decoder's environment: nothing of the job's (a device URI may hold a
// password), only where temporary files go and the sanitizers' settings.
std::vector<std::string> DecoderEnvironment() {
    std::vector<std::string> kept;
    for (const char* name : {"TMPDIR", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (const char* value = std::getenv(name))
            kept.push_back(std::string(name) + "=" + value);
    }
    return kept;
}

} // namespace

const char kWatermarkDecoderArgument[] = "--kestrane-decode-watermark-image";

int WatermarkDecoderMain(int argc, char* argv[]) {
    if (argc != 3 || std::strcmp(argv[1], kWatermarkDecoderArgument) != 0)
        return -1;
    FileSink sink(kDecoderOutFd);
    const bool ok = std::strcmp(argv[2], "bmp") == 0 ? ReadWatermarkBmp(kDecoderImageFd, sink)
                                                     : ReadWithLibrary(kDecoderImageFd, sink);
    return ok ? 0 : 1;
}

bool DecodeWatermarkImage(int imageFd, WatermarkPixels* pixels) {
    *pixels = WatermarkPixels{};
    unsigned char head[256] = {};
    const ssize_t got = pread(imageFd, head, sizeof head, 0);
    struct stat file {};
    if (got <= 0 || fstat(imageFd, &file) != 0)
        return false;
    const WatermarkImageKind kind = WatermarkImageKindOf(head, static_cast<size_t>(got));
    if (kind == WatermarkImageKind::Refused ||
        (kind == WatermarkImageKind::Other &&
         !WatermarkImageSizeAllowed(head, static_cast<size_t>(got),
                                    static_cast<uint64_t>(file.st_size))))
        return false;

    const int outFd = memfd_create("kestrane-watermark", MFD_CLOEXEC);
    if (outFd < 0)
        return false;
    // The child keeps the write end open until it ends, whichever way.
    int donePipe[2];
    if (pipe2(donePipe, O_CLOEXEC) != 0) {
        close(outFd);
        return false;
    }
    // With SIGCHLD ignored (as a parent may leave it) the child would be
    // reaped unseen and its status lost.
    struct sigaction defaultChild {
    }, savedChild{};
    defaultChild.sa_handler = SIG_DFL;
    sigaction(SIGCHLD, &defaultChild, &savedChild);
    // Everything the child needs is made before the fork.
    char program[] = "jobfilter", argument[sizeof kWatermarkDecoderArgument], bmp[] = "bmp",
         library[] = "library";
    std::memcpy(argument, kWatermarkDecoderArgument, sizeof argument);
    char* const argv[] = {program, argument, kind == WatermarkImageKind::Bmp ? bmp : library,
                          nullptr};
    std::vector<std::string> environment = DecoderEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0)
        ExecDecoder(imageFd, outFd, donePipe[1], argv, envp.data());
    close(donePipe[1]);
    const bool decoded = pid > 0 && WaitForChild(pid, donePipe[0]);
    close(donePipe[0]);
    sigaction(SIGCHLD, &savedChild, nullptr);

    unsigned char header[kHeaderBytes];
    struct stat info {};
    bool ok = decoded && pread(outFd, header, sizeof header, 0) == sizeof header &&
              fstat(outFd, &info) == 0;
    if (ok) {
        for (int i = 3; i >= 0; --i) {
            pixels->width = (pixels->width << 8) | header[i];
            pixels->height = (pixels->height << 8) | header[4 + i];
        }
        const uint64_t want = kHeaderBytes + 3ull * pixels->width * pixels->height;
        ok = pixels->width > 0 && pixels->height > 0 &&
             static_cast<uint64_t>(pixels->width) * pixels->height <= kWatermarkMaxPixels &&
             static_cast<uint64_t>(info.st_size) == want;
    }
    if (!ok) {
        close(outFd);
        *pixels = WatermarkPixels{};
        return false;
    }
    pixels->fd = outFd;
    return true;
}

bool ReadWatermarkRows(const WatermarkPixels& pixels, uint32_t y, uint32_t count,
                       unsigned char* rgb) {
    const uint64_t rowBytes = 3ull * pixels.width;
    return WatermarkReadAt(pixels.fd, rgb, rowBytes * count, kHeaderBytes + rowBytes * y);
}
