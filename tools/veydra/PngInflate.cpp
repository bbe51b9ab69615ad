#include "PngInflate.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>
#include <new>

namespace {

struct DecompressorDeleter {
    void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
};

// The two-byte zlib header: deflate, a window of at most 32 KB, no preset
// dictionary, and a check that holds. When the window it names is smaller
// than the whole output, only a 32 KB window is taken, as anything smaller
// could make zlib refuse a distance libdeflate accepts.
bool HeaderAgreesWithZlib(const uint8_t* stream, size_t bytes, size_t output)
{
    if (bytes < 2)
        return false;
    const unsigned cmf = stream[0], flg = stream[1];
    const unsigned method = cmf & 15, windowBits = (cmf >> 4) + 8;
    if (method != 8 || windowBits > 15 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20) != 0)
        return false;
    return windowBits == 15 || output <= (size_t(1) << windowBits);
}

}  // namespace

bool JoinImageData(const uint8_t* file, const PngLayout& layout, LargeVector<uint8_t>& joined, PngSpan& stream)
{
    if (layout.imageData.size() == 1) {
        stream = layout.imageData[0];
        return true;
    }
    // libdeflate wants the stream in one piece; most encoders cut it into
    // chunks of 8 to 64 KB.
    try {
        joined.resize(layout.imageDataBytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    size_t at = 0;
    for (const PngSpan& span : layout.imageData) {
        std::memcpy(joined.data() + at, file + span.offset, span.size);
        at += span.size;
    }
    stream = PngSpan{0, joined.size()};
    return true;
}

bool JoinImageDataInPlace(uint8_t* file, const PngLayout& layout, PngSpan& stream)
{
    if (!ImageChunksIntact(file, layout))
        return false;
    stream = PngSpan{layout.imageData.empty() ? 0 : layout.imageData[0].offset, layout.imageDataBytes};
    size_t at = stream.offset;
    for (const PngSpan& span : layout.imageData) {
        std::memmove(file + at, file + span.offset, span.size);  // never upwards: `at` trails the spans
        at += span.size;
    }
    return true;
}

bool InflateImageData(const uint8_t* stream, size_t bytes, uint8_t* out, size_t size)
{
    if (!HeaderAgreesWithZlib(stream, bytes, size))
        return false;
    std::unique_ptr<libdeflate_decompressor, DecompressorDeleter> d(libdeflate_alloc_decompressor());
    if (!d)
        return false;
    size_t used = 0;
    // No actual-size pointer: a stream that makes fewer bytes than `size`
    // fails, as one that makes more does.
    return libdeflate_zlib_decompress_ex(d.get(), stream, bytes, out, size, &used, nullptr) == LIBDEFLATE_SUCCESS &&
           used == bytes;
}
