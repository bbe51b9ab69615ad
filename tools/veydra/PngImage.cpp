#include "PngImage.h"

#include "FileBytes.h"
#include "PngFastDecode.h"
#include "PngStream.h"

#include <png.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct PngImageReader {
    png_image image;
    PngImageReader() { std::memset(&image, 0, sizeof image), image.version = PNG_IMAGE_VERSION; }
    ~PngImageReader() { png_image_free(&image); }
};

std::string Describe(const std::string& path, const char* what)
{
    return path + ": " + what;
}

// The pixels of an image whose header has been read, as 8-bit grey, RGB or
// RGBA.
RasterImage FinishRead(png_image& image, PngLoad load, const std::string& name, uint64_t maxArgbBytes)
{
    RasterImage out;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    // libpng lays a picture with alpha that is read as grey over what the
    // buffer holds: over black, then, never over what the memory held before.
    const bool laidOverBuffer = load == PngLoad::Grey && (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    if (load == PngLoad::Grey) {
        image.format = PNG_FORMAT_GRAY;
        out.planes = 1;
    } else if (image.format & PNG_FORMAT_FLAG_ALPHA) {
        image.format = PNG_FORMAT_RGBA;
        out.planes = 4;
    } else {
        image.format = PNG_FORMAT_RGB;
        out.planes = 3;
    }
    if (static_cast<uint64_t>(image.width) * image.height * 4 > maxArgbBytes)
        throw CliError(Describe(name, "image too large to hold in memory"));
    try {
        if (laidOverBuffer)
            out.pixels.resize(PNG_IMAGE_SIZE(image), 0);
        else
            out.pixels.resize(PNG_IMAGE_SIZE(image));
    } catch (const std::bad_alloc&) {
        throw CliError(Describe(name, "image too large to hold in memory"));
    }
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr))
        throw CliError(Describe(name, ("corrupt or truncated PNG (" + std::string(image.message) + ")").c_str()));
    return out;
}

PngFastForm FastForm(PngLoad load) { return load == PngLoad::Grey ? PngFastForm::Grey : PngFastForm::Colour; }

}  // namespace

RasterImage ReadPng(const std::string& path, PngLoad load)
{
    {
        LargeVector<uint8_t> file;
        RasterImage image;
        if (ReadFileBytes(path, file) &&
            DecodePngFastOverwriting(file.data(), file.size(), FastForm(load), kMaxImageBytes, image))
            return image;
    }
    return ReadPngWithLibpng(path, load);
}

RasterImage ReadPngWithLibpng(const std::string& path, PngLoad load)
{
    FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe)
        throw CliError(Describe(path, std::strerror(errno)));
    std::fclose(probe);

    PngImageReader reader;
    if (!png_image_begin_read_from_file(&reader.image, path.c_str()))
        throw CliError(
            Describe(path, ("not a readable PNG file (" + std::string(reader.image.message) + ")").c_str()));
    return FinishRead(reader.image, load, path, kMaxImageBytes);
}

RasterImage DecodePng(const void* data, size_t size, PngLoad load, const std::string& name, uint64_t maxArgbBytes)
{
    RasterImage image;
    if (DecodePngFast(static_cast<const uint8_t*>(data), size, FastForm(load), maxArgbBytes, image))
        return image;
    return DecodePngWithLibpng(data, size, load, name, maxArgbBytes);
}

RasterImage DecodePngWithLibpng(const void* data, size_t size, PngLoad load, const std::string& name,
                                uint64_t maxArgbBytes)
{
    PngImageReader reader;
    if (!png_image_begin_read_from_memory(&reader.image, data, size))
        throw CliError(
            Describe(name, ("not a readable PNG file (" + std::string(reader.image.message) + ")").c_str()));
    return FinishRead(reader.image, load, name, maxArgbBytes);
}

namespace {

std::string TemporaryPathBeside(const std::string& path)
{
    return path + ".tmp-" + std::to_string(static_cast<long>(getpid()));
}

void WriteToStream(FILE* file, const RasterImage& source)
{
    // Output files are working copies: written for speed, their data
    // compressed by the worker threads side by side (PngStream.h).
    std::string error;
    if (!WritePngStream(file, source, error))
        throw CliError("cannot encode PNG (" + error + ")");
}

}  // namespace

void WritePngAtomically(const std::string& path, const RasterImage& source)
{
    const std::string temp = TemporaryPathBeside(path);
    FILE* file = std::fopen(temp.c_str(), "wb");
    if (!file)
        throw CliError(Describe(path, ("cannot write: " + std::string(std::strerror(errno))).c_str()));
    try {
        WriteToStream(file, source);
        if (std::fflush(file) != 0 || fsync(fileno(file)) != 0)
            throw CliError(Describe(path, ("cannot write: " + std::string(std::strerror(errno))).c_str()));
    } catch (...) {
        std::fclose(file);
        std::remove(temp.c_str());
        throw;
    }
    if (std::fclose(file) != 0) {
        std::remove(temp.c_str());
        throw CliError(Describe(path, ("cannot write: " + std::string(std::strerror(errno))).c_str()));
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temp.c_str());
        throw CliError(Describe(path, ("cannot write: " + reason).c_str()));
    }
}
