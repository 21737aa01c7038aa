#include "SpoolFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

std::string SpoolDirectory() {
    if (const char* dir = std::getenv("KESTRANE_SPOOL_DIR"); dir && *dir)
        return dir;
    return KESTRANE_SPOOL_DIR_DEFAULT;
}

int CreateSpoolFile(const std::string& prefix, const std::string& suffix, std::string& path) {
    path.clear();
    if (prefix.find('/') != std::string::npos || suffix.find('/') != std::string::npos) {
        errno = EINVAL;
        return -1;
    }
    std::string dir = SpoolDirectory();
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    std::string name = dir + "/" + prefix + "XXXXXX" + suffix;
    std::vector<char> buf(name.begin(), name.end());
    buf.push_back('\0');
    const int fd = mkostemps(buf.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0)
        return -1;
    // mkstemp makes 0600; the filter runs as another user and must read it.
    if (fchmod(fd, 0644) != 0) {
        const int err = errno;
        close(fd);
        unlink(buf.data());
        errno = err;
        return -1;
    }
    path.assign(buf.data());
    return fd;
}

int CreateSpoolTempFile(int nameLength, std::string& path) {
    path.clear();
    if (nameLength < 6 || nameLength > 64) {
        errno = EINVAL;
        return -1;
    }
    // mkstemp draws only the last six characters; the others come from the
    // system's random source.
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof kChars) - 2);
    std::string prefix;
    for (int i = 0; i < nameLength - 6; ++i)
        prefix += kChars[pick(random)];
    return CreateSpoolFile(prefix, "", path);
}
