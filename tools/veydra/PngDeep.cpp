#include "PngDeep.h"

#include "FileBytes.h"
#include "PngChunks.h"
#include "PngFastDecode.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {

struct PngReadState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    FILE* file = nullptr;
    char message[200] = "";
    ~PngReadState()
    {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        if (file)
            std::fclose(file);
    }
};

void OnError(png_structp png, png_const_charp text)
{
    PngReadState* state = static_cast<PngReadState*>(png_get_error_ptr(png));
    std::snprintf(state->message, sizeof state->message, "%s", text);
    png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

bool KeepsOwnDepth(int bitDepth, int colourType)
{
    const bool grey = colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
    return grey || (bitDepth == 16 && colourType != PNG_COLOR_TYPE_PALETTE);
}

// libpng's own jumps land here; nothing with a destructor lives in this frame.
bool ReadRows(PngReadState& s, std::vector<png_bytep>& rows)
{
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    png_read_image(s.png, rows.data());
    png_read_end(s.png, nullptr);
    return true;
}

bool ReadHeader(PngReadState& s, png_uint_32& width, png_uint_32& height, int& bitDepth, int& colourType)
{
    if (setjmp(png_jmpbuf(s.png)))
        return false;
    png_init_io(s.png, s.file);
    png_read_info(s.png, s.info);
    png_get_IHDR(s.png, s.info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (!KeepsOwnDepth(bitDepth, colourType))
        return true;
    if (bitDepth < 8)
        png_set_expand_gray_1_2_4_to_8(s.png);
    if (png_get_valid(s.png, s.info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(s.png);
    if (bitDepth == 16) {
        const uint16_t probe = 1;
        uint8_t first = 0;
        std::memcpy(&first, &probe, 1);
        if (first == 1)
            png_set_swap(s.png);  // the file is big-endian, the machine little-endian
    }
    png_set_interlace_handling(s.png);
    png_read_update_info(s.png, s.info);
    return true;
}

// The file `s` has open, its signature next; `name` starts every error.
bool ReadOpened(PngReadState& s, const std::string& name, RasterImage& image)
{
    uint8_t signature[8] = {};
    if (std::fread(signature, 1, 8, s.file) != 8 || png_sig_cmp(signature, 0, 8) != 0)
        return false;  // ReadPng says what is wrong with it
    s.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &s, OnError, OnWarning);
    s.info = s.png ? png_create_info_struct(s.png) : nullptr;
    if (!s.info)
        throw std::bad_alloc();
    png_set_sig_bytes(s.png, 8);
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
    if (!ReadHeader(s, width, height, bitDepth, colourType))
        throw CliError(name + ": not a readable PNG file (" + s.message + ")");
    if (!KeepsOwnDepth(bitDepth, colourType))
        return false;
    if (uint64_t(width) * height * 4 > kMaxImageBytes)
        throw CliError(name + ": image too large to hold in memory");

    RasterImage out;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.planes = png_get_channels(s.png, s.info);
    out.depth = bitDepth == 16 ? 16 : 8;
    const size_t rowBytes = png_get_rowbytes(s.png, s.info);
    if (rowBytes != static_cast<size_t>(out.RowBytes()))
        throw CliError(name + ": unexpected PNG layout");
    try {
        out.pixels.resize(rowBytes * height);
    } catch (const std::bad_alloc&) {
        throw CliError(name + ": image too large to hold in memory");
    }
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = out.pixels.data() + rowBytes * y;
    if (!ReadRows(s, rows))
        throw CliError(name + ": corrupt or truncated PNG (" + s.message + ")");
    image = std::move(out);
    return true;
}

}  // namespace

bool ReadPngAtOwnDepth(const std::string& path, RasterImage& image)
{
    // A file whose chunks before the image data are all in order is one
    // libpng reads the header of without a fault, so its kind settles the
    // question without libpng. Nearly every file shows it in its first
    // 64 KB; this read is wasted on the files ReadPng then reads.
    std::vector<uint8_t> start;
    PngHeader header;
    if (ReadFileStart(path, 64 * 1024, start) && ReadPngHead(start.data(), start.size(), header) &&
        !KeepsOwnDepth(header.bitDepth, header.colourType))
        return false;
    LargeVector<uint8_t> file;
    if (ReadFileBytes(path, file) &&
        DecodePngFastOverwriting(file.data(), file.size(), PngFastForm::OwnDepth, kMaxImageBytes, image))
        return true;
    return ReadPngAtOwnDepthWithLibpng(path, image);
}

bool ReadPngAtOwnDepthWithLibpng(const std::string& path, RasterImage& image)
{
    PngReadState s;
    s.file = std::fopen(path.c_str(), "rb");
    if (!s.file)
        throw CliError(path + ": " + std::strerror(errno));
    return ReadOpened(s, path, image);
}

bool DecodePngAtOwnDepthWithLibpng(const void* data, size_t size, const std::string& name, RasterImage& image)
{
    PngReadState s;
    // A stream over the bytes in memory; none for an empty file, which is
    // no PNG either.
    s.file = size ? fmemopen(const_cast<void*>(data), size, "rb") : nullptr;
    return s.file && ReadOpened(s, name, image);
}