// Laying the rendered shadow over a grey or 16-bit document at the
// document's own depth (DocumentPlanes.h). The shadow's coverage and colour
// are the engine's 8-bit values, the very ones the 8-bit compositing
// (Compositing.h) uses; everything after that is worked out on the
// document's scale 0..F (F = fullScale):
//
//   shadow opacity   a8 = alpha * (100 - transparency) / 100, truncated, and
//                    on a flat image with `outside` on, inside the crop box,
//                    a8 = (255 - object alpha) * a8 / 255, truncated: both
//                    exactly as at 8 bits. Then A = ExpandFrom8(a8).
//   shadow colour    C = ExpandFrom8 of the render's red, green, blue bytes
//                    (a grey document's shadow is grey already: the scene
//                    reduces its colour with LumaOf, so red is taken).
//   flat image       c = (d * (F - A) + C * A + F / 2) / F.
//   layer            "src over dst" with straight (not premultiplied)
//                    colours, src being the layer pixel over the shadow when
//                    `outside` is on and the shadow over the layer pixel
//                    otherwise:
//                      src alpha F: src; src alpha 0: dst, whole;
//                      w  = (dst alpha * (F - src alpha) + F / 2) / F
//                      ao = src alpha + w (the result's alpha; 0: dst)
//                      c  = (dst c * w + src c * src alpha + ao / 2) / ao.
//
// Every division rounds to nearest with halves upwards (the +F/2, +ao/2),
// where the 8-bit blend truncates: at 16 bits that bias would be 1/256 of an
// 8-bit step and only make results darker. All of it fits in 32 bits for F up
// to 65535. Where the shadow's opacity is 0 the document's samples come out
// unchanged, bit for bit, as do pixels the shadow does not reach (but, as at
// 8 bits, with `outside` on a layer pixel of transparency 0 takes the
// shadow's samples: all 0 where no shadow was drawn). Samples beyond colour
// and transparency pass through.
#pragma once

#include "imaging/Dib.h"
#include "imaging/PixelRect.h"
#include "render/DocumentPlanes.h"
#include "render/RunGeometry.h"

// As CompositeShadow (Compositing.h), onto the document: reads its input,
// writes every sample of every plane of its output (which may be the same
// memory when `region` is the whole image). Documents of 16 bits must have
// a fullScale of 32768 or 65535. Writes only `region` (CompositePlan,
// Compositing.h), the output holding just that part.
void CompositeDocument(const CDib& render, const PixelRect& renderRect, const CDib& object,
                       const RunGeometry& geometry, const DocumentPlanes& document, int transparency, bool outside,
                       const PixelRect& region = PixelRect{0, 0, 0, 0});
