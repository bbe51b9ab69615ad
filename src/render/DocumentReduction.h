// The 8-bit RGB(A) picture of a grey or 16-bit document that the shadow
// engine reads (the engine is one engine for every document): each colour
// and transparency sample reduced with ReduceTo8, a grey sample copied into
// red, green and blue. The dialog's preview shows this reduction, which is
// what an editor shows of such a document on an 8-bit display.
#pragma once

#include <cstdint>

#include "imaging/LargeMemory.h"
#include "render/DocumentPlanes.h"
#include "render/HostBuffers.h"
#include "render/RunGeometry.h"

class CDocumentReduction {
public:
    // Fills the reduction from the document's input samples and returns it
    // as host buffers: 3 planes, or 4 when the document has transparency;
    // the document's own selection mask. Its output is the reduction itself
    // (nothing should be written there: the result goes to the document).
    // Throws std::bad_alloc when the memory cannot be had.
    HostBuffers Reduce(const DocumentPlanes& document);

    // The same for a layer without a selection, where the engine reads
    // nothing of the picture outside the crop box around the object: finds
    // the object in the document's own transparency samples, fills
    // `geometry` exactly as ComputeRunGeometry does on the whole reduction,
    // and reduces only the crop box (the rest of the buffer is left unset).
    // On a large layer most of the picture is never read or written.
    // Returns the refusal, if any; `host` is meaningful only without one.
    RunRefusal ReduceLayerObject(const DocumentPlanes& document, HostBuffers& host, RunGeometry& geometry);

private:
    LargeVector<uint8_t> m_pixels;
};
