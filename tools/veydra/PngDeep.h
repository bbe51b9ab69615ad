// Reading the PNG files that keep their own depth through a render: 16-bit
// files of any colour type and grey files of any depth. Everything else
// (8-bit RGB, RGBA and palette files) is read by ReadPng exactly as it
// always was.
#pragma once

#include <cstddef>
#include <string>

#include "PngImage.h"

// True when `path` is such a file, with its pixels in `image`: grey, grey +
// alpha, RGB or RGBA (a transparency chunk becomes an alpha plane), 8 bits
// for grey files of 1 to 8 bits, else 16 bits (0..65535) in the machine's
// byte order. False, with `image` untouched, for files ReadPng should read.
// Throws CliError for unreadable, corrupt or too large files.
bool ReadPngAtOwnDepth(const std::string& path, RasterImage& image);

// The same, always through libpng (the fast reader's fallback, and its
// yardstick in the tests and benchmarks).
bool ReadPngAtOwnDepthWithLibpng(const std::string& path, RasterImage& image);
// The same for a file held in memory; `name` starts every error message.
bool DecodePngAtOwnDepthWithLibpng(const void* data, size_t size, const std::string& name, RasterImage& image);
