// The image the test host edits: a layer with transparency (from an RGBA
// PNG) or a flat RGB image, optionally with a selection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct HostDocument {
    int width = 0;
    int height = 0;
    int planes = 0;               // 4: layer with transparency; 3: flat image
    std::vector<uint8_t> pixels;  // interleaved R G B (A), rows packed
    std::vector<uint8_t> mask;    // one byte per pixel; empty: no selection

    bool HasSelection() const { return !mask.empty(); }
};

// From PNG files (the mask read as grey). False with a reason.
bool LoadDocument(const std::string& image, const std::string& mask, HostDocument& document, std::string& error);

// A square layer like the benchmark's: an opaque disc with a soft rim on a
// transparent ground. False when the memory cannot be had.
bool MakeSyntheticLayer(int side, HostDocument& document);

bool SaveDocument(const std::string& path, const HostDocument& document, std::string& error);
