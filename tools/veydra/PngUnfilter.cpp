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

#if defined(__SSE2__)
// Pixels of 3 to 8 bytes, one pixel at a time in 16-bit lanes: sub, average
// and Paeth each need the pixel just made, so the work runs along the row.
template <int Step>
__m128i LoadPixel(const uint8_t* p)
{
    uint8_t bytes[8] = {};
    std::memcpy(bytes, p, Step);
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)), _mm_setzero_si128());
}

template <int Step>
void StorePixel(uint8_t* p, __m128i lanes)
{
    uint8_t bytes[8];
    _mm_storel_epi64(reinterpret_cast<__m128i*>(bytes), _mm_packus_epi16(lanes, lanes));
    std::memcpy(p, bytes, Step);
}

__m128i AbsoluteValue(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

template <int Step>
void UndoByPixel(int filter, const uint8_t* row, uint8_t* out, const uint8_t* prior, size_t bytes)
{
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    __m128i left = _mm_setzero_si128();       // a: the pixel made last
    __m128i upperLeft = _mm_setzero_si128();  // c
    for (size_t i = 0; i + Step <= bytes; i += Step) {
        const __m128i raw = LoadPixel<Step>(row + i);
        const __m128i above = prior ? LoadPixel<Step>(prior + i) : _mm_setzero_si128();  // b
        __m128i predicted;
        if (filter == kSub) {
            predicted = left;
        } else if (filter == kAverage) {
            predicted = _mm_srli_epi16(_mm_add_epi16(left, above), 1);
        } else {
            const __m128i pa = AbsoluteValue(_mm_sub_epi16(above, upperLeft));
            const __m128i pb = AbsoluteValue(_mm_sub_epi16(left, upperLeft));
            const __m128i pc = AbsoluteValue(_mm_sub_epi16(_mm_add_epi16(left, above), _mm_add_epi16(upperLeft, upperLeft)));
            // a where pa <= pb and pa <= pc, else b where pb <= pc, else c.
            const __m128i takeA = _mm_andnot_si128(_mm_or_si128(_mm_cmpgt_epi16(pa, pb), _mm_cmpgt_epi16(pa, pc)),
                                                   _mm_set1_epi16(-1));
            const __m128i takeB = _mm_andnot_si128(_mm_cmpgt_epi16(pb, pc), _mm_set1_epi16(-1));
            const __m128i bOrC = _mm_or_si128(_mm_and_si128(takeB, above), _mm_andnot_si128(takeB, upperLeft));
            predicted = _mm_or_si128(_mm_and_si128(takeA, left), _mm_andnot_si128(takeA, bOrC));
        }
        left = _mm_and_si128(_mm_add_epi16(raw, predicted), lowByte);
        upperLeft = above;
        StorePixel<Step>(out + i, left);
    }
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
#if defined(__SSE2__)
    if (UndoVectorised(filter, row, out, prior, bytes, step))
        return true;
#endif
    UndoSerial(filter, row, out, prior, bytes, step);
    return true;
}
