#include "render/Compositing.h"

#include <algorithm>
#include <cstring>

#include "imaging/WorkerThreads.h"

namespace {

// The colour bytes of an ARGB pixel into a host pixel.
inline void ArgbToHost(ARGB c, uint8_t* p)
{
    p[0] = static_cast<uint8_t>(c >> 16);
    p[1] = static_cast<uint8_t>(c >> 8);
    p[2] = static_cast<uint8_t>(c);
}

// Planes beyond the ones we compose pass through from the input, so every
// byte of the output pixel is written.
inline void CopyExtraPlanes(const uint8_t* in, uint8_t* out, int first, int planes)
{
    for (int c = first; c < planes; ++c)
        out[c] = in[c];
}

// A layer with transparency: the layer pixel goes over the shadow (outside)
// or the shadow over the layer pixel.
void CompositeLayerRow(const ARGB* shadow, const uint8_t* in, uint8_t* out, int width, int planes, uint32_t keep,
                       bool outside)
{
    for (int x = 0; x < width; ++x, in += planes, out += planes) {
        const ARGB s = shadow[x];
        const uint32_t a = (s >> 24) * keep / 100;
        const ARGB scaled = a << 24 | (s & 0x00FFFFFF);
        const ARGB h = HostBytesToArgb(in, in[3]);
        const ARGB r = outside ? BlendArgb(scaled, h) : BlendArgb(h, scaled);
        ArgbToHost(r, out);
        out[3] = static_cast<uint8_t>(r >> 24);
        CopyExtraPlanes(in, out, 4, planes);
    }
}

// A flat image: the shadow over the pixel, weakened by the object's opacity
// where `objectRow` is given (outside on, inside the crop box's rows).
void CompositeFlatRow(const ARGB* shadow, const uint8_t* in, uint8_t* out, int width, int planes, uint32_t keep,
                      const ARGB* objectRow, int cropLeft, int cropRight)
{
    for (int x = 0; x < width; ++x, in += planes, out += planes) {
        const ARGB s = shadow[x];
        uint32_t a = (s >> 24) * keep / 100;
        if (objectRow && a != 0 && x >= cropLeft && x <= cropRight)
            a = (255 - (objectRow[x - cropLeft] >> 24)) * a / 255;
        if (a == 0) {
            // BlendArgb would return the pixel unchanged.
            CopyExtraPlanes(in, out, 0, planes);
            continue;
        }
        const ARGB r = BlendArgb(HostBytesToArgb(in, 255), a << 24 | (s & 0x00FFFFFF));
        ArgbToHost(r, out);
        CopyExtraPlanes(in, out, 3, planes);
    }
}

// Pixels no shadow reaches, as the rows above give them for a shadow pixel
// of 0: unchanged, except that with `outside` on a layer pixel of alpha 0
// becomes 0 in all four bytes (the shadow's own bytes, BlendArgb(0, h)).
void CompositeBareRow(const uint8_t* in, uint8_t* out, int width, int planes, bool clearTransparent)
{
    if (clearTransparent) {
        for (int x = 0; x < width; ++x, in += planes, out += planes) {
            if (in[3] == 0) {
                out[0] = out[1] = out[2] = out[3] = 0;
                CopyExtraPlanes(in, out, 4, planes);
            } else if (in != out) {
                CopyExtraPlanes(in, out, 0, planes);
            }
        }
        return;
    }
    if (in != out)
        std::memcpy(out, in, static_cast<size_t>(width) * static_cast<size_t>(planes));
}

}  // namespace

CompositePlan PlanComposite(const void* in, const void* out, const CDib& render, const PixelRect& rc,
                            const CDib& object, const RunGeometry& g, int transparency, bool outside,
                            const PixelRect& region)
{
    CompositePlan plan;
    const PixelRect image{0, 0, g.imageWidth, g.imageHeight};
    plan.part = region.IsEmpty() ? image : region;
    plan.reaches = rc.right > rc.left && rc.bottom > rc.top;
    const bool inImage = plan.part.left >= 0 && plan.part.top >= 0 && plan.part.right <= image.right &&
                         plan.part.bottom <= image.bottom;
    plan.writes = in != nullptr && out != nullptr && inImage && (!plan.reaches || RenderRectFits(render, rc, g));
    plan.keep = static_cast<uint32_t>(100 - transparency);
    plan.useObject = outside && !object.IsEmpty() && object.GetWidth() == g.CropWidth() &&
                     object.GetHeight() == g.CropHeight();
    return plan;
}

