// The fast PNG reader: chunks read here, the image data inflated by
// libdeflate in one call, rows reconstructed with vector instructions.
//
// It takes the files it can decode to exactly the pixels libpng gives, and
// only those: any other file (damaged, truncated or unusual, or asking for
// libpng's colour handling: a gamma to correct, colour or 16-bit samples to
// reduce to grey) it declines, and the caller reads it with libpng as
// before, so every file reads as it always has and fails with the same
// message.
#pragma once

#include <cstddef>
#include <cstdint>

#include "PngImage.h"

enum class PngFastForm {
    OwnDepth,  // as ReadPngAtOwnDepth: grey files of any depth and 16-bit files
    Colour,    // as ReadPng with PngLoad::Colour: 8-bit RGB, RGBA and palette files
    Grey,      // as ReadPng with PngLoad::Grey: grey files of up to 8 bits
};

// True, with the pixels in `image`, when the file in `file` is one of the
// form's and one this reader decodes; false, `image` untouched, otherwise
// (with a short reason in `why` when it is given). Images whose ARGB form
// would take more than `maxArgbBytes` are declined before any pixel memory
// is taken. Never throws for anything in the file.
bool DecodePngFast(const uint8_t* file, size_t size, PngFastForm form, uint64_t maxArgbBytes, RasterImage& image,
                   const char** why = nullptr);

// The same for bytes the caller has no more use for: the image data, when
// it comes in several chunks, is joined over them rather than copied.
bool DecodePngFastOverwriting(uint8_t* file, size_t size, PngFastForm form, uint64_t maxArgbBytes,
                              RasterImage& image, const char** why = nullptr);
