// Reading and writing PNG files as 8-bit interleaved pixels. Files are read
// by the fast reader (PngFastDecode.h) where it can, else by libpng.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/LargeMemory.h"

struct RasterImage {
    int width = 0;
    int height = 0;
    int planes = 0;  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    // Bits per sample: 8, or 16 with each sample a uint16_t in the machine's
    // byte order (0..65535), as PngDeep.h reads them.
    int depth = 8;
    LargeVector<uint8_t> pixels;  // a resize leaves them unset

    int RowBytes() const { return width * planes * (depth / 8); }
};

// A failure the user should read: one line, no stack of causes.
class CliError : public std::runtime_error {
public:
    explicit CliError(const std::string& message) : std::runtime_error(message) {}
};

enum class PngLoad {
    Colour,  // RGBA if the file has any alpha (channel or transparency chunk), else RGB
    Grey,    // reduced to one grey channel
};

// Every working buffer of a run is at most image-sized ARGB; an image whose
// ARGB form would not fit in the 2 GB a buffer may hold is refused.
const uint64_t kMaxImageBytes = INT32_MAX;

// Any colour type and bit depth comes out as 8-bit channels. Throws CliError
// for a missing, unreadable, corrupt or truncated file and for images too
// large to hold.
RasterImage ReadPng(const std::string& path, PngLoad load);

// The same, always through libpng: the reader every file once went to, kept
// for the files the fast one declines and for comparing the two.
RasterImage ReadPngWithLibpng(const std::string& path, PngLoad load);

// The same decoding for a PNG held in memory; `name` starts every error
// message. Images whose ARGB form takes more than `maxArgbBytes` are refused
// before any pixel memory is taken.
RasterImage DecodePng(const void* data, size_t size, PngLoad load, const std::string& name,
                      uint64_t maxArgbBytes = kMaxImageBytes);
RasterImage DecodePngWithLibpng(const void* data, size_t size, PngLoad load, const std::string& name,
                                uint64_t maxArgbBytes = kMaxImageBytes);

// Writes grey, RGB or RGBA pixels. The file appears whole or not at all: the data
// goes to a temporary file beside it, which is renamed over the target once
// complete. Throws CliError.
void WritePngAtomically(const std::string& path, const RasterImage& image);
