#include "PngUnfilter.h"

#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

enum { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// Rows are reconstructed front to back and, where `out` lies before `row`,
// every load below happens before the store that could reach its bytes.

void UndoUp(const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes)
{
    size_t i = 0;
#if defined(__SSE2__)
    for (; i + 16 <= bytes; i += 16) {
        const __m128i sum = _mm_add_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i)),
                                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(prior + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), sum);
    }
#endif
    for (; i < bytes; ++i)
        out[i] = static_cast<uint8_t>(row[i] + prior[i]);
}

uint8_t Paeth(int a, int b, int c)
{
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc)
        return static_cast<uint8_t>(a);
    return static_cast<uint8_t>(pb <= pc ? b : c);
}

// Byte by byte, for pixels of one or two bytes (and anywhere without SSE2).
void UndoSerial(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes, int step)
{
    for (size_t i = 0; i < bytes; ++i) {
        const int a = i >= size_t(step) ? out[i - step] : 0;
        const int b = prior ? prior[i] : 0;
        const int c = prior && i >= size_t(step) ? prior[i - step] : 0;
        int predicted = 0;
        if (filter == kSub)
            predicted = a;
        else if (filter == kAverage)
            predicted = (a + b) >> 1;
        else
            predicted = Paeth(a, b, c);
        out[i] = static_cast<uint8_t>(row[i] + predicted);
    }
}

#if defined(__SSE2__) && defined(__x86_64__)
// Pixels of 3 to 8 bytes, one pixel at a time in 16-bit lanes: sub, average
// and Paeth each need the pixel just made, so the work runs along the row.
// A pixel goes in and out through a general register, which the compiler
// fills and empties with loads and stores of the pixel's own size.
// (A copy of 3 or 6 bytes into a 64-bit variable goes through the stack and
// stalls the load after it, so those pixels are read and written as a
// power-of-two piece and the rest.)
template <int Step>
uint64_t ReadBytes(const uint8_t* p)
{
    const int low = Step >= 4 ? 4 : 2;
    uint32_t first = 0;
    std::memcpy(&first, p, low);
    if (Step == 8) {
        uint32_t second;
        std::memcpy(&second, p + 4, 4);
        return first | uint64_t(second) << 32;
    }
    uint64_t rest = 0;
    if (Step - low == 2) {
        uint16_t two;
        std::memcpy(&two, p + low, 2);
        rest = two;
    } else if (Step - low == 1) {
        rest = p[low];
    }
    return first | rest << (8 * low);
}

template <int Step>
void WriteBytes(uint8_t* p, uint64_t v)
{
    const int low = Step >= 4 ? 4 : 2;
    const uint32_t first = static_cast<uint32_t>(v);
    std::memcpy(p, &first, low);
    v >>= 8 * low;
    if (Step == 8) {
        const uint32_t second = static_cast<uint32_t>(v);
        std::memcpy(p + 4, &second, 4);
    } else if (Step - low == 2) {
        const uint16_t two = static_cast<uint16_t>(v);
        std::memcpy(p + low, &two, 2);
    } else if (Step - low == 1) {
        p[low] = static_cast<uint8_t>(v);
    }
}

template <int Step>
__m128i LoadPixel(const uint8_t* p)
{
    return _mm_unpacklo_epi8(_mm_cvtsi64_si128(static_cast<long long>(ReadBytes<Step>(p))), _mm_setzero_si128());
}

template <int Step>
void StorePixel(uint8_t* p, __m128i lanes)
{
    WriteBytes<Step>(p, static_cast<uint64_t>(_mm_cvtsi128_si64(_mm_packus_epi16(lanes, lanes))));
}

__m128i AbsoluteValue(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

__m128i Select(__m128i mask, __m128i ifSet, __m128i ifClear)
{
    return _mm_or_si128(_mm_and_si128(mask, ifSet), _mm_andnot_si128(mask, ifClear));
}

// The prediction from the left pixel a, the one above b and the one above
// left c (the parts that need no a are worked out first, off the chain).
template <int Filter>
__m128i Predict(__m128i a, __m128i b, __m128i c)
{
    if (Filter == kSub)
        return a;
    if (Filter == kAverage)
        return _mm_srli_epi16(_mm_add_epi16(a, b), 1);
    // Paeth: the one of a, b, c nearest to a + b - c, ties going to a, then
    // b. Its distances are |b - c|, |a - c| and |a + b - 2c|.
    const __m128i bMinusC = _mm_sub_epi16(b, c);
    const __m128i pa = AbsoluteValue(bMinusC);
    const __m128i aMinusC = _mm_sub_epi16(a, c);
    const __m128i pb = AbsoluteValue(aMinusC);
    const __m128i pc = AbsoluteValue(_mm_add_epi16(bMinusC, aMinusC));
    const __m128i nearest = _mm_min_epi16(pc, _mm_min_epi16(pa, pb));
    return Select(_mm_cmpeq_epi16(nearest, pa), a, Select(_mm_cmpeq_epi16(nearest, pb), b, c));
}

template <int Step, int Filter>
void UndoByPixel(const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes)
{
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i left = _mm_setzero_si128();       // a: the pixel made last
    __m128i upperLeft = _mm_setzero_si128();  // c
    for (size_t i = 0; i + Step <= bytes; i += Step) {
        const __m128i above = prior ? LoadPixel<Step>(prior + i) : _mm_setzero_si128();
        const __m128i predicted = Predict<Filter>(left, above, upperLeft);
        left = _mm_and_si128(_mm_add_epi16(LoadPixel<Step>(row + i), predicted), lowByte);
        upperLeft = above;
        StorePixel<Step>(out + i, left);
    }
}

template <int Step>
void UndoByPixel(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes)
{
    if (filter == kSub)
        UndoByPixel<Step, kSub>(row, out, prior, bytes);
    else if (filter == kAverage)
        UndoByPixel<Step, kAverage>(row, out, prior, bytes);
    else
        UndoByPixel<Step, kPaeth>(row, out, prior, bytes);
}

bool UndoVectorised(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes, int step)
{
    switch (step) {
    case 3:
        UndoByPixel<3>(filter, row, out, prior, bytes);
        return true;
    case 4:
        UndoByPixel<4>(filter, row, out, prior, bytes);
        return true;
    case 6:
        UndoByPixel<6>(filter, row, out, prior, bytes);
        return true;
    case 8:
        UndoByPixel<8>(filter, row, out, prior, bytes);
        return true;
    default:
        return false;
    }
}
#endif

}  // namespace

bool UnfilterRow(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes, int step)
{
    if (filter < 0 || filter >= kPngFilterTypes)
        return false;
    // Without a row above, "up" adds nothing and Paeth always picks the
    // left neighbour, as "sub" does.
    if (!prior && filter == kUp)
        filter = kNone;
    if (!prior && filter == kPaeth)
        filter = kSub;
    if (filter == kNone) {
        if (out != row)
            std::memmove(out, row, bytes);
        return true;
    }
    if (filter == kUp) {
        UndoUp(row, out, prior, bytes);
        return true;
    }
#if defined(__SSE2__) && defined(__x86_64__)
    if (UndoVectorised(filter, row, out, prior, bytes, step))
        return true;
#endif
    UndoSerial(filter, row, out, prior, bytes, step);
    return true;
}
