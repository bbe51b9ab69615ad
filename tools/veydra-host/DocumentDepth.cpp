#include "DocumentDepth.h"

#include <cstring>

#include "WicPng.h"

namespace {

const uint32_t kHostFull = 32768;

// v on the scale 0..from onto 0..to, rounded to nearest.
uint32_t Rescale(uint32_t v, uint32_t from, uint32_t to) { return (v * to + from / 2) / from; }

void PutSample(HostDocument& d, size_t index, uint32_t v)
{
    if (d.depth == 16) {
        const uint16_t s = static_cast<uint16_t>(v);
        std::memcpy(&d.pixels[index * 2], &s, 2);
    } else {
        d.pixels[index] = static_cast<uint8_t>(v);
    }
}

uint32_t GetSample(const HostDocument& d, size_t index)
{
    if (d.depth != 16)
        return d.pixels[index];
    uint16_t s = 0;
    std::memcpy(&s, &d.pixels[index * 2], 2);
    return s;
}

void FromSamples(const PngSamples& png, bool grey, int depth, HostDocument& d)
{
    const bool alpha = png.channels == 4 || png.channels == 2;
    const int colours = png.channels <= 2 ? 1 : 3;
    d.width = png.width;
    d.height = png.height;
    d.colours = grey ? 1 : 3;
    d.planes = d.colours + (alpha ? 1 : 0);
    d.depth = depth;
    const uint32_t from = png.depth == 16 ? 65535 : 255;
    const uint32_t to = depth == 16 ? kHostFull : 255;
    const size_t count = size_t(png.width) * png.height;
    d.pixels.assign(count * d.PixelBytes(), 0);
    for (size_t i = 0; i < count; ++i) {
        const uint16_t* s = &png.samples[i * png.channels];
        const size_t at = i * d.planes;
        if (grey) {
            // Rec. 601 luma, as the module reduces a colour to grey.
            const uint32_t y = colours == 1 ? s[0] : (299u * s[0] + 587u * s[1] + 114u * s[2] + 500) / 1000;
            PutSample(d, at, Rescale(y, from, to));
        } else {
            for (int c = 0; c < 3; ++c)
                PutSample(d, at + c, Rescale(s[colours == 1 ? 0 : c], from, to));
        }
        if (alpha)
            PutSample(d, at + d.colours, Rescale(s[png.channels - 1], from, to));
    }
}

}  // namespace

bool LoadDocumentAt(const HostOptions& o, HostDocument& d, std::string& error)
{
    PngSamples png;
    if (o.synthetic > 0) {
        HostDocument layer;
        if (!MakeSyntheticLayer(o.synthetic, layer))
            return false;
        png.width = png.height = o.synthetic;
        png.channels = 4;
        png.samples.assign(layer.pixels.begin(), layer.pixels.end());
    } else if (!ReadPngSamples(o.input, png, error)) {
        return false;
    }
    FromSamples(png, o.grey, o.depth, d);
    if (o.mask.empty())
        return true;
    HostDocument selection;
    if (!LoadDocument(o.mask, "", selection, error))
        return false;
    if (selection.width != d.width || selection.height != d.height) {
        error = o.mask + ": the mask's size differs from the image's";
        return false;
    }
    d.mask.resize(size_t(d.width) * d.height);
    for (size_t i = 0; i < d.mask.size(); ++i)
        d.mask[i] = selection.pixels[i * selection.planes];
    return true;
}

bool SaveDocumentAt(const std::string& path, const HostDocument& d, std::string& error)
{
    PngSamples png;
    png.width = d.width;
    png.height = d.height;
    png.channels = d.planes;
    png.depth = d.depth;
    const size_t count = size_t(d.width) * d.height * d.planes;
    png.samples.resize(count);
    for (size_t i = 0; i < count; ++i)
        png.samples[i] = static_cast<uint16_t>(d.depth == 16 ? Rescale(GetSample(d, i), kHostFull, 65535)
                                                             : GetSample(d, i));
    return WritePngSamples(path, png, error);
}
