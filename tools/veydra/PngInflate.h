// The image data of a PNG (one zlib stream cut into IDAT chunks) made one
// piece, and inflated in one call into a buffer of the size the header
// implies (libdeflate).
#pragma once

#include <cstddef>
#include <cstdint>

#include "PngChunks.h"
#include "imaging/LargeMemory.h"

// The stream in one piece: in place when one chunk holds it all, else
// copied into `joined`.
bool JoinImageData(const uint8_t* file, const PngLayout& layout, LargeVector<uint8_t>& joined, PngSpan& stream);

// The same in the file's own bytes, which it overwrites: the chunks' data
// moved down to lie end to end from the first one's place. The chunks' CRCs
// are checked before anything moves; false when one fails.
bool JoinImageDataInPlace(uint8_t* file, const PngLayout& layout, PngSpan& stream);

// Inflates the zlib stream into exactly `size` bytes at `out`. False when
// the stream is damaged, holds more or less than `size` bytes, leaves data
// after its end, or is one zlib (and so libpng) would refuse: libdeflate
// reads back as far as the data it has made, zlib only as far as the
// window the stream's header names, so a stream naming a smaller window
// than its data spans is left to libpng.
bool InflateImageData(const uint8_t* stream, size_t bytes, uint8_t* out, size_t size);
