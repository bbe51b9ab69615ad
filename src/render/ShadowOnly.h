// The shadow alone, for a layer with transparency: the result holds no
// object, only the shadow on transparency, so it can live on a layer of its
// own under (or over) the untouched object.
//
// It is the shadow exactly as the normal composite lays it: the layer over
// this result gives the normal result with the shadow behind the object,
// and this result over the layer gives it with the shadow over everything.
#pragma once

#include "imaging/Dib.h"
#include "imaging/PixelRect.h"
#include "render/DocumentPlanes.h"
#include "render/HostBuffers.h"
#include "render/RunGeometry.h"

// Writes the rendered shadow, its opacity scaled by (100 - transparency) %,
// into the first four planes of host.outData; planes beyond the fourth pass
// through from the input. `render` holds the part `renderRect` of the frame;
// the rest of the frame is transparent black. Does nothing on an image
// without transparency, which has no plane to hold it. Writes only
// `region` (CompositePlan, Compositing.h), the output holding just that part.
void CompositeShadowOnly(const CDib& render, const PixelRect& renderRect, const RunGeometry& geometry,
                         const HostBuffers& host, int transparency, const PixelRect& region = PixelRect{0, 0, 0, 0});

// As CompositeShadowOnly, onto a grey or 16-bit layer at its own depth: the
// shadow's colour and scaled opacity are the same 8-bit values, each taken
// to the document's scale with ExpandFrom8 (DocumentPlanes.h), so the layer
// over this result gives what CompositeDocument gives with the shadow
// behind it. Does nothing on a document without transparency.
void CompositeDocumentShadowOnly(const CDib& render, const PixelRect& renderRect, const RunGeometry& geometry,
                                 const DocumentPlanes& document, int transparency,
                                 const PixelRect& region = PixelRect{0, 0, 0, 0});
