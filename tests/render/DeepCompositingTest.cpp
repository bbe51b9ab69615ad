// Grey and 16-bit documents: the 8-bit reduction the engine reads, the
// compositing at the document's depth, and how both relate to the 8-bit
// result the same picture gets when it is 8-bit RGB.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DigestLayer.h"
#include "render/Compositing.h"
#include "render/DeepCompositing.h"
#include "render/DocumentReduction.h"
#include "render/ShadowScene.h"

namespace {

const uint32_t kHostScale = 32768;
const uint32_t kPngScale = 65535;

TEST(DeepSamples, ExpandThenReduceGivesTheValueBack)
{
    for (uint32_t full : {kHostScale, kPngScale}) {
        for (uint32_t v = 0; v < 256; ++v)
            EXPECT_EQ(ReduceTo8(ExpandFrom8(v, full), full), v) << full;
        EXPECT_EQ(ExpandFrom8(255, full), full);
    }
    for (uint32_t v = 0; v <= kHostScale; ++v)
        ASSERT_EQ(ReduceTo8Fixed<kHostScale>(v), ReduceTo8(v, kHostScale)) << v;
    for (uint32_t v = 0; v <= kPngScale; ++v)
        ASSERT_EQ(ReduceTo8Fixed<kPngScale>(v), ReduceTo8(v, kPngScale)) << v;
    EXPECT_EQ(ExpandFrom8(1, kHostScale), 129u);   // 128.5 rounds up
    EXPECT_EQ(ExpandFrom8(128, kHostScale), 16448u);
    EXPECT_EQ(ExpandFrom8(1, kPngScale), 257u);
    // Halves go up: 64.25 is below the step between 0 and 1.
    EXPECT_EQ(ReduceTo8(64, kHostScale), 0u);
    EXPECT_EQ(ReduceTo8(65, kHostScale), 1u);
    EXPECT_EQ(ReduceTo8(16384, kHostScale), 128u);  // 127.5
}

TEST(DeepSamples, LumaWeights)
{
    EXPECT_EQ(LumaOf(255, 255, 255), 255u);
    EXPECT_EQ(LumaOf(0, 0, 0), 0u);
    EXPECT_EQ(LumaOf(255, 0, 0), 76u);   // 76.245
    EXPECT_EQ(LumaOf(0, 255, 0), 150u);  // 149.685
    EXPECT_EQ(LumaOf(0, 0, 255), 29u);   // 29.07
    EXPECT_EQ(GreyArgb(0x80336699), 0x805D5D5Du);  // 15.249 + 59.874 + 17.442 = 92.565
}

// One pixel at (0, 0) of a 1 x 1 document on the host's scale, the shadow
// rendered over it: the documented arithmetic with numbers worked by hand.
struct DeepPixel {
    int colours, planes;
    std::vector<uint16_t> samples;
    CDib render, object;
    RunGeometry g;

