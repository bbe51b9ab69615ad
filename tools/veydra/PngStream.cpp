#include "PngStream.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "PngImage.h"
#include "imaging/WorkerThreads.h"

namespace {

const int kZlibLevel = 1;
// Rows a band holds (the last may hold fewer). Bands depend on the image
// alone, never on the number of threads, so a file comes out the same to
// the byte on any machine; a cut costs a few bytes and restarts the
// compressor's history.
const int kRowsPerBand = 512;
const uint8_t kFilterUp = 2;

void PutBigEndian(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 24));
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

// One chunk: length, type, data, and the CRC of type and data.
bool WriteChunk(FILE* file, const char* type, const uint8_t* data, size_t size)
{
    std::vector<uint8_t> head;
    PutBigEndian(head, static_cast<uint32_t>(size));
    head.insert(head.end(), type, type + 4);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size)
        crc = crc32(crc, data, static_cast<uInt>(size));
    std::vector<uint8_t> tail;
    PutBigEndian(tail, static_cast<uint32_t>(crc));
    return std::fwrite(head.data(), 1, head.size(), file) == head.size() &&
           (size == 0 || std::fwrite(data, 1, size, file) == size) &&
           std::fwrite(tail.data(), 1, tail.size(), file) == tail.size();
}

// Rows begin ... end - 1, filtered and deflated as raw deflate data that
// ends on a byte boundary (the last band: the stream's final block).
struct Band {
    std::vector<uint8_t> data;
    uLong adler = 1;  // of the filtered bytes alone
    uLong length = 0;
    bool ok = false;
};

void DeflateBand(const RasterImage& image, int begin, int end, bool last, Band& band)
{
    const size_t rowBytes = static_cast<size_t>(image.RowBytes());
    std::vector<uint8_t> filtered(rowBytes + 1);
    // The compressed bytes come out through a small buffer and are kept as
    // they come, so only what the band compresses to is ever touched.
    std::vector<uint8_t> scratch(size_t(1) << 16);
    z_stream z;
    std::memset(&z, 0, sizeof z);
    if (deflateInit2(&z, kZlibLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return;
    bool ok = true;
    for (int y = begin; y < end && ok; ++y) {
        const uint8_t* row = image.pixels.data() + static_cast<size_t>(y) * rowBytes;
        const uint8_t* above = y > 0 ? row - rowBytes : nullptr;
        filtered[0] = kFilterUp;
        if (image.depth == 16) {
            // PNG stores 16-bit samples most significant byte first.
            for (size_t i = 0; i < rowBytes; i += 2) {
                uint16_t v = 0, up = 0;
                std::memcpy(&v, row + i, 2);
                if (above)
                    std::memcpy(&up, above + i, 2);
                filtered[i + 1] = static_cast<uint8_t>((v >> 8) - (up >> 8));
                filtered[i + 2] = static_cast<uint8_t>((v & 0xFF) - (up & 0xFF));
            }
        } else {
            for (size_t i = 0; i < rowBytes; ++i)
                filtered[i + 1] = static_cast<uint8_t>(row[i] - (above ? above[i] : 0));
        }
        band.adler = adler32(band.adler, filtered.data(), static_cast<uInt>(filtered.size()));
        band.length += static_cast<uLong>(filtered.size());
        z.next_in = filtered.data();
        z.avail_in = static_cast<uInt>(filtered.size());
        const int flush = y + 1 < end ? Z_NO_FLUSH : last ? Z_FINISH : Z_FULL_FLUSH;
        int result = Z_OK;
        do {
            z.next_out = scratch.data();
            z.avail_out = static_cast<uInt>(scratch.size());
            result = deflate(&z, flush);
            band.data.insert(band.data.end(), scratch.data(), scratch.data() + (scratch.size() - z.avail_out));
        } while (result != Z_STREAM_ERROR && z.avail_out == 0);
        ok = result != Z_STREAM_ERROR && z.avail_in == 0 && (flush != Z_FINISH || result == Z_STREAM_END);
    }
    deflateEnd(&z);
    band.ok = ok;
}

}  // namespace

bool WritePngStream(FILE* file, const RasterImage& image, std::string& error)
{
    if (image.width <= 0 || image.height <= 0 || image.planes < 1 || image.planes > 4 ||
        (image.depth != 8 && image.depth != 16)) {
        error = "nothing to encode";
        return false;
    }
    const int bands = (image.height + kRowsPerBand - 1) / kRowsPerBand;
    std::vector<Band> pieces(static_cast<size_t>(bands));
    ParallelFor(bands, 1, [&](int first, int last) {
        for (int b = first; b < last; ++b) {
            const int begin = b * kRowsPerBand;
            const int end = std::min(image.height, begin + kRowsPerBand);
            DeflateBand(image, begin, end, b + 1 == bands, pieces[static_cast<size_t>(b)]);
        }
    });
    uLong adler = 1;
    for (const Band& band : pieces) {
        if (!band.ok) {
            error = "zlib failed";
            return false;
        }
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.length));
    }

    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(image.width));
    PutBigEndian(header, static_cast<uint32_t>(image.height));
    static const uint8_t kColourTypes[5] = {0, 0, 4, 2, 6};  // by planes: grey, grey+alpha, RGB, RGBA
    header.insert(header.end(), {static_cast<uint8_t>(image.depth), kColourTypes[image.planes], 0, 0, 0});  // depth, colour, deflate, filters, no interlace
    // The zlib header of the fastest level (CMF 0x78, FLG 0x01) first, the
    // checksum of all filtered bytes last, the bands in between.
    static const uint8_t kZlibHeader[2] = {0x78, 0x01};
    std::vector<uint8_t> trailer;
    PutBigEndian(trailer, static_cast<uint32_t>(adler));
    bool ok = std::fwrite(kSignature, 1, sizeof kSignature, file) == sizeof kSignature &&
              WriteChunk(file, "IHDR", header.data(), header.size()) &&
              WriteChunk(file, "IDAT", kZlibHeader, sizeof kZlibHeader);
    for (const Band& band : pieces) {
        // Chunks stay well below the 2^31 bytes a PNG chunk may hold.
        const size_t kMaxChunk = size_t(1) << 30;
        for (size_t at = 0; ok && at < band.data.size(); at += kMaxChunk)
            ok = WriteChunk(file, "IDAT", band.data.data() + at, std::min(kMaxChunk, band.data.size() - at));
    }
    ok = ok && WriteChunk(file, "IDAT", trailer.data(), trailer.size()) && WriteChunk(file, "IEND", nullptr, 0);
    if (!ok)
        error = "cannot write the file";
    return ok;
}
