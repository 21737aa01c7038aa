#include "WatermarkImage.h"

#include <cstdio>
#include <cstring>

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

bool WatermarkOpenImage(const char* path, WatermarkPixels* pixels, bool* decoded) {
    *pixels = WatermarkPixels{};
    *decoded = false;
    if (!IsWatermarkImagePath(path, FilterSpoolDirectory().c_str()))
        return false;
    // O_NOFOLLOW: a link in the spool directory must not lead elsewhere;
    // O_NONBLOCK: a FIFO must not hang the job.
    const int fd = open(path, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    // A hard link would let a job print a file that only the filter may read;
    // a file others may write could have been changed since the dialog made it.
    const bool ok =
        fstat(fd, &opened) == 0 && IsPrivateSpoolFile(opened) && DecodeWatermarkImage(fd, pixels);
    close(fd);
    return ok;
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
