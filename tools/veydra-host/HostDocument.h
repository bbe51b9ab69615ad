// The image the test host edits: a layer with transparency (from an RGBA
// PNG) or a flat RGB image, optionally with a selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostDocument {
    int width = 0;
    int height = 0;
    int planes = 0;               // colours, then the layer's transparency if any
    int colours = 3;              // 3 RGB, 1 grey
    int depth = 8;                // 16: every sample a uint16_t of 0..32768, as hosts hand them
    std::vector<uint8_t> pixels;  // interleaved samples, rows packed
    std::vector<uint8_t> mask;    // one byte per pixel; empty: no selection

    bool HasSelection() const { return !mask.empty(); }
    bool HasTransparency() const { return planes > colours; }
    int SampleBytes() const { return depth / 8; }
    int PixelBytes() const { return planes * SampleBytes(); }
    // The filter record's imageMode: RGB 3, Grayscale 1, RGB48 11, Gray16 10.
    int ImageMode() const { return colours == 1 ? (depth == 16 ? 10 : 1) : (depth == 16 ? 11 : 3); }
};

// From PNG files (the mask read as grey). False with a reason.
bool LoadDocument(const std::string& image, const std::string& mask, HostDocument& document, std::string& error);

// A square layer like the benchmark's: an opaque disc with a soft rim on a
// transparent ground. False when the memory cannot be had.
bool MakeSyntheticLayer(int side, HostDocument& document);

bool SaveDocument(const std::string& path, const HostDocument& document, std::string& error);
