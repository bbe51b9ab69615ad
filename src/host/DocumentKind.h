// Which documents the filter works on, read from the host's imageMode and
// depth: RGB and Grayscale at 8 or 16 bits per channel. The registration
// resource enables the menu item for exactly these; a host may still call
// with another mode, which the run refuses before asking for any pixels.
#pragma once

#include <cstdint>

#include "host/HostRecords.h"
#include "render/DocumentPlanes.h"

struct DocumentKind {
    bool supported = true;
    int colours = 3;  // colour planes: 1 grey, 3 RGB
    int depth = 8;    // bits per sample
    bool IsPlainRgb8() const { return colours == 3 && depth == 8; }
};

// imageMode 1 (Grayscale) and 3 (RGB) are 8-bit, 10 (Gray16) and 11 (RGB48)
// 16-bit; a `depth` of 16 also makes 1 and 3 16-bit. imageMode 0 from a host
// that fills in no mode counts as RGB when it hands three or more planes
// (as such hosts always did here). Every other mode, and depth 32, is
// refused.
DocumentKind KindOf(const FilterRecord& record);

// The message for a refused document, naming its mode, and its language key
// (section "Msg"): err_mode_cmyk, err_mode_lab, err_mode_indexed,
// err_mode_32bit, or err_mode for any other.
const char* UnsupportedModeText(const FilterRecord& record);
const char* UnsupportedModeKey(const FilterRecord& record);

// The delivered buffers as the engine reads them (call after
// CheckBuffers): samples on the host's 0..32768 scale at 16 bits.
DocumentPlanes DocumentOf(const FilterRecord& record, const DocumentKind& kind);
