// How fast the PNG libraries Debian offers read and write the files the
// command-line renderer handles: libpng (the simplified API the renderer
// reads with, and its row API at several zlib levels and filters) against
// libspng. Each way is timed several times over one file
// already in memory; every decoder must give the same pixels.
//
//   png_codec_bench FILE.png [RUNS]
//
// Built only where libspng-dev is installed; not a test.
#include <png.h>
#include <spng.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

namespace {

typedef std::vector<unsigned char> Bytes;

double Milliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Prints the fastest and the median of `runs` runs; `what` returns the
// number of bytes it made (0 for a decoder).
void Time(const char* name, int runs, const std::function<size_t()>& what)
{
    std::vector<double> times;
    size_t bytes = 0;
    for (int i = 0; i < runs; ++i) {
        const double start = Milliseconds();
        bytes = what();
        times.push_back(Milliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("%-40s min %7.1f ms  median %7.1f ms", name, times.front(), times[times.size() / 2]);
    if (bytes)
        std::printf("  %zu bytes", bytes);
    std::printf("\n");
}

Bytes ReadFile(const char* path)
{
    Bytes data;
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return data;
    unsigned char block[1 << 16];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0)
        data.insert(data.end(), block, block + n);
    std::fclose(f);
    return data;
}

bool DecodeLibpng(const Bytes& file, Bytes& rgba, int& width, int& height)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        return false;
    image.format = PNG_FORMAT_RGBA;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    rgba.assign(PNG_IMAGE_SIZE(image), 0);
    const bool ok = png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool DecodeLibspng(const Bytes& file, Bytes& rgba)
{
    spng_ctx* ctx = spng_ctx_new(0);
    size_t size = 0;
    bool ok = spng_set_png_buffer(ctx, file.data(), file.size()) == 0 &&
              spng_decoded_image_size(ctx, SPNG_FMT_RGBA8, &size) == 0;
    if (ok) {
        rgba.assign(size, 0);
        ok = spng_decode_image(ctx, rgba.data(), size, SPNG_FMT_RGBA8, 0) == 0;
    }
    spng_ctx_free(ctx);
    return ok;
}

// Encoders write to a temporary file, as the renderer does; the size
// written comes back.
size_t EncodeLibpngSimplified(const Bytes& rgba, int width, int height, FILE* out)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    image.flags = PNG_IMAGE_FLAG_FAST;
    png_image_write_to_stdio(&image, out, 0, rgba.data(), 0, nullptr);
    png_image_free(&image);
    return static_cast<size_t>(std::ftell(out));
}

size_t EncodeLibpngRows(const Bytes& rgba, int width, int height, int level, int filter, FILE* out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return 0;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, filter);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return static_cast<size_t>(std::ftell(out));
}

size_t EncodeLibspng(const Bytes& rgba, int width, int height, int level, int filterChoice, FILE* out)
{
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    spng_set_png_file(ctx, out);
    spng_ihdr header = {};
    header.width = static_cast<uint32_t>(width);
    header.height = static_cast<uint32_t>(height);
    header.bit_depth = 8;
    header.color_type = SPNG_COLOR_TYPE_TRUECOLOR_ALPHA;
    spng_set_ihdr(ctx, &header);
    spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, level);
    spng_set_option(ctx, SPNG_FILTER_CHOICE, filterChoice);
    spng_encode_image(ctx, rgba.data(), rgba.size(), SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    spng_ctx_free(ctx);
    return static_cast<size_t>(std::ftell(out));
}

// Runs an encoder into a fresh temporary file each time.
size_t IntoFile(const std::function<size_t(FILE*)>& encode)
{
    FILE* out = std::tmpfile();
    const size_t bytes = encode(out);
    std::fclose(out);
    return bytes;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: png_codec_bench FILE.png [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const Bytes file = ReadFile(argv[1]);
    Bytes byLibpng, byLibspng;
    int width = 0, height = 0;
    if (!DecodeLibpng(file, byLibpng, width, height) || !DecodeLibspng(file, byLibspng)) {
        std::fprintf(stderr, "%s: not a PNG both libraries read\n", argv[1]);
        return 1;
    }
    std::printf("%s: %d x %d, %zu bytes; the decoders give %s pixels\n", argv[1], width, height, file.size(),
                byLibpng == byLibspng ? "the same" : "DIFFERENT");
    Time("decode libpng (simplified API)", runs, [&] { return DecodeLibpng(file, byLibpng, width, height), size_t(0); });
    Time("decode libspng", runs, [&] { return DecodeLibspng(file, byLibspng), size_t(0); });

    const Bytes& rgba = byLibpng;
    Time("encode libpng simplified, speed flag", runs,
         [&] { return IntoFile([&](FILE* out) { return EncodeLibpngSimplified(rgba, width, height, out); }); });
    const struct {
        const char* name;
        int libpng, libspng;
    } filters[] = {{"none", PNG_FILTER_NONE, SPNG_FILTER_CHOICE_NONE},
                   {"sub", PNG_FILTER_SUB, SPNG_FILTER_CHOICE_SUB},
                   {"up", PNG_FILTER_UP, SPNG_FILTER_CHOICE_UP}};
    for (int level = 1; level <= 3; ++level) {
        for (const auto& f : filters) {
            char name[64];
            std::snprintf(name, sizeof name, "encode libpng  zlib %d, filter %s", level, f.name);
            Time(name, runs, [&] {
                return IntoFile([&](FILE* out) { return EncodeLibpngRows(rgba, width, height, level, f.libpng, out); });
            });
            std::snprintf(name, sizeof name, "encode libspng zlib %d, filter %s", level, f.name);
            Time(name, runs, [&] {
                return IntoFile([&](FILE* out) { return EncodeLibspng(rgba, width, height, level, f.libspng, out); });
            });
        }
    }
    return 0;
}
