// The chunks of a PNG file held in memory, as the fast reader needs them:
// the header, the palette and transparency, whether the file asks for a
// gamma correction, and where the compressed image data lies.
//
// The file comes from outside: every length is checked against the bytes
// that are there before anything is read. The reader takes only files it
// can finish exactly as libpng does; anything damaged, out of order or
// unusual is declined, with the reason, and then goes to libpng, which
// accepts or refuses it as it always has.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum PngColourType { kPngGrey = 0, kPngRgb = 2, kPngPalette = 3, kPngGreyAlpha = 4, kPngRgba = 6 };

struct PngHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0;
    bool interlaced = false;

    int Channels() const;
    // Bytes of one row `columns` pixels wide as the file stores it, without
    // its filter byte; 1 to 8 the bytes a whole pixel spans.
    size_t StoredRowBytes(uint32_t columns) const;
    int FilterStep() const;
};

// Where one piece of the file lies.
struct PngSpan {
    size_t offset;
    size_t size;
};

struct PngLayout {
    PngHeader header;
    // The palette as libpng holds it: 256 entries, those past the file's
    // black, and an alpha for every entry (opaque past the tRNS chunk's).
    uint8_t palette[256][3] = {};
    uint8_t paletteAlpha[256] = {};
    bool hasPaletteAlpha = false;
    // A grey or RGB colour that stands for transparency (tRNS); grey uses
    // the first sample.
    bool hasKeyColour = false;
    uint16_t keyColour[3] = {};
    // False when a gAMA chunk asks for a correction to sRGB: the simplified
    // reader libpng offers then changes the samples, which is left to it.
    bool gammaIsSrgb = true;
    // The data of the IDAT chunks, in order (one zlib stream), and each
    // chunk's type and data, which its CRC covers.
    std::vector<PngSpan> imageData;
    std::vector<PngSpan> imageChunks;
    size_t imageDataBytes = 0;
};

// The signature and the header chunk alone; false when they are not a
// valid PNG start.
bool ReadPngHeader(const uint8_t* file, size_t size, PngHeader& header);

// The whole chunk sequence up to IEND. False, with a short reason in `why`,
// for a file the fast reader declines. The CRCs of the small chunks it uses
// are checked here; those of the image data, which may be large, by
// ImageChunksIntact (another thread can do that while the data is inflated).
bool ReadPngLayout(const uint8_t* file, size_t size, PngLayout& layout, const char*& why);
bool ImageChunksIntact(const uint8_t* file, const PngLayout& layout);

// Whether the chunks before the image data (all of them within the `size`
// bytes given, which may be a file's first bytes only) are ones
// ReadPngLayout takes, with the header in `header`: what libpng reads before
// the image data then reads without a fault.
bool ReadPngHead(const uint8_t* file, size_t size, PngHeader& header);
