// Fuzz target: the fast PNG reader (chunk reading, inflating, row
// reconstruction and sample conversion) on files from outside, checked
// against libpng: whatever the fast reader decodes, libpng must decode in
// the same form to the very same pixels. Images are capped at 16384 pixels.
//
// Input: U8 flags. Bits 0-1 the form (0 own depth, 1 colour, 2 grey,
// 3 colour). Without bit 2 the rest of the input is the file. With it, the
// file is built here, so that the mutations reach the pixels rather than
// the checksums: U8 width, U8 height (1 to 64 each), U8 kind (one of the
// fifteen colour type and depth pairs), U8 options (bit 0 Adam7, bit 1 a
// tRNS chunk, bit 2 a gAMA chunk, bit 3 that gamma far from sRGB, bit 4 the
// data cut into IDAT chunks of 7 bytes, bits 5-6 the zlib level 0, 1, 6, 9),
// U8 palette entries - 1, U8 tRNS entries, three U16 key samples, then the
// filtered rows (filter bytes included), zero-padded to the size the header
// asks for. The builder mends every CRC.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "PngDeep.h"
#include "PngFastDecode.h"
#include "PngImage.h"

namespace {

const uint64_t kMaxArgbBytes = 16384 * 4;

struct Kind {
    uint8_t colourType, bitDepth, channels;
};
const Kind kKinds[15] = {{0, 1, 1}, {0, 2, 1}, {0, 4, 1}, {0, 8, 1}, {0, 16, 1}, {2, 8, 3}, {2, 16, 3}, {3, 1, 1},
                         {3, 2, 1}, {3, 4, 1}, {3, 8, 1}, {4, 8, 2}, {4, 16, 2}, {6, 8, 4}, {6, 16, 4}};

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, static_cast<uint32_t>(crc32(0, out.data() + typeAt, static_cast<uInt>(data.size() + 4))));
}

size_t StoredBytes(uint32_t width, uint32_t height, const Kind& kind, bool interlaced)
{
    static const uint32_t passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                          {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const auto rowBytes = [&](uint32_t w) { return (size_t(w) * kind.channels * kind.bitDepth + 7) / 8 + 1; };
    if (!interlaced)
        return height * rowBytes(width);
    size_t total = 0;
    for (const auto& p : passes) {
        const uint32_t w = width > p[0] ? (width - p[0] + p[2] - 1) / p[2] : 0;
        const uint32_t h = height > p[1] ? (height - p[1] + p[3] - 1) / p[3] : 0;
        if (w && h)
            total += h * rowBytes(w);
    }
    return total;
}

std::vector<uint8_t> BuildFile(CFuzzInput& in)
{
    const uint32_t width = 1 + in.U8() % 64, height = 1 + in.U8() % 64;
    const Kind kind = kKinds[in.U8() % 15];
    const uint8_t options = in.U8();
    const bool interlaced = options & 1;
    const int paletteEntries = 1 + in.U8();
    const int alphaEntries = in.U8();
    uint16_t key[3];
    for (uint16_t& k : key)
        k = in.U16();

    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {kind.bitDepth, kind.colourType, 0, 0, static_cast<uint8_t>(interlaced)});
    PutChunk(file, "IHDR", header);
    if (options & 4) {
        std::vector<uint8_t> gamma;
        PutBigEndian(gamma, options & 8 ? 100000 : 45455);
        PutChunk(file, "gAMA", gamma);
    }
    if (kind.colourType == 3) {
        std::vector<uint8_t> palette(size_t(paletteEntries) * 3);
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = static_cast<uint8_t>(i * 37 + paletteEntries);
        PutChunk(file, "PLTE", palette);
    }
    if (options & 2) {
        std::vector<uint8_t> transparency;
        if (kind.colourType == 3) {
            for (int i = 0; i < alphaEntries; ++i)
                transparency.push_back(static_cast<uint8_t>(i * 71));
        } else {
            for (int c = 0; c < (kind.colourType == 2 ? 3 : 1); ++c) {
                transparency.push_back(static_cast<uint8_t>(key[c] >> 8));
                transparency.push_back(static_cast<uint8_t>(key[c]));
            }
        }
        PutChunk(file, "tRNS", transparency);
    }
    std::vector<uint8_t> rows = in.Rest();
    rows.resize(StoredBytes(width, height, kind, interlaced), 0);
    static const int kLevels[4] = {0, 1, 6, 9};
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), kLevels[(options >> 5) & 3]);
    packed.resize(packedSize);
    const size_t piece = options & 16 ? 7 : packed.size();
    for (size_t at = 0; at < packed.size(); at += piece) {
        const size_t end = std::min(packed.size(), at + piece);
        PutChunk(file, "IDAT", std::vector<uint8_t>(packed.begin() + at, packed.begin() + end));
    }
    PutChunk(file, "IEND", {});
    return file;
}

