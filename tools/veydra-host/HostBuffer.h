// A pixel buffer the test host hands to a plug-in.
//
// Guarded, the buffer's last byte sits right before a page the process may
// not touch (VirtualAlloc, then VirtualProtect with PAGE_NOACCESS), so a
// plug-in that reads or writes one byte past what it was given faults at
// once instead of quietly using the host's memory; a filled input buffer
// can also be made read-only, so a write into it faults too. Unguarded it is
// plain heap memory, as most hosts hand out.
#pragma once

#include <cstddef>
#include <cstdint>

class CHostBuffer {
public:
    CHostBuffer() = default;
    ~CHostBuffer() { Release(); }
    CHostBuffer(const CHostBuffer&) = delete;
    CHostBuffer& operator=(const CHostBuffer&) = delete;

    // Uninitialised memory of `size` bytes (at least one); throws
    // std::bad_alloc when it cannot be had.
    void Allocate(size_t size, bool guarded);
    void Release();

    // Guarded buffers only: from now on the plug-in may read, not write.
    void MakeReadOnly();

    uint8_t* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }
    uint8_t& operator[](size_t i) const { return m_pData[i]; }

private:
    uint8_t* m_pBase = nullptr;  // the allocation: VirtualAlloc's or new[]'s
    uint8_t* m_pData = nullptr;  // where the plug-in's bytes start
    size_t m_nSize = 0;
    size_t m_nDataPages = 0;     // guarded: the accessible part, in bytes
    bool m_bGuarded = false;
};

// Bytes of a block of `rows` rows `rowBytes` apart whose last row ends at
// its last used byte: hosts need not allocate the padding after it.
inline size_t BlockBytes(size_t rowBytes, int rows, size_t usedRowBytes)
{
    return rowBytes * size_t(rows - 1) + usedRowBytes;
}