    DeepPixel(int colourCount, int planeCount) : colours(colourCount), planes(planeCount), samples(planeCount)
    {
        render.Create(1, 1);
        g.imageWidth = g.imageHeight = 1;
        g.objectWidth = g.objectHeight = 1;
    }
    void Run(ARGB shadow, int transparency, bool outside)
    {
        render.SetPixel(0, 0, shadow);
        DocumentPlanes d;
        d.width = d.height = 1;
        d.depth = 16;
        d.colours = colours;
        d.planes = planes;
        d.fullScale = kHostScale;
        d.inData = d.outData = samples.data();
        d.inRowBytes = d.outRowBytes = planes * 2;
        CompositeDocument(render, PixelRect{0, 0, 1, 1}, object, g, d, transparency, outside);
    }
};

TEST(CompositeDocument, WorkedValues)
{
    {   // Flat white, half-opaque black shadow: (32768 * 16384 + 16384) / 32768.
        DeepPixel p(3, 3);
        p.samples = {32768, 32768, 32768};
        p.Run(0x80000000, 0, false);  // a8 128 -> A 16448
        const uint32_t expect = (32768u * (32768 - 16448) + 16384) / 32768;
        EXPECT_EQ(p.samples, (std::vector<uint16_t>{uint16_t(expect), uint16_t(expect), uint16_t(expect)}));
        EXPECT_EQ(expect, 16320u);
    }
    {   // transparency 30: a8 = 200 * 70 / 100 = 140 -> A = 17990 (17990.02).
        DeepPixel p(1, 1);
        p.samples = {1000};
        p.Run(0xC8FF0000, 30, false);
        EXPECT_EQ(ExpandFrom8(140, kHostScale), 17990u);
        EXPECT_EQ(p.samples[0], (1000u * (32768 - 17990) + 32768u * 17990 + 16384) / 32768);
    }
    {   // A layer pixel of alpha 0 under the shadow with outside on takes the
        // shadow: its colour scaled, its opacity.
        DeepPixel p(1, 2);
        p.samples = {12345, 0};
        p.Run(0x40C0C0C0, 0, true);
        EXPECT_EQ(p.samples, (std::vector<uint16_t>{uint16_t(ExpandFrom8(0xC0, kHostScale)),
                                                    uint16_t(ExpandFrom8(0x40, kHostScale))}));
    }
    {   // Half shadow (A 16448) under a half layer (16384), outside on:
        // w = (16448 * 16384 + 16384) / 32768 = 8224, ao = 24608,
        // c = (0 * 8224 + 32768 * 16384 + 12304) / 24608 = 21817.
        DeepPixel p(1, 2);
        p.samples = {32768, 16384};
        p.Run(0x80000000, 0, true);
        EXPECT_EQ(p.samples, (std::vector<uint16_t>{21817, 24608}));
    }
    {   // An opaque layer pixel with outside on keeps its samples exactly, extras too.
        DeepPixel p(3, 5);
        p.samples = {1, 2, 3, 32768, 777};
        p.Run(0xFF000000, 0, true);
        EXPECT_EQ(p.samples, (std::vector<uint16_t>{1, 2, 3, 32768, 777}));
    }
}

// ---- the reduction identity on whole renders ----

// A deep sample that reduces to v: somewhere in the middle of v's bin,
// chosen by `noise`, so the 16-bit input is not just the 8-bit one scaled.
uint16_t DeepSampleOf(uint8_t v, uint32_t full, uint32_t noise)
{
    uint32_t lo = ExpandFrom8(v, full), hi = lo;
    while (lo > 0 && ReduceTo8(lo - 1, full) == v)
        --lo;
    while (hi < full && ReduceTo8(hi + 1, full) == v)
        ++hi;
    return static_cast<uint16_t>(lo + noise % (hi - lo + 1));
}

struct Case {
    int width = 150, height = 120;
    int colours = 3;
    bool layer = true;
};

// The 8-bit picture of a case: RGB(A) bytes (a grey case has r = g = b).
std::vector<uint8_t> EightBitPicture(const Case& c)
{
    std::vector<uint8_t> rgba = MakeDigestLayer(c.width, c.height);
    const int planes = c.layer ? 4 : 3;
    std::vector<uint8_t> out;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        uint8_t r = rgba[i], g = rgba[i + 1], b = rgba[i + 2];
        if (c.colours == 1)
            r = g = b = static_cast<uint8_t>(LumaOf(r, g, b));
        out.insert(out.end(), {r, g, b});
        if (planes == 4)
            out.push_back(rgba[i + 3]);
    }
    return out;
}

std::vector<uint8_t> SelectionOf(const Case& c)
{
    std::vector<uint8_t> rgba = MakeDigestLayer(c.width, c.height), mask;
    for (size_t i = 3; i < rgba.size(); i += 4)
        mask.push_back(rgba[i]);
    return mask;
}

// The document's samples (colours, then transparency on a layer) from the
// 8-bit picture, each deep sample noisy within its bin.
std::vector<uint16_t> DeepSamples(const Case& c, const std::vector<uint8_t>& picture, uint32_t full)
{
    std::vector<uint16_t> out;
    const int planes8 = c.layer ? 4 : 3;
    uint32_t seed = 12345;
    for (size_t i = 0; i < picture.size(); i += planes8) {
        const int take[4] = {0, 1, 2, 3};
        for (int k = 0; k < c.colours; ++k) {
            seed = seed * 1103515245 + 12345;
            out.push_back(DeepSampleOf(picture[i + take[k]], full, seed >> 8));
        }
        if (c.layer) {
            seed = seed * 1103515245 + 12345;
            out.push_back(DeepSampleOf(picture[i + 3], full, seed >> 8));
        }
    }
    return out;
}

