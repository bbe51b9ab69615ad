#include "PngChunks.h"

#include <libdeflate.h>

#include <cstring>

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// libpng refuses larger images before reading a pixel (its default user
// limits), so a file past them must reach it to be refused as before.
const uint32_t kMaxSide = 1000000;
const uint32_t kMaxChunkLength = 0x7FFFFFFF;
// A gAMA value (in 1/100000) close enough to sRGB's 1/2.2 that libpng's
// simplified reader leaves the samples alone; it corrects from 5 % off, and
// this window stays well inside that.
const uint32_t kSrgbGammaLow = 44000;
const uint32_t kSrgbGammaHigh = 47000;

uint32_t BigEndian32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint16_t BigEndian16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

bool IsType(const uint8_t* type, const char* name) { return std::memcmp(type, name, 4) == 0; }

bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool DepthFitsColourType(int depth, int colourType)
{
    switch (colourType) {
    case kPngGrey:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case kPngPalette:
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case kPngRgb:
    case kPngGreyAlpha:
    case kPngRgba:
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

// One chunk as it lies in the file: `data` is inside the file and `length`
// bytes of it, plus the CRC after them, are there.
struct Chunk {
    const uint8_t* type;
    const uint8_t* data;
    uint32_t length;

    bool CrcMatches() const
    {
        const uint32_t stored = BigEndian32(data + length);
        return static_cast<uint32_t>(libdeflate_crc32(0, type, size_t(length) + 4)) == stored;
    }
};

// The chunk at `offset`, or false when its length is out of range or it
// runs past the end of the file.
bool ChunkAt(const uint8_t* file, size_t size, size_t offset, Chunk& chunk)
{
    if (offset > size || size - offset < 12)
        return false;
    const uint32_t length = BigEndian32(file + offset);
    if (length > kMaxChunkLength || size - offset - 12 < length)
        return false;
    chunk.type = file + offset + 4;
    chunk.data = file + offset + 8;
    chunk.length = length;
    return IsLetter(chunk.type[0]) && IsLetter(chunk.type[1]) && IsLetter(chunk.type[2]) && IsLetter(chunk.type[3]);
}

bool ParseHeader(const Chunk& chunk, PngHeader& header)
{
    if (!IsType(chunk.type, "IHDR") || chunk.length != 13 || !chunk.CrcMatches())
        return false;
    const uint8_t* d = chunk.data;
    header.width = BigEndian32(d);
    header.height = BigEndian32(d + 4);
    header.bitDepth = d[8];
    header.colourType = d[9];
    header.interlaced = d[12] == 1;
    return header.width >= 1 && header.width <= kMaxSide && header.height >= 1 && header.height <= kMaxSide &&
           DepthFitsColourType(header.bitDepth, header.colourType) && d[10] == 0 && d[11] == 0 && d[12] <= 1;
}

class CLayoutReader {
public:
    CLayoutReader(PngLayout& layout, const uint8_t* file) : m_layout(layout), m_pFile(file) {}

    // Takes one chunk after IHDR; false, with `why`, to decline the file.
    bool Take(const Chunk& chunk, bool& ended, const char*& why)
    {
        const bool critical = chunk.type[0] >= 'A' && chunk.type[0] <= 'Z';
        if (critical && !IsType(chunk.type, "IDAT") && !chunk.CrcMatches())
            return Decline("a damaged chunk", why);
        if (IsType(chunk.type, "IDAT"))
            return TakeImageData(chunk, why);
        if (m_bSeenImageData)
            m_bImageDataEnded = true;
        if (IsType(chunk.type, "IEND")) {
            ended = true;
            return chunk.length == 0 && m_bSeenImageData ? true : Decline("IEND out of place", why);
        }
        if (IsType(chunk.type, "PLTE"))
            return TakePalette(chunk, why);
        if (critical)
            return Decline("a critical chunk of another kind", why);
        if (IsType(chunk.type, "tRNS"))
            return TakeTransparency(chunk, why);
        if (IsType(chunk.type, "gAMA") && !m_bSeenImageData)
            TakeGamma(chunk);
        // Every other ancillary chunk leaves the pixels as they are.
        return true;
    }

    // Whether an IDAT chunk may come next.
    bool ReadyForImageData(const char*& why) const
    {
        if (Header().colourType == kPngPalette && !m_bSeenPalette)
            return Decline("no palette", why);
        return true;
    }

    bool Finish(const char*& why)
    {
        if (!m_bSeenImageData)
            return Decline("no image data", why);
        return true;
    }

private:
    static bool Decline(const char* reason, const char*& why)
    {
        why = reason;
        return false;
    }

    const PngHeader& Header() const { return m_layout.header; }

    bool TakeImageData(const Chunk& chunk, const char*& why)
    {
        if (m_bImageDataEnded)
            return Decline("IDAT chunks apart", why);
        if (!ReadyForImageData(why))
            return false;
        m_bSeenImageData = true;
        const size_t data = static_cast<size_t>(chunk.data - m_pFile);
        m_layout.imageChunks.push_back(PngSpan{data - 4, size_t(chunk.length) + 4});
        if (chunk.length > 0)
            m_layout.imageData.push_back(PngSpan{data, chunk.length});
        m_layout.imageDataBytes += chunk.length;
        return true;
    }

    bool TakePalette(const Chunk& chunk, const char*& why)
    {
        if (m_bSeenPalette || m_bSeenImageData)
            return Decline("PLTE out of place", why);
        m_bSeenPalette = true;
        if (Header().colourType == kPngGrey || Header().colourType == kPngGreyAlpha)
            return Decline("a palette in a grey image", why);
        if (chunk.length == 0 || chunk.length > 3 * 256 || chunk.length % 3 != 0)
            return Decline("a palette of an invalid length", why);
        if (Header().colourType != kPngPalette)
            return true;  // a suggested palette for an RGB image; its pixels do not use it
        // libpng keeps no more entries than the bit depth can index.
        uint32_t entries = chunk.length / 3;
        if (entries > (1u << Header().bitDepth))
            entries = 1u << Header().bitDepth;
        std::memcpy(m_layout.palette, chunk.data, size_t(entries) * 3);
        m_nPaletteEntries = static_cast<int>(entries);
        return true;
    }

    bool TakeTransparency(const Chunk& chunk, const char*& why)
    {
        if (m_bSeenImageData || m_bSeenTransparency)
            return Decline("tRNS out of place", why);
        m_bSeenTransparency = true;
        if (!chunk.CrcMatches())
            return Decline("a damaged tRNS chunk", why);
        const uint32_t top = (1u << Header().bitDepth) - 1;
        switch (Header().colourType) {
        case kPngPalette:
            if (!m_bSeenPalette || chunk.length == 0 || chunk.length > uint32_t(m_nPaletteEntries))
                return Decline("an invalid tRNS chunk", why);
            std::memcpy(m_layout.paletteAlpha, chunk.data, chunk.length);
            m_layout.hasPaletteAlpha = true;
            return true;
        case kPngGrey:
        case kPngRgb: {
            const uint32_t samples = Header().colourType == kPngGrey ? 1 : 3;
            if (chunk.length != 2 * samples)
                return Decline("an invalid tRNS chunk", why);
            for (uint32_t i = 0; i < samples; ++i) {
                m_layout.keyColour[i] = BigEndian16(chunk.data + 2 * i);
                // libpng compares only the sample's own bits; a key past
                // them is an oddity it should judge.
                if (m_layout.keyColour[i] > top)
                    return Decline("a tRNS colour out of range", why);
            }
            m_layout.hasKeyColour = true;
            return true;
        }
        default:
            return Decline("tRNS in an image with alpha", why);
        }
    }

    void TakeGamma(const Chunk& chunk)
    {
        const uint32_t gamma = chunk.length == 4 ? BigEndian32(chunk.data) : 0;
        if (!chunk.CrcMatches() || gamma < kSrgbGammaLow || gamma > kSrgbGammaHigh)
            m_layout.gammaIsSrgb = false;
    }

    PngLayout& m_layout;
    const uint8_t* m_pFile;
    int m_nPaletteEntries = 0;
    bool m_bSeenPalette = false;
    bool m_bSeenTransparency = false;
    bool m_bSeenImageData = false;
    bool m_bImageDataEnded = false;
};

}  // namespace

int PngHeader::Channels() const
{
    switch (colourType) {
    case kPngRgb:
        return 3;
    case kPngGreyAlpha:
        return 2;
    case kPngRgba:
        return 4;
    default:
        return 1;
    }
}

size_t PngHeader::StoredRowBytes(uint32_t columns) const
{
    return (size_t(columns) * size_t(Channels()) * size_t(bitDepth) + 7) / 8;
}

int PngHeader::FilterStep() const
{
    const int bits = Channels() * bitDepth;
    return bits < 8 ? 1 : bits / 8;
}

bool ReadPngHeader(const uint8_t* file, size_t size, PngHeader& header)
{
    Chunk chunk;
    return size >= 8 && std::memcmp(file, kSignature, 8) == 0 && ChunkAt(file, size, 8, chunk) &&
           ParseHeader(chunk, header);
}

namespace {

// The chunks in order; with `headOnly`, only as far as the first IDAT's
// chunk header, as libpng reads before it looks at the image data.
bool WalkChunks(const uint8_t* file, size_t size, PngLayout& layout, const char*& why, bool headOnly)
{
    layout = PngLayout();
    if (!ReadPngHeader(file, size, layout.header)) {
        why = "not a PNG start this reader takes";
        return false;
    }
    std::memset(layout.paletteAlpha, 0xFF, sizeof layout.paletteAlpha);
    CLayoutReader reader(layout, file);
    size_t offset = 8 + 12 + 13;
    bool ended = false;
    while (!ended) {
        if (headOnly && offset <= size && size - offset >= 8 && IsType(file + offset + 4, "IDAT")) {
            if (BigEndian32(file + offset) > kMaxChunkLength) {
                why = "a chunk length out of range";
                return false;
            }
            return reader.ReadyForImageData(why);
        }
        Chunk chunk;
        if (!ChunkAt(file, size, offset, chunk)) {
            why = "truncated or malformed chunks";
            return false;
        }
        if (IsType(chunk.type, "IHDR")) {
            why = "a second IHDR";
            return false;
        }
        if (!reader.Take(chunk, ended, why))
            return false;
        offset += size_t(chunk.length) + 12;
    }
    return reader.Finish(why);
}

}  // namespace

bool ReadPngLayout(const uint8_t* file, size_t size, PngLayout& layout, const char*& why)
{
    return WalkChunks(file, size, layout, why, false);
}

bool ReadPngHead(const uint8_t* file, size_t size, PngHeader& header)
{
    PngLayout layout;
    const char* why = "";
    if (!WalkChunks(file, size, layout, why, true))
        return false;
    header = layout.header;
    return true;
}

bool ImageChunksIntact(const uint8_t* file, const PngLayout& layout)
{
    for (const PngSpan& span : layout.imageChunks) {
        const uint32_t stored = BigEndian32(file + span.offset + span.size);
        if (static_cast<uint32_t>(libdeflate_crc32(0, file + span.offset, span.size)) != stored)
            return false;
    }
    return true;
}
