#include "HostDocument.h"

#include <cmath>
#include <new>

#include "WicPng.h"

bool LoadDocument(const std::string& image, const std::string& mask, HostDocument& d, std::string& error)
{
    PngImage png;
    if (!ReadPng(image, png, error))
        return false;
    d.width = png.width;
    d.height = png.height;
    d.planes = png.hasAlpha ? 4 : 3;
    const size_t count = size_t(png.width) * png.height;
    d.pixels.resize(count * d.planes);
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < d.planes; ++c)
            d.pixels[i * d.planes + c] = png.rgba[i * 4 + c];
    if (mask.empty())
        return true;
    PngImage selection;
    if (!ReadPng(mask, selection, error))
        return false;
    if (selection.width != d.width || selection.height != d.height) {
        error = mask + ": the mask's size differs from the image's";
        return false;
    }
    d.mask.resize(count);
    for (size_t i = 0; i < count; ++i)
        d.mask[i] = selection.rgba[i * 4];  // grey: red = green = blue
    return true;
}

bool MakeSyntheticLayer(int side, HostDocument& d)
{
    try {
        d.width = d.height = side;
        d.planes = 4;
        d.pixels.assign(size_t(side) * side * 4, 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    const double centre = side / 2.0, radius = side / 3.0;
    for (int y = 0; y < side; ++y) {
        uint8_t* p = &d.pixels[size_t(y) * side * 4];
        for (int x = 0; x < side; ++x, p += 4) {
            const double r = std::sqrt((x - centre) * (x - centre) + (y - centre) * (y - centre));
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = 128;
            p[3] = r <= radius - 3 ? 255 : r >= radius ? 0 : static_cast<uint8_t>((radius - r) * 85);
        }
    }
    return true;
}

bool SaveDocument(const std::string& path, const HostDocument& d, std::string& error)
{
    PngImage png;
    png.width = d.width;
    png.height = d.height;
    png.hasAlpha = d.planes == 4;
    const size_t count = size_t(d.width) * d.height;
    png.rgba.resize(count * 4);
    for (size_t i = 0; i < count; ++i) {
        for (int c = 0; c < 3; ++c)
            png.rgba[i * 4 + c] = d.pixels[i * d.planes + c];
        png.rgba[i * 4 + 3] = d.planes == 4 ? d.pixels[i * 4 + 3] : 255;
    }
    return WritePng(path, png, error);
}
