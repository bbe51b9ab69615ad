#include "PngFastDecode.h"

#include <cstring>
#include <new>
#include <vector>

#include "PngChunks.h"
#include "PngInflate.h"
#include "PngPixels.h"
#include "PngUnfilter.h"
#include "imaging/WorkerThreads.h"

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

bool Decline(const char* reason, const char** why)
{
    if (why)
        *why = reason;
    return false;
}

bool LittleEndian()
{
    const uint16_t probe = 1;
    uint8_t first = 0;
    std::memcpy(&first, &probe, 1);
    return first == 1;
}

// What the form makes of the file: the planes and depth of the result and
// how each row gets there. False for files of other forms, and for those
// whose samples libpng would change in ways left to it.
bool ChooseRowFormat(const PngLayout& layout, PngFastForm form, PngRowFormat& f, int& planes, int& depth)
{
    const PngHeader& h = layout.header;
    const bool grey = h.colourType == kPngGrey || h.colourType == kPngGreyAlpha;
    switch (form) {
    case PngFastForm::OwnDepth:
        if (!grey && !(h.bitDepth == 16 && h.colourType != kPngPalette))
            return false;
        break;
    case PngFastForm::Colour:
        if (!layout.gammaIsSrgb || !((h.bitDepth == 8 && (h.colourType == kPngRgb || h.colourType == kPngRgba)) ||
                                     h.colourType == kPngPalette))
            return false;
        break;
    case PngFastForm::Grey:
        if (!layout.gammaIsSrgb || h.colourType != kPngGrey || h.bitDepth == 16 || layout.hasKeyColour)
            return false;
        break;
    }
    f.bitDepth = h.bitDepth;
    f.channels = h.Channels();
    f.keyed = layout.hasKeyColour;
    std::memcpy(f.key, layout.keyColour, sizeof f.key);
    depth = h.bitDepth == 16 ? 16 : 8;
    planes = f.channels + (f.keyed ? 1 : 0);
    if (h.colourType == kPngPalette) {
        f.kind = PngRowKind::Palette;
        f.paletteBytes = layout.hasPaletteAlpha ? 4 : 3;
        planes = f.paletteBytes;
    } else if (h.bitDepth < 8) {
        f.kind = PngRowKind::GreyBits;
    } else if (f.keyed) {
        f.kind = PngRowKind::Keyed;
    } else {
        // A big-endian machine takes 16-bit samples as they are stored.
        f.kind = h.bitDepth == 16 && LittleEndian() ? PngRowKind::Swap : PngRowKind::Copy;
    }
    return true;
}

// Faults in the pages of a buffer for writing without changing a byte, so
// that another thread can do it while the data is being inflated into it.
void PrefaultForWriting(uint8_t* data, size_t size)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(page - 1);
    // A kernel before 5.14 refuses; the inflating thread then faults the
    // pages in itself.
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

// The image data as one zlib stream, and whether the IDAT chunks' CRCs
// are still to be checked.
struct ImageStream {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool crcsToCheck = true;
    LargeVector<uint8_t> joined;
};

// Inflates the stream to `out` while another thread checks the CRCs of the
// IDAT chunks (where that is still to do) and faults in the pages of
// `pages`.
bool InflateChecked(const uint8_t* file, const PngLayout& layout, const ImageStream& stream, uint8_t* out,
                    size_t size, uint8_t* pages, size_t pageBytes)
{
    bool inflated = false, intact = !stream.crcsToCheck;
    ParallelFor(2, 1, [&](int begin, int end) {
        if (begin == 0 && end == 2) {  // one thread: the cheap check first
            intact = intact || ImageChunksIntact(file, layout);
            inflated = intact && InflateImageData(stream.data, stream.size, out, size);
        } else if (begin == 0) {
            inflated = InflateImageData(stream.data, stream.size, out, size);
        } else {
            intact = intact || ImageChunksIntact(file, layout);
            PrefaultForWriting(pages, pageBytes);
        }
    });
    return inflated && intact;
}

