#include "render/ShadowOnly.h"

#include "imaging/WorkerThreads.h"
#include "render/Compositing.h"

namespace {

inline void WriteShadowPixel(ARGB s, uint32_t keep, const uint8_t* in, uint8_t* out, int planes)
{
    // The same scaled pixel the normal composite blends with the layer.
    const uint32_t a = (s >> 24) * keep / 100;
    out[0] = static_cast<uint8_t>(s >> 16);
    out[1] = static_cast<uint8_t>(s >> 8);
    out[2] = static_cast<uint8_t>(s);
    out[3] = static_cast<uint8_t>(a);
    for (int c = 4; c < planes; ++c)
        out[c] = in[c];
}

}  // namespace

void CompositeShadowOnly(const CDib& render, const PixelRect& rc, const RunGeometry& g, const HostBuffers& host,
                         int transparency)
{
    if (host.outData == nullptr || host.inData == nullptr || !host.HasTransparency())
        return;
    const bool reaches = rc.right > rc.left && rc.bottom > rc.top;
    if (reaches && !RenderRectFits(render, rc, g))
        return;
    const uint32_t keep = static_cast<uint32_t>(100 - transparency);
    const int planes = host.planes;
    ParallelFor(g.imageHeight, LinesPerThread(g.imageWidth), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const bool rowReached = reaches && y >= rc.top && y < rc.bottom;
            const ARGB* shadow = rowReached ? render.Row(y - rc.top) : nullptr;
            for (int x = 0; x < g.imageWidth; ++x) {
                const bool inside = rowReached && x >= rc.left && x < rc.right;
                WriteShadowPixel(inside ? shadow[x - rc.left] : 0, keep, host.InPixel(x, y), host.OutPixel(x, y),
                                 planes);
            }
        }
    });
}

namespace {

template <typename Sample>
void ShadowOnlyAtDepth(const CDib& render, const PixelRect& rc, bool reaches, const RunGeometry& g,
                       const DocumentPlanes& d, uint32_t keep)
{
    const int colours = d.colours;
    const int planes = d.planes;
    const uint32_t full = d.fullScale;
    ParallelFor(g.imageHeight, LinesPerThread(g.imageWidth), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const bool rowReached = reaches && y >= rc.top && y < rc.bottom;
            const ARGB* shadow = rowReached ? render.Row(y - rc.top) : nullptr;
            const Sample* in = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                               size_t(y) * size_t(d.inRowBytes));
            Sample* out = reinterpret_cast<Sample*>(static_cast<uint8_t*>(d.outData) + size_t(y) * size_t(d.outRowBytes));
            for (int x = 0; x < g.imageWidth; ++x, in += planes, out += planes) {
                const bool inside = rowReached && x >= rc.left && x < rc.right;
                const ARGB s = inside ? shadow[x - rc.left] : 0;
                // A grey document's shadow colour is grey already (the scene
                // reduces it), so its red byte is the grey.
                const uint32_t rgb[3] = {(s >> 16) & 0xFF, (s >> 8) & 0xFF, s & 0xFF};
                for (int c = 0; c < colours; ++c)
                    out[c] = static_cast<Sample>(ExpandFrom8(rgb[c], full));
                out[colours] = static_cast<Sample>(ExpandFrom8((s >> 24) * keep / 100, full));
                for (int c = colours + 1; c < planes; ++c)
                    out[c] = in[c];
            }
        }
    });
}

}  // namespace

void CompositeDocumentShadowOnly(const CDib& render, const PixelRect& rc, const RunGeometry& g,
                                 const DocumentPlanes& d, int transparency)
{
    if (d.outData == nullptr || d.inData == nullptr || !d.HasTransparency())
        return;
    const bool reaches = rc.right > rc.left && rc.bottom > rc.top;
    if (reaches && !RenderRectFits(render, rc, g))
        return;
    const uint32_t keep = static_cast<uint32_t>(100 - transparency);
    if (d.depth == 8)
        ShadowOnlyAtDepth<uint8_t>(render, rc, reaches, g, d, keep);
    else
        ShadowOnlyAtDepth<uint16_t>(render, rc, reaches, g, d, keep);
}
