// Laying the rendered shadow over the picture: into the host's output for the
// final result, and into the preview's view buffer while the dialog is open.
// Both put the shadow behind the object when `outside` is on and over
// everything otherwise, and scale its opacity by (100 - transparency) %.
#pragma once

#include <algorithm>
#include <cstdint>

#include "imaging/Dib.h"
#include "imaging/PixelRect.h"
#include "imaging/WorkerThreads.h"
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

// What every composite into a document works out before its first pixel.
// The composites write the part `region` of the result (empty: the whole
// image); the output buffer holds just that part, its first row being
// region.top and its first pixel region.left, so a caller can have the
// result cut into tiles of its own.
struct CompositePlan {
    // There are buffers to read and write, the render's part fits and the
    // region lies inside the image; nothing is written otherwise.
    bool writes = false;
    // The shadow reaches some part of the frame.
    bool reaches = false;
    // The shadow's opacity kept, in percent.
    uint32_t keep = 0;
    // A flat image's cut-out object keeps the shadow off itself.
    bool useObject = false;
    // The pixels written, in image coordinates.
    PixelRect part{0, 0, 0, 0};
};

CompositePlan PlanComposite(const void* in, const void* out, const CDib& render, const PixelRect& renderRect,
                            const CDib& object, const RunGeometry& geometry, int transparency, bool outside,
                            const PixelRect& region);

// The columns [left, right) of row y that the render covers, within the
// plan's part; left == right == part.right where it covers none.
struct RowReach {
    int left;
    int right;
};

inline RowReach ReachInRow(const CompositePlan& plan, const PixelRect& rc, int y)
{
    const PixelRect& part = plan.part;
    if (!plan.reaches || y < rc.top || y >= rc.bottom || rc.left >= part.right || rc.right <= part.left)
        return RowReach{part.right, part.right};
    return RowReach{std::max(rc.left, part.left), std::min(rc.right, part.right)};
}

// Calls row(y, reach) for every row of the plan's part, on the worker
// threads (each output row depends on its own input row alone; when in and
// out are the same memory, on the very bytes it replaces).
template <class Row>
void ForEachCompositeRow(const CompositePlan& plan, const PixelRect& rc, const Row& row)
{
    const PixelRect& part = plan.part;
    ParallelFor(part.bottom - part.top, LinesPerThread(part.right - part.left), [&](int begin, int end) {
        for (int y = part.top + begin; y < part.top + end; ++y)
            row(y, ReachInRow(plan, rc, y));
    });
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
// `renderRect` or the rectangle leaves the image. Writes only `region`
// (CompositePlan); in and out may be the same memory when it is the whole
// image.
void CompositeShadow(const CDib& render, const PixelRect& renderRect, const CDib& object, const RunGeometry& geometry,
                     const HostBuffers& host, int transparency, bool outside,
                     const PixelRect& region = PixelRect{0, 0, 0, 0});

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
