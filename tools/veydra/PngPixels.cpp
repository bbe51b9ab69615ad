#include "PngPixels.h"

#include <cstring>

namespace {

// The sample at `index` of a row packed `bits` to a sample, the first in
// the high bits of its byte.
unsigned PackedSample(const uint8_t* row, uint32_t index, int bits)
{
    const size_t bit = size_t(index) * size_t(bits);
    return (row[bit >> 3] >> (8 - bits - static_cast<int>(bit & 7))) & ((1u << bits) - 1);
}

uint16_t Sample16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

void Put16(uint8_t* p, uint16_t v) { std::memcpy(p, &v, 2); }

void SwapSamples(const uint8_t* stored, uint8_t* out, size_t samples)
{
    for (size_t i = 0; i < samples; ++i)
        Put16(out + 2 * i, Sample16(stored + 2 * i));
}

void WidenGrey(const PngRowFormat& f, const uint8_t* stored, uint8_t* out, uint32_t width)
{
    // Repeating a sample's bits fills the byte: 0..3 becomes 0, 85, 170, 255.
    const unsigned scale = 255 / ((1u << f.bitDepth) - 1);
    for (uint32_t x = 0; x < width; ++x) {
        const unsigned v = PackedSample(stored, x, f.bitDepth);
        if (f.keyed) {
            out[2 * x] = static_cast<uint8_t>(v * scale);
            out[2 * x + 1] = v == f.key[0] ? 0 : 255;
        } else {
            out[x] = static_cast<uint8_t>(v * scale);
        }
    }
}

void AddKeyAlpha(const PngRowFormat& f, const uint8_t* stored, uint8_t* out, uint32_t width)
{
    const int n = f.channels;
    if (f.bitDepth == 8) {
        for (uint32_t x = 0; x < width; ++x, stored += n, out += n + 1) {
            bool match = true;
            for (int c = 0; c < n; ++c) {
                out[c] = stored[c];
                match = match && stored[c] == f.key[c];
            }
            out[n] = match ? 0 : 255;
        }
        return;
    }
    for (uint32_t x = 0; x < width; ++x, stored += 2 * n, out += 2 * (n + 1)) {
        bool match = true;
        for (int c = 0; c < n; ++c) {
            const uint16_t v = Sample16(stored + 2 * c);
            Put16(out + 2 * c, v);
            match = match && v == f.key[c];
        }
        Put16(out + 2 * n, match ? 0 : 0xFFFF);
    }
}

void LookUpPalette(const PngRowFormat& f, const uint8_t* stored, uint8_t* out, uint32_t width)
{
    const int bytes = f.paletteBytes;
    if (f.bitDepth == 8) {
        for (uint32_t x = 0; x < width; ++x, out += bytes)
            std::memcpy(out, f.paletteRgba[stored[x]], bytes);
        return;
    }
    for (uint32_t x = 0; x < width; ++x, out += bytes)
        std::memcpy(out, f.paletteRgba[PackedSample(stored, x, f.bitDepth)], bytes);
}

}  // namespace

int PngRowFormat::OutputPixelBytes() const
{
    const int sampleBytes = bitDepth == 16 ? 2 : 1;
    switch (kind) {
    case PngRowKind::Palette:
        return paletteBytes;
    case PngRowKind::Keyed:
        return (channels + 1) * sampleBytes;
    case PngRowKind::GreyBits:
        return keyed ? 2 : 1;
    default:
        return channels * sampleBytes;
    }
}

void ConvertRow(const PngRowFormat& f, const uint8_t* stored, uint8_t* out, uint32_t width)
{
    switch (f.kind) {
    case PngRowKind::Copy:
        std::memcpy(out, stored, size_t(width) * size_t(f.OutputPixelBytes()));
        break;
    case PngRowKind::Swap:
        SwapSamples(stored, out, size_t(width) * size_t(f.channels));
        break;
    case PngRowKind::GreyBits:
        WidenGrey(f, stored, out, width);
        break;
    case PngRowKind::Keyed:
        AddKeyAlpha(f, stored, out, width);
        break;
    case PngRowKind::Palette:
        LookUpPalette(f, stored, out, width);
        break;
    }
}