// Runs the scene on `host` (the document itself when `document` is null)
// and composites; returns the 8-bit shadow opacity of every pixel, as the
// compositing computes it, for the check of untouched pixels.
std::vector<uint32_t> Render(const HostBuffers& host, const DocumentPlanes* document, const ShadowParams& params)
{
    RunGeometry g;
    EXPECT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
    CShadowScene scene(host, g);
    scene.SetDocument(document);
    scene.InitFinalRenderer();
    scene.BuildShadowTexture(params);
    scene.BuildShadowPlane();
    scene.RenderShadow(true, params);
    std::vector<uint32_t> opacity(size_t(host.width) * host.height, 0);
    const PixelRect& rc = scene.m_rcRender;
    const ShadowParams p = ClampShadowParams(params);
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            uint32_t a = (scene.m_dibRender.Row(y - rc.top)[x - rc.left] >> 24) * (100 - p.transparency) / 100;
            opacity[size_t(y) * host.width + x] = a;
        }
    return opacity;
}

struct Outcome {
    int worstFlat = 0;         // largest |reduced 16-bit - 8-bit| of any sample of a flat image
    int worstAlpha = 0;        // the same for a layer's transparency
    int worstOpaqueColour = 0; // for a layer's colour where the 8-bit result's alpha is >= 128
    int worstPremultiplied = 0;  // a layer's colour times alpha / 255: what shows over black
    long untouchedChanged = 0;
    long untouched = 0;
};

Outcome Compare(const Case& c, const ShadowParams& params, uint32_t full)
{
    const std::vector<uint8_t> picture = EightBitPicture(c);
    const std::vector<uint8_t> mask = c.layer ? std::vector<uint8_t>() : SelectionOf(c);
    const int planes8 = c.layer ? 4 : 3;
    const int planes = c.colours + (c.layer ? 1 : 0);

    // 8 bits: RGB through the one 8-bit path; grey through the document
    // path at depth 8 (a grey document has no other).
    std::vector<uint8_t> out8;
    std::vector<uint8_t> grey8, grey8Out;
    if (c.colours == 3) {
        out8 = picture;
        Render(HostBuffers::Packed(c.width, c.height, planes8, picture.data(), out8.data(),
                                   mask.empty() ? nullptr : mask.data()),
               nullptr, params);
    } else {
        for (size_t i = 0; i < picture.size(); i += planes8) {
            grey8.push_back(picture[i]);
            if (c.layer)
                grey8.push_back(picture[i + 3]);
        }
        grey8Out = grey8;
        DocumentPlanes d;
        d.width = c.width, d.height = c.height, d.depth = 8, d.colours = 1, d.planes = planes, d.fullScale = 255;
        d.inData = grey8.data(), d.outData = grey8Out.data();
        d.inRowBytes = d.outRowBytes = c.width * planes;
        d.maskData = mask.empty() ? nullptr : mask.data(), d.maskRowBytes = c.width;
        CDocumentReduction reduction;
        const HostBuffers host = reduction.Reduce(d);
        Render(host, &d, params);
    }

    const std::vector<uint16_t> in16 = DeepSamples(c, picture, full);
    std::vector<uint16_t> out16(in16.size(), 0xBEEF);  // a host that copies nothing
    DocumentPlanes d;
    d.width = c.width, d.height = c.height, d.depth = 16, d.colours = c.colours, d.planes = planes;
    d.fullScale = full;
    d.inData = in16.data(), d.outData = out16.data();
    d.inRowBytes = d.outRowBytes = c.width * planes * 2;
    d.maskData = mask.empty() ? nullptr : mask.data(), d.maskRowBytes = c.width;
    CDocumentReduction reduction;
    const HostBuffers host = reduction.Reduce(d);
    // The engine sees exactly the 8-bit picture.
    EXPECT_EQ(0, std::memcmp(host.inData, picture.data(), picture.size()));
    const std::vector<uint32_t> opacity = Render(host, &d, params);

    Outcome o;
    for (int i = 0; i < c.width * c.height; ++i) {
        const auto want = [&](int k) {
            return static_cast<int>(c.colours == 3 ? out8[size_t(i) * planes8 + k] : grey8Out[size_t(i) * planes + k]);
        };
        const auto got = [&](int k) { return static_cast<int>(ReduceTo8(out16[size_t(i) * planes + k], full)); };
        if (!c.layer) {
            for (int k = 0; k < planes; ++k)
                o.worstFlat = std::max(o.worstFlat, std::abs(got(k) - want(k)));
        } else {
            const int ga = got(c.colours), wa = want(c.colours);
            o.worstAlpha = std::max(o.worstAlpha, std::abs(ga - wa));
            for (int k = 0; k < c.colours; ++k) {
                if (wa >= 128)
                    o.worstOpaqueColour = std::max(o.worstOpaqueColour, std::abs(got(k) - want(k)));
                const int premultiplied = std::abs((got(k) * ga + 127) / 255 - (want(k) * wa + 127) / 255);
                o.worstPremultiplied = std::max(o.worstPremultiplied, premultiplied);
            }
        }
        const bool transparentUnderOutside = c.layer && params.outside && in16[size_t(i) * planes + c.colours] == 0;
        if (opacity[i] == 0 && !transparentUnderOutside) {
            ++o.untouched;
            for (int k = 0; k < planes; ++k)
                o.untouchedChanged += out16[size_t(i) * planes + k] != in16[size_t(i) * planes + k];
        }
    }
    return o;
}