// One image (or interlace pass) row by row: each stored row (filter byte
// first) reconstructed against the one above and converted into `out`.
// The stored rows may lie after `out` in the same buffer, as long as no
// output row reaches past the stored row it comes from.
bool ReconstructRows(const uint8_t* stored, uint32_t columns, uint32_t rows, const PngHeader& h,
                     const PngRowFormat& f, uint8_t* out, size_t outRowBytes, std::vector<uint8_t>& scratch)
{
    const size_t rowBytes = h.StoredRowBytes(columns);
    const int step = h.FilterStep();
    if (f.kind == PngRowKind::Copy) {
        // The output is the reconstructed row itself, and the row above
        // is the previous output row.
        for (uint32_t y = 0; y < rows; ++y, stored += rowBytes + 1, out += outRowBytes) {
            if (!UnfilterRow(stored[0], stored + 1, out, y ? out - outRowBytes : nullptr, rowBytes, step))
                return false;
        }
        return true;
    }
    scratch.resize(2 * rowBytes);
    uint8_t* row = scratch.data();
    uint8_t* above = row + rowBytes;
    for (uint32_t y = 0; y < rows; ++y, stored += rowBytes + 1, out += outRowBytes) {
        if (!UnfilterRow(stored[0], stored + 1, row, y ? above : nullptr, rowBytes, step))
            return false;
        ConvertRow(f, row, out, columns);
        std::swap(row, above);
    }
    return true;
}

