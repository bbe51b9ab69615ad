// Laying the rendered shadow over the picture: into the host's output for the
// final result, and into the preview's view buffer while the dialog is open.
// Both put the shadow behind the object when `outside` is on and over
// everything otherwise, and scale its opacity by (100 - transparency) %.
#pragma once

#include "imaging/Dib.h"
#include "imaging/PixelRect.h"
#include "render/HostBuffers.h"
#include "render/RunGeometry.h"

// Whether `render`, holding the part `renderRect` of the frame, is large
// enough for it and the part lies inside the image: the composites write
// nothing for a part that does not.
inline bool RenderRectFits(const CDib& render, const PixelRect& rc, const RunGeometry& g)
{
    return rc.left >= 0 && rc.top >= 0 && rc.right <= g.imageWidth && rc.bottom <= g.imageHeight &&
           render.GetWidth() >= rc.right - rc.left && render.GetHeight() >= rc.bottom - rc.top;
}

// Blends the rendered shadow over the input pixels (host.inData) and
// writes every byte of every plane of host.outData. Hosts may hand over an
// output buffer that does not hold the image (the registration resource
// allows it), so the output is never read; when in and out are the same
// memory the result is the same. `render` holds the part `renderRect` of
// the frame (the whole image, or only what the shadow reaches); the rest of
// the frame counts as transparent black. `object` is the cut-out crop box
// at (cropLeft, cropTop); on a flat image it keeps the shadow off the object
// when `outside` is on. Nothing is written when `render` is smaller than
// `renderRect` or the rectangle leaves the image.
void CompositeShadow(const CDib& render, const PixelRect& renderRect, const CDib& object, const RunGeometry& geometry,
                     const HostBuffers& host, int transparency, bool outside);

// Fills `view` with the composite under the view rectangle whose top-left
// corner is (viewLeft, viewTop) in image coordinates.
void ComposePreview(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render, const CDib& object,
                    const RunGeometry& geometry, int transparency, bool outside);

// ComposePreview with the object taken straight from the host's pixels
// (HostBytesToArgb of each pixel with its ObjectOpacity), the very values a
// cut-out object buffer would hold: a scene that needs no such buffer
// composes the same view without one.
void ComposePreviewFromHost(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render,
                            const HostBuffers& host, const RunGeometry& geometry, int transparency, bool outside);
