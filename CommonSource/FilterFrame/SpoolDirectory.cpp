#include "SpoolDirectory.h"

#include <cstdlib>
#include <cstring>

#ifndef KESTRANE_SPOOL_DIR_DEFAULT
#define KESTRANE_SPOOL_DIR_DEFAULT "/var/spool/kestrane"
#endif

std::string FilterSpoolDirectory() {
    const char* env = std::getenv("KESTRANE_SPOOL_DIR");
    std::string dir = (env && *env) ? env : KESTRANE_SPOOL_DIR_DEFAULT;
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

bool IsSpoolTicketPath(const char* path) {
    const std::string dir = FilterSpoolDirectory();
    if (dir.empty() || dir.front() != '/')
        return false;
    const std::string prefix = dir == "/" ? dir : dir + "/";
    if (std::strncmp(path, prefix.c_str(), prefix.size()) != 0)
        return false;
    const char* name = path + prefix.size();
    size_t length = 0;
    for (; name[length]; ++length) {
        char c = name[length];
        bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum)
            return false;
    }
    return length == 14;
}

bool IsPrivateSpoolFile(const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_nlink == 1 && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}