// libpng's reading of the file in the form; false when it refuses the file
// or the file is not of the form.
bool ReadWithLibpng(const std::vector<uint8_t>& file, PngFastForm form, RasterImage& image)
{
    try {
        if (form == PngFastForm::OwnDepth)
            return DecodePngAtOwnDepthWithLibpng(file.data(), file.size(), "fuzz.png", image);
        image = DecodePngWithLibpng(file.data(), file.size(),
                                    form == PngFastForm::Grey ? PngLoad::Grey : PngLoad::Colour, "fuzz.png",
                                    kMaxArgbBytes);
        return true;
    } catch (const CliError&) {
        return false;
    }
}

// Whether zlib inflates the IDAT data of `file` to its end: libdeflate
// takes a few malformed streams zlib refuses (a code with a lone symbol
// used by its second code word, for one), so a file libpng refuses for
// that is no fault of the reader's.
bool ZlibTakesImageData(const std::vector<uint8_t>& file)
{
    std::vector<uint8_t> stream;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = uint32_t(file[at]) << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
        if (length > file.size() - at - 12)
            break;
        if (std::memcmp(file.data() + at + 4, "IDAT", 4) == 0)
            stream.insert(stream.end(), file.begin() + at + 8, file.begin() + at + 8 + length);
        at += 12 + size_t(length);
    }
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (inflateInit2(&z, 0) != Z_OK)  // the window the stream's header names, as libpng reads it
        return false;
    z.next_in = stream.data();
    z.avail_in = static_cast<uInt>(stream.size());
    std::vector<uint8_t> out(1 << 16);
    int result = Z_OK;
    while (result == Z_OK) {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        result = inflate(&z, Z_NO_FLUSH);
    }
    inflateEnd(&z);
    return result == Z_STREAM_END;
}

bool SameImage(const RasterImage& a, const RasterImage& b)
{
    return a.width == b.width && a.height == b.height && a.planes == b.planes && a.depth == b.depth &&
           a.pixels.size() == b.pixels.size() && std::memcmp(a.pixels.data(), b.pixels.data(), a.pixels.size()) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput in(data, size);
    const uint8_t flags = in.U8();
    static const PngFastForm kForms[4] = {PngFastForm::OwnDepth, PngFastForm::Colour, PngFastForm::Grey,
                                          PngFastForm::Colour};
    const PngFastForm form = kForms[flags & 3];
    const std::vector<uint8_t> file = flags & 4 ? BuildFile(in) : in.Rest();

    RasterImage fast;
    if (!DecodePngFast(file.data(), file.size(), form, kMaxArgbBytes, fast))
        return 0;  // left to libpng, which the renderer then calls
    if (fast.pixels.size() != size_t(fast.RowBytes()) * size_t(fast.height))
        __builtin_trap();
    RasterImage expected;
    if (!ReadWithLibpng(file, form, expected)) {
        if (ZlibTakesImageData(file))
            __builtin_trap();  // decoded a file libpng refuses
        return 0;
    }
    if (!SameImage(fast, expected))
        __builtin_trap();
    return 0;
}
