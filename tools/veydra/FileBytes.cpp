#include "FileBytes.h"

#include <algorithm>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A regular file that is not empty, open for reading, and its size; -1
// for anything else.
int OpenRegularFile(const std::string& path, size_t& size)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        close(fd);
        return -1;
    }
    size = static_cast<size_t>(info.st_size);
    return fd;
}

bool ReadExactly(int fd, uint8_t* data, size_t size)
{
    size_t got = 0;
    while (got < size) {
        const ssize_t n = read(fd, data + got, size - got);
        if (n <= 0)
            return false;
        got += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, LargeVector<uint8_t>& bytes)
{
    size_t size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0)
        return false;
    bool ok = true;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    // Grown since: what was read is not the whole file.
    char more = 0;
    ok = ok && ReadExactly(fd, bytes.data(), size) && read(fd, &more, 1) == 0;
    close(fd);
    return ok;
}

bool ReadFileStart(const std::string& path, size_t count, std::vector<uint8_t>& bytes)
{
    size_t size = 0;
    const int fd = OpenRegularFile(path, size);
    if (fd < 0)
        return false;
    bytes.resize(std::min(count, size));
    const bool ok = ReadExactly(fd, bytes.data(), bytes.size());
    close(fd);
    return ok;
}
