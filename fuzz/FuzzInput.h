// A fuzzer's input read as a stream of little-endian fields. Once the bytes
// run out every field reads as zero, so any input, however short, is a
// valid one and the mutator never wastes runs on inputs that are refused
// before the code under test is reached. fuzz/make_seeds.py writes the seed
// inputs in the same layouts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_pData(data), m_nSize(size) {}

    size_t Left() const { return m_nSize - m_nPos; }

    uint8_t U8() { return Left() > 0 ? m_pData[m_nPos++] : 0; }
    uint16_t U16()
    {
        const uint16_t low = U8();  // the operands of | may be read in any order
        return static_cast<uint16_t>(low | U8() << 8);
    }
    uint32_t U32()
    {
        const uint32_t low = U16();
        return low | uint32_t(U16()) << 16;
    }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    bool Bit() { return (U8() & 1) != 0; }

    // lo ... hi inclusive, from one byte (hi - lo below 256).
    int Small(int lo, int hi) { return lo + U8() % (hi - lo + 1); }

    // The next `count` bytes, fewer when the input ends first.
    std::vector<uint8_t> Bytes(size_t count)
    {
        const size_t n = count < Left() ? count : Left();
        std::vector<uint8_t> bytes(m_pData + m_nPos, m_pData + m_nPos + n);
        m_nPos += n;
        return bytes;
    }
    std::vector<uint8_t> Rest() { return Bytes(Left()); }

private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
};