struct Adam7Pass {
    uint32_t x0, y0, dx, dy;
};
const Adam7Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                             {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

uint32_t PassExtent(uint32_t size, uint32_t start, uint32_t step)
{
    return size > start ? (size - start + step - 1) / step : 0;
}

size_t InterlacedBytes(const PngHeader& h)
{
    size_t total = 0;
    for (const Adam7Pass& p : kAdam7) {
        const uint32_t w = PassExtent(h.width, p.x0, p.dx), rows = PassExtent(h.height, p.y0, p.dy);
        if (w && rows)
            total += size_t(rows) * (h.StoredRowBytes(w) + 1);
    }
    return total;
}

// The seven passes, each reconstructed into a small image of its own and
// its pixels set in their places.
bool ReconstructInterlaced(const uint8_t* stored, const PngHeader& h, const PngRowFormat& f, RasterImage& image)
{
    const size_t pixelBytes = static_cast<size_t>(f.OutputPixelBytes());
    const size_t imageRowBytes = size_t(h.width) * pixelBytes;
    std::vector<uint8_t> scratch, pass;
    for (const Adam7Pass& p : kAdam7) {
        const uint32_t w = PassExtent(h.width, p.x0, p.dx), rows = PassExtent(h.height, p.y0, p.dy);
        if (!w || !rows)
            continue;
        pass.resize(size_t(w) * rows * pixelBytes);
        if (!ReconstructRows(stored, w, rows, h, f, pass.data(), size_t(w) * pixelBytes, scratch))
            return false;
        stored += size_t(rows) * (h.StoredRowBytes(w) + 1);
        const uint8_t* from = pass.data();
        for (uint32_t j = 0; j < rows; ++j) {
            uint8_t* to = image.pixels.data() + size_t(p.y0 + j * p.dy) * imageRowBytes + size_t(p.x0) * pixelBytes;
            for (uint32_t i = 0; i < w; ++i, from += pixelBytes, to += p.dx * pixelBytes)
                std::memcpy(to, from, pixelBytes);
        }
    }
    return true;
}

bool DecodeInterlaced(const uint8_t* file, const PngLayout& layout, const ImageStream& stream, const PngRowFormat& f,
                      size_t outBytes, RasterImage& image)
{
    image.pixels.resize(outBytes);
    LargeVector<uint8_t> stored(InterlacedBytes(layout.header));
    return InflateChecked(file, layout, stream, stored.data(), stored.size(), image.pixels.data(), outBytes) &&
           ReconstructInterlaced(stored.data(), layout.header, f, image);
}

// Rows in order, without a second buffer: the stored rows are inflated into
// the end of the pixel buffer (h bytes longer than the pixels, for the
// filter bytes) and reconstructed front to back into its start. An output
// row is never longer than its stored row plus its filter byte, so no row
// is overwritten before it has been read.
bool DecodeSequential(const uint8_t* file, const PngLayout& layout, const ImageStream& stream, const PngRowFormat& f,
                      size_t outBytes, RasterImage& image)
{
    const PngHeader& h = layout.header;
    const size_t storedBytes = size_t(h.height) * (h.StoredRowBytes(h.width) + 1);
    image.pixels.resize(outBytes + h.height);  // the one allocation; shrunk (not moved) at the end
    uint8_t* storedAt = image.pixels.data() + (image.pixels.size() - storedBytes);
    std::vector<uint8_t> scratch;
    const bool ok = InflateChecked(file, layout, stream, storedAt, storedBytes, image.pixels.data(),
                                   image.pixels.size()) &&
                    ReconstructRows(storedAt, h.width, h.height, h, f, image.pixels.data(),
                                    size_t(h.width) * size_t(f.OutputPixelBytes()), scratch);
    image.pixels.resize(outBytes);
    return ok;
}

// The image data in one piece: where it lies, joined over the file's own
// bytes where they may be overwritten, else copied.
bool PrepareStream(const uint8_t* file, uint8_t* writable, const PngLayout& layout, ImageStream& stream)
{
    PngSpan span{0, 0};
    if (writable && layout.imageData.size() > 1) {
        stream.crcsToCheck = false;
        if (!JoinImageDataInPlace(writable, layout, span))
            return false;
    } else if (!JoinImageData(file, layout, stream.joined, span)) {
        return false;
    }
    stream.data = (stream.joined.empty() ? file : stream.joined.data()) + span.offset;
    stream.size = span.size;
    return true;
}

bool Decode(const uint8_t* file, uint8_t* writable, size_t size, PngFastForm form, uint64_t maxArgbBytes,
            RasterImage& image, const char** why)
{
    PngLayout layout;
    const char* reason = "";
    if (!ReadPngLayout(file, size, layout, reason))
        return Decline(reason, why);
    PngRowFormat format;
    uint8_t paletteRgba[256][4];
    for (int i = 0; i < 256; ++i) {
        std::memcpy(paletteRgba[i], layout.palette[i], 3);
        paletteRgba[i][3] = layout.paletteAlpha[i];
    }
    format.paletteRgba = paletteRgba;
    RasterImage out;
    if (!ChooseRowFormat(layout, form, format, out.planes, out.depth))
        return Decline("a file of another form, or one needing libpng's colour handling", why);
    const PngHeader& h = layout.header;
    if (uint64_t(h.width) * h.height * 4 > maxArgbBytes)
        return Decline("too large", why);
    out.width = static_cast<int>(h.width);
    out.height = static_cast<int>(h.height);
    try {
        ImageStream stream;
        if (!PrepareStream(file, writable, layout, stream))
            return Decline("damaged image data", why);
        const size_t outBytes = size_t(h.width) * h.height * size_t(format.OutputPixelBytes());
        const bool ok = h.interlaced ? DecodeInterlaced(file, layout, stream, format, outBytes, out)
                                     : DecodeSequential(file, layout, stream, format, outBytes, out);
        if (!ok)
            return Decline("damaged image data", why);
    } catch (const std::bad_alloc&) {
        return Decline("out of memory", why);
    }
    image = std::move(out);
    return true;
}

}  // namespace

bool DecodePngFast(const uint8_t* file, size_t size, PngFastForm form, uint64_t maxArgbBytes, RasterImage& image,
                   const char** why)
{
    return Decode(file, nullptr, size, form, maxArgbBytes, image, why);
}

bool DecodePngFastOverwriting(uint8_t* file, size_t size, PngFastForm form, uint64_t maxArgbBytes,
                              RasterImage& image, const char** why)
{
    return Decode(file, file, size, form, maxArgbBytes, image, why);
}
