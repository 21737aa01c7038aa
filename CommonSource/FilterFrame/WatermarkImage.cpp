#include "WatermarkImage.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "SpoolDirectory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsWatermarkImagePath(const char* path, const char* spoolDir) {
    if (!path || !spoolDir)
        return false;
    const size_t dirLength = std::strlen(spoolDir);
    if (std::strncmp(path, spoolDir, dirLength) != 0 || path[dirLength] != '/')
        return false;
    const char* name = path + dirLength + 1;
    if (*name == '\0' || std::strchr(name, '/'))
        return false;
    return std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0;
}

namespace {

// The library's readers print their header fields to standard error; the
// filter writes no messages, so they go to /dev/null while the file is read.
cups_image_t* OpenQuietly(const char* path) {
    std::fflush(stderr);
    const int savedError = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const bool silenced = savedError >= 0 && null >= 0 && dup2(null, STDERR_FILENO) >= 0;
    if (null >= 0)
        close(null);
    cups_image_t* image = cupsImageOpen(path, CUPS_IMAGE_RGB, CUPS_IMAGE_WHITE, 100, 0, nullptr);
    if (silenced) {
        std::fflush(stderr);
        dup2(savedError, STDERR_FILENO);
    }
    if (savedError >= 0)
        close(savedError);
    return image;
}

} // namespace

cups_image_t* WatermarkOpenImage(const char* path) {
    if (!IsWatermarkImagePath(path, FilterSpoolDirectory().c_str()))
        return nullptr;
    // O_NOFOLLOW: a link in the spool directory must not lead elsewhere;
    // O_NONBLOCK: a FIFO must not hang the job.
    const int fd = open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    cups_image_t* image = nullptr;
    struct stat opened {};
    // A hard link would let a job print a file that only the filter may read;
    // a file others may write could have been changed since the dialog made it.
    if (fstat(fd, &opened) == 0 && IsPrivateSpoolFile(opened)) {
        // The library opens by name; the descriptor's own name is the file
        // already checked, whatever happens to the path meanwhile.
        const std::string byDescriptor = "/proc/self/fd/" + std::to_string(fd);
        struct stat viaProc {};
        if (stat(byDescriptor.c_str(), &viaProc) == 0 && viaProc.st_dev == opened.st_dev &&
            viaProc.st_ino == opened.st_ino) {
            image = OpenQuietly(byDescriptor.c_str());
        }
    }
    close(fd);
    if (image && (cupsImageGetDepth(image) != 3 || cupsImageGetWidth(image) == 0 ||
                  cupsImageGetHeight(image) == 0)) {
        cupsImageClose(image);
        image = nullptr;
    }
    return image;
}

void WatermarkWriteHex(FILE* out, const unsigned char* data, size_t count, int* column) {
    static const char kDigits[] = "0123456789ABCDEF";
    char chunk[4096];
    size_t used = 0;
    for (size_t i = 0; i < count; ++i) {
        chunk[used++] = kDigits[data[i] >> 4];
        chunk[used++] = kDigits[data[i] & 0x0F];
        *column += 2;
        if (*column > 78) {
            chunk[used++] = '\n';
            *column = 0;
        }
        if (used > sizeof chunk - 3) {
            std::fwrite(chunk, 1, used, out);
            used = 0;
        }
    }
    if (used)
        std::fwrite(chunk, 1, used, out);
}