// Flat images: every sample of the reduced 16-bit result is within 1 of the
// 8-bit result. Layers: the transparency is within 1; the colour is within 2
// where the 8-bit result is at least half opaque, and so is the colour as it
// shows (times its alpha), everywhere. The 8-bit blend itself strays that
// far from the exact one: it truncates t = da * sa / 255 before
// ao = da + sa - t, so a nearly opaque result can carry an ao one too high
// and a colour up to 255 / ao levels too dark; the 16-bit blend, from
// inputs that differ by less than half a level, lands on the exact value.
// The colour of a result that is nearly transparent is decided by alphas
// the reduction cannot keep apart and is not compared on its own.
TEST(DeepDocument, ReducedResultMatchesTheEightBitResult)
{
    const Case cases[] = {
        {150, 120, 3, true},   // RGB layer
        {150, 120, 3, false},  // RGB image with a soft selection
        {150, 120, 1, true},   // grey layer
        {150, 120, 1, false},  // grey image with a selection
    };
    for (const Case& c : cases) {
        for (const ShadowPreset& preset : kBuiltInPresets) {
            for (int outside : {0, 1}) {
                for (uint32_t full : {kHostScale, kPngScale}) {
                    ShadowParams params = preset.params;
                    params.outside = outside;
                    params.color = 0x3366CC;
                    params.transparency = outside ? 30 : params.transparency;
                    SCOPED_TRACE(::testing::Message() << preset.name << " outside " << outside << " colours "
                                                      << c.colours << " layer " << c.layer << " scale " << full);
                    const Outcome o = Compare(c, params, full);
                    EXPECT_LE(o.worstFlat, 1);
                    EXPECT_LE(o.worstAlpha, 1);
                    EXPECT_LE(o.worstOpaqueColour, 2);
                    EXPECT_LE(o.worstPremultiplied, 2);

                    EXPECT_GT(o.untouched, 1000);  // the check below has pixels to look at
                    EXPECT_EQ(o.untouchedChanged, 0);
                }
            }
        }
    }
}

