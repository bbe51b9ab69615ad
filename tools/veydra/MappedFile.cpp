#include "MappedFile.h"

#include <cstdio>
#include <new>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

CMappedFile::CMappedFile(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) {
        close(fd);
        return;
    }
    m_nSize = static_cast<size_t>(info.st_size);
    // All pages at once: the whole file is read, and one call is cheaper
    // than a fault for each page.
    void* mapped = mmap(nullptr, m_nSize, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (mapped != MAP_FAILED) {
        m_pData = static_cast<const uint8_t*>(mapped);
        m_bMapped = true;
        close(fd);
        return;
    }
    try {
        m_read.resize(m_nSize);
        size_t got = 0;
        while (got < m_nSize) {
            const ssize_t n = read(fd, m_read.data() + got, m_nSize - got);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        if (got == m_nSize)
            m_pData = m_read.data();
    } catch (const std::bad_alloc&) {
    }
    close(fd);
}

CMappedFile::~CMappedFile()
{
    if (m_bMapped)
        munmap(const_cast<uint8_t*>(m_pData), m_nSize);
}
