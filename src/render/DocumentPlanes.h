// A document whose pixels are not 8-bit RGB: grey, or 16 bits per channel,
// or both. The shadow engine works on 8-bit RGB(A) only; such a document is
// shown to it through an 8-bit reduction (DocumentReduction.h) and the
// rendered shadow is laid over the document's own samples at their depth
// (DeepCompositing.h). 8-bit RGB documents never come here: they keep the
// one compositing path they always had.
//
// Samples are interleaved: sample c of pixel (x, y) is at
// data + y * rowBytes + x * planes * sampleBytes + c * sampleBytes, with
// sampleBytes 1 (depth 8) or 2 (depth 16, native byte order). The first
// `colours` samples are the colour (1: grey; 3: red, green, blue); when
// there are more planes the next one is the layer transparency and any
// beyond it pass through untouched. The selection mask is one byte per
// pixel at every depth.
//
// Every sample runs from 0 to `fullScale`: 255 at 8 bits, 32768 in a host's
// 16-bit planes (which never hold more than 32768), 65535 in a 16-bit PNG
// file. The arithmetic below and in DeepCompositing works on any of these
// scales.
#pragma once

#include <cstdint>

struct DocumentPlanes {
    int32_t width = 0;  // filter rectangle
    int32_t height = 0;
    int32_t depth = 8;    // bits per sample: 8 or 16
    int32_t colours = 3;  // 1 grey, 3 RGB
    int32_t planes = 3;   // samples per pixel
    uint32_t fullScale = 255;
    const void* inData = nullptr;
    int32_t inRowBytes = 0;
    void* outData = nullptr;
    int32_t outRowBytes = 0;
    const uint8_t* maskData = nullptr;  // null: no selection
    int32_t maskRowBytes = 0;

    bool HasTransparency() const { return planes > colours; }
    bool IsGrey() const { return colours == 1; }
    int SampleBytes() const { return depth == 16 ? 2 : 1; }
    int PixelBytes() const { return planes * SampleBytes(); }
};

// An 8-bit value on the scale 0..full: v * full / 255, rounded to nearest
// (halves cannot occur: 255 is odd). At full = 65535 this is v * 257 exactly;
// at 32768 it is the host's usual expansion.
inline uint32_t ExpandFrom8(uint32_t v, uint32_t full)
{
    return (v * full + 127) / 255;
}

// A value on the scale 0..full reduced to 8 bits: v * 255 / full, rounded to
// nearest, halves upwards. ReduceTo8(ExpandFrom8(v)) == v for every 8-bit v
// on the scales used here.
inline uint32_t ReduceTo8(uint32_t v, uint32_t full)
{
    return (v * 255 + full / 2) / full;
}

// ReduceTo8 with the scale known when compiling, in operations a compiler
// can run on many samples at once: a shift at 32768 and 255; at 65535 the
// rounded v / 257 as (v + 128 - ((v + 128) >> 8)) >> 8. Equal to ReduceTo8
// for every v in 0..kFull (the tests go through them all).
template <uint32_t kFull>
inline uint32_t ReduceTo8Fixed(uint32_t v)
{
    if (kFull == 65535)
        return (v + 128 - ((v + 128) >> 8)) >> 8;
    if (kFull == 32768)
        return (v * 255 + 16384) >> 15;
    return ReduceTo8(v, kFull);
}

// Grey of an RGB colour by the Rec. 601 luma weights (0.299 red, 0.587 green,
// 0.114 blue), rounded to nearest: what editors show for a colour in a
// greyscale document.
inline uint32_t LumaOf(uint32_t red, uint32_t green, uint32_t blue)
{
    return (299 * red + 587 * green + 114 * blue + 500) / 1000;
}

// An ARGB colour's grey (LumaOf) in all three colour bytes; alpha kept.
inline uint32_t GreyArgb(uint32_t argb)
{
    const uint32_t y = LumaOf((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    return (argb & 0xFF000000u) | y << 16 | y << 8 | y;
}
