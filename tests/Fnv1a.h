// 64-bit FNV-1a, fed byte by byte; words go in low byte first so a digest
// does not depend on the machine's byte order. The cross-build tests compare
// such digests against one constant that every build must reach.
#pragma once

#include <cstddef>
#include <cstdint>

class Fnv1a {
public:
    void Byte(uint8_t b)
    {
        m_hash ^= b;
        m_hash *= 1099511628211ull;
    }
    void Word32(uint32_t w)
    {
        for (int shift = 0; shift < 32; shift += 8)
            Byte(static_cast<uint8_t>(w >> shift));
    }
    void Word64(uint64_t w)
    {
        for (int shift = 0; shift < 64; shift += 8)
            Byte(static_cast<uint8_t>(w >> shift));
    }
    void Bytes(const uint8_t* p, size_t n)
    {
        for (size_t i = 0; i < n; ++i)
            Byte(p[i]);
    }
    uint64_t Value() const { return m_hash; }

private:
    uint64_t m_hash = 14695981039346656037ull;
};
