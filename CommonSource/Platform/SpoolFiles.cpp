#include "SpoolFiles.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
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