// A layer without a selection reduces only its crop box: the geometry and
// every reduced byte in the crop box are those of the whole reduction.
TEST(DeepDocument, LayerObjectReductionMatchesTheWholeOne)
{
    const int w = 150, h = 120;
    const std::vector<uint8_t> digestLayer = MakeDigestLayer(w, h);
    std::vector<uint8_t> edge(size_t(w) * h * 4, 0), line = edge, none = edge;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 30; ++x)
            edge[(size_t(y) * w + x) * 4 + 3] = static_cast<uint8_t>(255 - x * 8);  // touches three edges
    for (int y = 10; y < 100; ++y)
        line[(size_t(y) * w + 77) * 4 + 3] = 255;  // one pixel wide: refused
    const std::vector<uint8_t>* const pictures[] = {&digestLayer, &edge, &line, &none};
    for (const std::vector<uint8_t>* picture : pictures) {
        for (uint32_t full : {kHostScale, kPngScale}) {
            Case c{w, h, 3, true};
            const std::vector<uint16_t> in16 = DeepSamples(c, *picture, full);
            DocumentPlanes d;
            d.width = w, d.height = h, d.depth = 16, d.colours = 3, d.planes = 4, d.fullScale = full;
            d.inData = in16.data(), d.inRowBytes = w * 8;
            CDocumentReduction whole, part;
            const HostBuffers all = whole.Reduce(d);
            RunGeometry expected, got;
            const RunRefusal want = ComputeRunGeometry(all, expected);
            HostBuffers some;
            ASSERT_EQ(part.ReduceLayerObject(d, some, got), want);
            if (want != RunRefusal::None)
                continue;
            EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0);
            for (int y = got.cropTop; y <= got.cropBottom; ++y)
                ASSERT_EQ(0, std::memcmp(some.InPixel(got.cropLeft, y), all.InPixel(got.cropLeft, y),
                                         size_t(got.CropWidth()) * 4)) << y;
        }
    }
}

TEST(DeepDocument, GreyDocumentGetsAGreyShadowAndPreview)
{
    // A grey layer with a pure red shadow: the engine's shadow is the red's
    // luma, 76, in all three bytes, and so is the preview.
    Case c{150, 120, 1, true};
    const std::vector<uint8_t> picture = EightBitPicture(c);
    const std::vector<uint16_t> in16 = DeepSamples(c, picture, kHostScale);
    std::vector<uint16_t> out16(in16.size());
    DocumentPlanes d;
    d.width = c.width, d.height = c.height, d.depth = 16, d.colours = 1, d.planes = 2, d.fullScale = kHostScale;
    d.inData = in16.data(), d.outData = out16.data();
    d.inRowBytes = d.outRowBytes = c.width * 4;
    CDocumentReduction reduction;
    const HostBuffers host = reduction.Reduce(d);
    RunGeometry g;
    ASSERT_EQ(ComputeRunGeometry(host, g), RunRefusal::None);
    ShadowParams params = FindBuiltInPreset("Cast In Front")->params;
    params.color = 0x0000FF;  // COLORREF red
    CShadowScene scene(host, g);
    scene.SetDocument(&d);
    scene.InitShadowRenderer(120, 100);
    scene.BuildShadowTexture(params);
    scene.BuildShadowPlane();
    scene.RenderShadow(false, params);
    long shadowPixels = 0;
    for (int y = 0; y < scene.m_dibRender.GetHeight(); ++y)
        for (int x = 0; x < scene.m_dibRender.GetWidth(); ++x) {
            const ARGB s = scene.m_dibRender.Row(y)[x];
            if (s >> 24) {
                ++shadowPixels;
                ASSERT_EQ(s & 0xFFFFFF, 0x4C4C4Cu);
            }
        }
    EXPECT_GT(shadowPixels, 100);
    long greyViewPixels = 0;
    for (int y = 0; y < scene.m_dibView.GetHeight(); ++y)
        for (int x = 0; x < scene.m_dibView.GetWidth(); ++x) {
            const ARGB v = scene.m_dibView.Row(y)[x];
            ASSERT_TRUE(((v >> 16) & 0xFF) == ((v >> 8) & 0xFF) && ((v >> 8) & 0xFF) == (v & 0xFF)) << x << "," << y;
            greyViewPixels += (v >> 24) != 0;
        }
    EXPECT_GT(greyViewPixels, 100);
}

}  // namespace
