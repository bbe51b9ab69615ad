#include "FileBytes.h"

#include <algorithm>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadFileBytes(const std::string& path, LargeVector<uint8_t>& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(info.st_size));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    size_t got = 0;
    while (ok && got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            ok = false;
        else
            got += static_cast<size_t>(n);
    }
    // Grown since: what was read is not the whole file.
    char more = 0;
    ok = ok && read(fd, &more, 1) == 0;
    close(fd);
    return ok;
}

bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>& bytes)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
    bytes.resize(ok ? std::min(count, static_cast<size_t>(info.st_size)) : 0);
    size_t got = 0;
    while (ok && got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            ok = false;
        else
            got += static_cast<size_t>(n);
    }
    close(fd);
    return ok;
}
