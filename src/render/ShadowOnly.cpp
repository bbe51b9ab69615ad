#include "render/ShadowOnly.h"

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
                         int transparency, const PixelRect& region)
{
    const CompositePlan plan =
        PlanComposite(host.inData, host.outData, render, rc, CDib(), g, transparency, false, region);
    if (!plan.writes || !host.HasTransparency())
        return;
    const int planes = host.planes;
    const PixelRect& part = plan.part;
    ForEachCompositeRow(plan, rc, [&](int y, RowReach reach) {
        const ARGB* shadow = reach.right > reach.left ? render.Row(y - rc.top) : nullptr;
        const uint8_t* in = host.InPixel(part.left, y);
        uint8_t* out = host.outData + static_cast<intptr_t>(y - part.top) * host.outRowBytes;
        for (int x = part.left; x < part.right; ++x, in += planes, out += planes) {
            const bool inside = x >= reach.left && x < reach.right;
            WriteShadowPixel(inside ? shadow[x - rc.left] : 0, plan.keep, in, out, planes);
        }
    });
}

namespace {

template <typename Sample>
void ShadowOnlyAtDepth(const CDib& render, const PixelRect& rc, const CompositePlan& plan, const DocumentPlanes& d)
{
    const int colours = d.colours;
    const int planes = d.planes;
    const uint32_t full = d.fullScale;
    const PixelRect& part = plan.part;
    ForEachCompositeRow(plan, rc, [&](int y, RowReach reach) {
        const ARGB* shadow = reach.right > reach.left ? render.Row(y - rc.top) : nullptr;
        const Sample* in = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                           static_cast<intptr_t>(y) * d.inRowBytes) +
                           static_cast<intptr_t>(part.left) * planes;
        Sample* out = reinterpret_cast<Sample*>(static_cast<uint8_t*>(d.outData) +
                                                static_cast<intptr_t>(y - part.top) * d.outRowBytes);
        for (int x = part.left; x < part.right; ++x, in += planes, out += planes) {
            const bool inside = x >= reach.left && x < reach.right;
            const ARGB s = inside ? shadow[x - rc.left] : 0;
            // A grey document's shadow colour is grey already (the scene
            // reduces it), so its red byte is the grey.
            const uint32_t rgb[3] = {(s >> 16) & 0xFF, (s >> 8) & 0xFF, s & 0xFF};
            for (int c = 0; c < colours; ++c)
                out[c] = static_cast<Sample>(ExpandFrom8(rgb[c], full));
            out[colours] = static_cast<Sample>(ExpandFrom8((s >> 24) * plan.keep / 100, full));
            for (int c = colours + 1; c < planes; ++c)
                out[c] = in[c];
        }
    });
}

}  // namespace

void CompositeDocumentShadowOnly(const CDib& render, const PixelRect& rc, const RunGeometry& g,
                                 const DocumentPlanes& d, int transparency, const PixelRect& region)
{
    const CompositePlan plan = PlanComposite(d.inData, d.outData, render, rc, CDib(), g, transparency, false, region);
    if (!plan.writes || !d.HasTransparency())
        return;
    if (d.depth == 8)
        ShadowOnlyAtDepth<uint8_t>(render, rc, plan, d);
    else
        ShadowOnlyAtDepth<uint16_t>(render, rc, plan, d);
}