void CompositeShadow(const CDib& render, const PixelRect& rc, const CDib& object, const RunGeometry& g,
                     const HostBuffers& host, int transparency, bool outside, const PixelRect& region)
{
    const CompositePlan plan =
        PlanComposite(host.inData, host.outData, render, rc, object, g, transparency, outside, region);
    if (!plan.writes)
        return;
    const int planes = host.planes;
    const bool clearTransparent = host.HasTransparency() && outside;
    const PixelRect& part = plan.part;
    ForEachCompositeRow(plan, rc, [&](int y, RowReach reach) {
        uint8_t* out = host.outData + static_cast<intptr_t>(y - part.top) * host.outRowBytes;
        const auto outAt = [&](int x) { return out + static_cast<intptr_t>(x - part.left) * planes; };
        // Left of the shadow's reach, the reach, right of it.
        CompositeBareRow(host.InPixel(part.left, y), out, reach.left - part.left, planes, clearTransparent);
        const int width = reach.right - reach.left;
        if (width > 0) {
            const ARGB* shadow = render.Row(y - rc.top) + (reach.left - rc.left);
            const uint8_t* inReach = host.InPixel(reach.left, y);
            if (host.HasTransparency()) {
                CompositeLayerRow(shadow, inReach, outAt(reach.left), width, planes, plan.keep, outside);
            } else {
                const bool inCropRows = plan.useObject && y >= g.cropTop && y <= g.cropBottom;
                const ARGB* objectRow = inCropRows ? object.Row(y - g.cropTop) : nullptr;
                // Columns counted from the reach's left: the crop box moves
                // with them, and the object row is indexed from it.
                CompositeFlatRow(shadow, inReach, outAt(reach.left), width, planes, plan.keep, objectRow,
                                 g.cropLeft - reach.left, g.cropRight - reach.left);
            }
        }
        CompositeBareRow(host.InPixel(reach.right, y), outAt(reach.right), part.right - reach.right, planes,
                         clearTransparent);
    });
}

namespace {

// Blends the crop box's object, cut from the host's pixels as it is read,
// into the view rows firstRow ... endRow - 1, placed and clipped as
// CDib::BlendAtRows places an object buffer at (cropLeft, cropTop).
void BlendHostObjectRows(CDib& view, int viewLeft, int viewTop, const HostBuffers& host, const RunGeometry& g,
                         int firstRow, int endRow)
{
    const int x = g.cropLeft - viewLeft;
    const int y = g.cropTop - viewTop;
    const int dx = std::max(x, 0);
    const int dy = std::max(y, 0);
    const int w = std::min(x + g.CropWidth(), view.GetWidth()) - dx;
    const int h = std::min(y + g.CropHeight(), view.GetHeight()) - dy;
    if (view.IsEmpty() || w <= 0 || h <= 0)
        return;
    // Image coordinates of the first covered pixel.
    const int ix = viewLeft + dx;
    const int iy = viewTop + dy;
    const int rowBegin = std::max(0, firstRow - dy);
    const int rowEnd = std::min(h, endRow - dy);
    for (int row = rowBegin; row < rowEnd; ++row) {
        ARGB* d = view.Row(dy + row) + dx;
        for (int i = 0; i < w; ++i) {
            const ARGB s = HostBytesToArgb(host.InPixel(ix + i, iy + row), host.ObjectOpacity(ix + i, iy + row));
            d[i] = BlendArgb(d[i], ScaleAlpha(s, 255));
        }
    }
}

// The four layers of the preview in their order, band by band of the view's
// rows (a band touches only its own rows); `blendObject` lays the object
// over the rows of a band.
template <class BlendObject>
void ComposeView(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render, int transparency,
                 bool outside, const BlendObject& blendObject)
{
    const int op = (100 - transparency) * 255 / 100;
    ParallelFor(view.GetHeight(), LinesPerThread(view.GetWidth()), [&](int begin, int end) {
        view.FillRows(0, begin, end);
        view.BlendAtRows(image, -viewLeft, -viewTop, 255, begin, end);
        if (outside) {
            view.BlendAtRows(render, -viewLeft, -viewTop, op, begin, end);
            blendObject(begin, end);
        } else {
            blendObject(begin, end);
            view.BlendAtRows(render, -viewLeft, -viewTop, op, begin, end);
        }
    });
}

}  // namespace

void ComposePreview(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render, const CDib& object,
                    const RunGeometry& g, int transparency, bool outside)
{
    ComposeView(view, viewLeft, viewTop, image, render, transparency, outside, [&](int begin, int end) {
        view.BlendAtRows(object, g.cropLeft - viewLeft, g.cropTop - viewTop, 255, begin, end);
    });
}

void ComposePreviewFromHost(CDib& view, int viewLeft, int viewTop, const CDib& image, const CDib& render,
                            const HostBuffers& host, const RunGeometry& g, int transparency, bool outside)
{
    ComposeView(view, viewLeft, viewTop, image, render, transparency, outside, [&](int begin, int end) {
        BlendHostObjectRows(view, viewLeft, viewTop, host, g, begin, end);
    });
}
