#include "render/DeepCompositing.h"

#include <cstring>

#include "imaging/WorkerThreads.h"
#include "render/Compositing.h"

namespace {

template <class Sample, uint32_t kFull, int kColours>
struct DeepRows {
    // The shadow pixel's colour on the document's scale.
    static void ShadowColour(ARGB s, uint32_t* c)
    {
        c[0] = ExpandFrom8((s >> 16) & 0xFF, kFull);
        if (kColours == 3) {
            c[1] = ExpandFrom8((s >> 8) & 0xFF, kFull);
            c[2] = ExpandFrom8(s & 0xFF, kFull);
        }
    }

    static void CopyPlanes(const Sample* in, Sample* out, int first, int planes)
    {
        for (int c = first; c < planes; ++c)
            out[c] = in[c];
    }

    // src over dst (see DeepCompositing.h) into `out`'s colour and alpha.
    static void Over(const uint32_t* dc, uint32_t da, const uint32_t* sc, uint32_t sa, Sample* out)
    {
        const uint32_t* pick = nullptr;
        uint32_t alpha = 0;
        if (sa == kFull) {
            pick = sc, alpha = sa;
        } else if (sa == 0) {
            pick = dc, alpha = da;
        } else {
            const uint32_t w = (da * (kFull - sa) + kFull / 2) / kFull;
            const uint32_t ao = sa + w;
            if (ao == 0) {
                pick = dc, alpha = da;
            } else {
                for (int c = 0; c < kColours; ++c)
                    out[c] = static_cast<Sample>((dc[c] * w + sc[c] * sa + ao / 2) / ao);
                out[kColours] = static_cast<Sample>(ao);
                return;
            }
        }
        for (int c = 0; c < kColours; ++c)
            out[c] = static_cast<Sample>(pick[c]);
        out[kColours] = static_cast<Sample>(alpha);
    }

    static void Layer(const ARGB* shadow, const Sample* in, Sample* out, int width, int planes, uint32_t keep,
                      bool outside)
    {
        for (int x = 0; x < width; ++x, in += planes, out += planes) {
            const ARGB s = shadow[x];
            const uint32_t a = ExpandFrom8((s >> 24) * keep / 100, kFull);
            uint32_t sc[3], lc[3];
            ShadowColour(s, sc);
            for (int c = 0; c < kColours; ++c)
                lc[c] = in[c];
            const uint32_t la = in[kColours];
            if (outside)
                Over(sc, a, lc, la, out);
            else
                Over(lc, la, sc, a, out);
            CopyPlanes(in, out, kColours + 1, planes);
        }
    }

    static void Flat(const ARGB* shadow, const Sample* in, Sample* out, int width, int planes, uint32_t keep,
                     const ARGB* objectRow, int cropLeft, int cropRight)
    {
        for (int x = 0; x < width; ++x, in += planes, out += planes) {
            const ARGB s = shadow[x];
            uint32_t a8 = (s >> 24) * keep / 100;
            if (objectRow && a8 != 0 && x >= cropLeft && x <= cropRight)
                a8 = (255 - (objectRow[x - cropLeft] >> 24)) * a8 / 255;
            if (a8 == 0) {
                if (in != out)
                    CopyPlanes(in, out, 0, planes);
                continue;
            }
            const uint32_t a = ExpandFrom8(a8, kFull);
            uint32_t sc[3];
            ShadowColour(s, sc);
            for (int c = 0; c < kColours; ++c)
                out[c] = static_cast<Sample>((in[c] * (kFull - a) + sc[c] * a + kFull / 2) / kFull);
            CopyPlanes(in, out, kColours, planes);
        }
    }

    static void Bare(const Sample* in, Sample* out, int width, int planes, bool clearTransparent)
    {
        if (clearTransparent) {
            for (int x = 0; x < width; ++x, in += planes, out += planes) {
                if (in[kColours] == 0) {
                    for (int c = 0; c <= kColours; ++c)
                        out[c] = 0;
                    CopyPlanes(in, out, kColours + 1, planes);
                } else if (in != out) {
                    CopyPlanes(in, out, 0, planes);
                }
            }
            return;
        }
        if (in != out)
            std::memcpy(out, in, static_cast<size_t>(width) * static_cast<size_t>(planes) * sizeof(Sample));
    }

    static void All(const CDib& render, const PixelRect& rc, const CompositePlan& plan, const CDib& object,
                    const RunGeometry& g, const DocumentPlanes& d, bool outside)
    {
        const int planes = d.planes;
        const bool layer = d.HasTransparency();
        const bool clearTransparent = layer && outside;
        const PixelRect& part = plan.part;
        ForEachCompositeRow(plan, rc, [&](int y, RowReach reach) {
            const Sample* in = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                               static_cast<intptr_t>(y) * d.inRowBytes);
            Sample* out = reinterpret_cast<Sample*>(static_cast<uint8_t*>(d.outData) +
                                                    static_cast<intptr_t>(y - part.top) * d.outRowBytes);
            const auto inAt = [&](int x) { return in + static_cast<intptr_t>(x) * planes; };
            const auto outAt = [&](int x) { return out + static_cast<intptr_t>(x - part.left) * planes; };
            Bare(inAt(part.left), out, reach.left - part.left, planes, clearTransparent);
            const int width = reach.right - reach.left;
            if (width > 0) {
                const ARGB* shadow = render.Row(y - rc.top) + (reach.left - rc.left);
                if (layer) {
                    Layer(shadow, inAt(reach.left), outAt(reach.left), width, planes, plan.keep, outside);
                } else {
                    const bool inCropRows = plan.useObject && y >= g.cropTop && y <= g.cropBottom;
                    const ARGB* objectRow = inCropRows ? object.Row(y - g.cropTop) : nullptr;
                    Flat(shadow, inAt(reach.left), outAt(reach.left), width, planes, plan.keep, objectRow,
                         g.cropLeft - reach.left, g.cropRight - reach.left);
                }
            }
            Bare(inAt(reach.right), outAt(reach.right), part.right - reach.right, planes, clearTransparent);
        });
    }
};

template <class Sample, uint32_t kFull>
void ByColours(const CDib& render, const PixelRect& rc, const CompositePlan& plan, const CDib& object,
               const RunGeometry& g, const DocumentPlanes& d, bool outside)
{
    if (d.IsGrey())
        DeepRows<Sample, kFull, 1>::All(render, rc, plan, object, g, d, outside);
    else
        DeepRows<Sample, kFull, 3>::All(render, rc, plan, object, g, d, outside);
}

}  // namespace

void CompositeDocument(const CDib& render, const PixelRect& rc, const CDib& object, const RunGeometry& g,
                       const DocumentPlanes& d, int transparency, bool outside, const PixelRect& region)
{
    const CompositePlan plan = PlanComposite(d.inData, d.outData, render, rc, object, g, transparency, outside, region);
    if (!plan.writes)
        return;
    if (d.depth == 8)
        ByColours<uint8_t, 255>(render, rc, plan, object, g, d, outside);
    else if (d.fullScale == 65535)
        ByColours<uint16_t, 65535>(render, rc, plan, object, g, d, outside);
    else
        ByColours<uint16_t, 32768>(render, rc, plan, object, g, d, outside);
}
