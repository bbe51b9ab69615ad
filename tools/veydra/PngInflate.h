// Inflating a PNG's image data (one zlib stream over its IDAT chunks) in one
// call, into a buffer of the size the header implies (libdeflate).
#pragma once

#include <cstddef>
#include <cstdint>

#include "PngChunks.h"

// Inflates into exactly `size` bytes at `out`. False when the stream is
// damaged, holds more or less than `size` bytes, leaves data after its end
// or is one zlib (and so libpng) would refuse: libdeflate reads back as far
// as the data it has made, zlib only as far as the window the stream's
// header names, so a stream naming a smaller window than its data spans is
// left to libpng.
bool InflateImageData(const uint8_t* file, const PngLayout& layout, uint8_t* out, size_t size);
