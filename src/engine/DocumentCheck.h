// Whether a document's description is one the engine can read and write:
// front ends build it from buffers of their own (arrays, tiles, a host's
// record), so every size and pointer is checked before the first pixel is
// touched. Each check throws std::invalid_argument naming what is wrong.
#pragma once

#include "imaging/PixelRect.h"
#include "render/DocumentPlanes.h"
#include "render/HostBuffers.h"

// Size, depth, scale, planes, input and selection.
void CheckDocumentInput(const DocumentPlanes& document);

// The output that holds `region` (empty: the whole document); returns the
// region the result is written to.
PixelRect CheckDocumentOutput(const DocumentPlanes& document, const PixelRect& region);

// An 8-bit RGB(A) document is read by the stages as it is.
inline bool IsPlainRgb8(const DocumentPlanes& document) { return document.depth == 8 && document.colours == 3; }

// Such a document as the stages read it.
HostBuffers PlainRgb8Pixels(const DocumentPlanes& document);
