// A file's bytes in memory for reading: mapped where the system allows it
// (no copy, and the pages come straight from the file cache), read whole
// otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CMappedFile {
public:
    // Never throws for the file: Ok() tells whether its bytes are there
    // (false for a missing, unreadable or empty file, or a directory).
    explicit CMappedFile(const std::string& path);
    ~CMappedFile();
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    bool Ok() const { return m_pData != nullptr; }
    const uint8_t* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }

private:
    const uint8_t* m_pData = nullptr;
    size_t m_nSize = 0;
    bool m_bMapped = false;
    std::vector<uint8_t> m_read;
};
