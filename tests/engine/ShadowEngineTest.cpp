// The engine's one way in, on documents of every kind it takes: 8 and 16
// bits, RGB and grey, a layer or a flat image with a selection, the normal
// result and the shadow alone. Each kind's bytes are pinned by a digest that
// every build must reach (the stages' own results, as the command line and
// the filter module produced them before they shared this entry), for any
// number of threads, written in place or into a buffer of its own, whole or
// region by region.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "DigestLayer.h"
#include "Fnv1a.h"
#include "WorkerThreadCounts.h"
#include "engine/ShadowEngine.h"

namespace {

const int kWidth = 150, kHeight = 120;

struct Kind {
    const char* name;
    int depth;
    uint32_t fullScale;
    int colours;
    bool layer;      // with transparency
    bool selection;  // with a selection mask
};

// A document of one kind made from the digest layer: its colours (grey
// ones by their luma), its opacity as the transparency of a layer or as the
// selection of a flat image, and on a layer with a selection a mask that
// cuts the object in stripes. Samples are the 8-bit ones taken to the
// document's scale.
struct Document {
    Kind kind;
    std::vector<uint8_t> samples;  // interleaved, native byte order
    std::vector<uint8_t> mask;

    explicit Document(const Kind& k) : kind(k)
    {
        const std::vector<uint8_t> rgba = MakeDigestLayer(kWidth, kHeight);
        const int planes = Planes();
        samples.resize(size_t(kWidth) * kHeight * planes * (k.depth / 8));
        for (int i = 0; i < kWidth * kHeight; ++i) {
            const uint8_t* p = &rgba[size_t(i) * 4];
            uint32_t values[4] = {p[0], p[1], p[2], p[3]};
            if (k.colours == 1)
                values[0] = LumaOf(p[0], p[1], p[2]);
            if (k.colours == 1 && k.layer)
                values[1] = p[3];
            for (int c = 0; c < planes; ++c)
                Put(size_t(i) * planes + c, ExpandFrom8(values[c], k.fullScale));
        }
        if (k.selection) {
            mask.resize(size_t(kWidth) * kHeight);
            for (int i = 0; i < kWidth * kHeight; ++i) {
                const uint8_t stripe = (i % kWidth) / 10 % 2 ? 255 : 140;
                mask[size_t(i)] = k.layer ? stripe : rgba[size_t(i) * 4 + 3];
            }
        }
    }

    int Planes() const { return kind.colours + (kind.layer ? 1 : 0); }
    int PixelBytes() const { return Planes() * kind.depth / 8; }

    void Put(size_t sample, uint32_t value)
    {
        if (kind.depth == 8) {
            samples[sample] = static_cast<uint8_t>(value);
            return;
        }
        const uint16_t v = static_cast<uint16_t>(value);
        std::memcpy(&samples[sample * 2], &v, 2);
    }

    // The document writing its result to `out` (which may be the samples).
    DocumentPlanes Described(void* out) const
    {
        DocumentPlanes d;
        d.width = kWidth;
        d.height = kHeight;
        d.depth = kind.depth;
        d.colours = kind.colours;
        d.planes = Planes();
        d.fullScale = kind.fullScale;
        d.inData = samples.data();
        d.inRowBytes = kWidth * PixelBytes();
        d.outData = out;
        d.outRowBytes = kWidth * PixelBytes();
        d.maskData = mask.empty() ? nullptr : mask.data();
        d.maskRowBytes = mask.empty() ? 0 : kWidth;
        return d;
    }
};

// Over the samples, each low byte first, so the digest is the same on any
// machine.
uint64_t DigestOf(const std::vector<uint8_t>& bytes, int depth)
{
    Fnv1a digest;
    for (size_t i = 0; i < bytes.size(); i += depth / 8) {
        if (depth == 8) {
            digest.Byte(bytes[i]);
            continue;
        }
        uint16_t v;
        std::memcpy(&v, &bytes[i], 2);
        digest.Byte(static_cast<uint8_t>(v));
        digest.Byte(static_cast<uint8_t>(v >> 8));
    }
    return digest.Value();
}

ShadowParams Wall()
{
    ShadowParams p = FindBuiltInPreset("Cast On Left Wall")->params;
    p.blur = 33;  // a fractional tent width: 6.6
    return p;
}

ShadowParams Front()
{
    ShadowParams p = FindBuiltInPreset("Cast In Front 2")->params;
    p.angleZ = 17;
    p.color = 0x3366CC;
    p.outside = 0;
    return p;
}

ShadowParams Alone()
{
    ShadowParams p = Wall();
    p.shadowOnly = 1;
    p.softness = 60;
    p.transparency = 25;
    return p;
}

struct Case {
    Kind kind;
    ShadowParams (*params)();
    uint64_t digest;
};

const Kind kRgba8{"RGBA 8", 8, 255, 3, true, false};
const Kind kRgba8Selected{"RGBA 8 + selection", 8, 255, 3, true, true};
const Kind kRgb8Selected{"RGB 8 + selection", 8, 255, 3, false, true};
const Kind kRgba16{"RGBA 16", 16, 65535, 3, true, false};
const Kind kRgba16Host{"RGBA 16 (host scale)", 16, 32768, 3, true, false};
const Kind kRgb16Selected{"RGB 16 + selection", 16, 65535, 3, false, true};
const Kind kGreyAlpha8{"grey + alpha 8", 8, 255, 1, true, false};
const Kind kGrey8Selected{"grey 8 + selection", 8, 255, 1, false, true};
const Kind kGreyAlpha16{"grey + alpha 16 + selection", 16, 65535, 1, true, true};

const Case kCases[] = {
    // The first two are the digests the whole filter result has had since
    // the engine was first made bit-exact across builds.
    {kRgba8, Wall, 0x3b6335723dcdd6b7ull},          {kRgba8, Front, 0x1085ea65d1125cafull},
    {kRgba8, Alone, 0x7b32ed1e1c1467ddull},         {kRgba8Selected, Front, 0x0693bca4aa99bf94ull},
    {kRgb8Selected, Wall, 0xb89bdbc3c6933252ull},   {kRgb8Selected, Front, 0x274eeefa422807f0ull},
    {kRgba16, Wall, 0x9cd7abffdb336d81ull},         {kRgba16Host, Front, 0x21150dcfcbc01adaull},
    {kRgba16, Alone, 0xe1f0ca2adae27695ull},        {kRgb16Selected, Front, 0xf78a3ce238119218ull},
    {kGreyAlpha8, Wall, 0xaa41f5df902dd171ull},     {kGrey8Selected, Front, 0x7ad1849437236d37ull},
    {kGreyAlpha16, Front, 0x8afc21d5772e3c29ull},   {kGreyAlpha16, Alone, 0x0cb1db8cde4c7d03ull},
};

std::vector<uint8_t> RenderWhole(const Document& d, const ShadowParams& params, int threads, bool inPlace)
{
    std::vector<uint8_t> out(d.samples.size(), 0xA5);  // a host that copies nothing
    Document doc = d;
    EngineOptions options;
    options.threads = threads;
    const DocumentPlanes planes = doc.Described(inPlace ? doc.samples.data() : out.data());
    EXPECT_EQ(RenderShadow(planes, params, options), RunRefusal::None);
    return inPlace ? doc.samples : out;
}

}  // namespace

TEST(ShadowEngine, EveryKindOfDocumentHasItsBytesOnAnyNumberOfThreads)
{
    for (const Case& c : kCases) {
        const Document document(c.kind);
        const ShadowParams params = c.params();
        SCOPED_TRACE(::testing::Message() << c.kind.name << (params.IsShadowOnly() ? ", shadow only" : "")
                                          << ", blur " << params.blur);
        for (int threads : kThreadCounts) {
            CScopedWorkerThreads split(threads);
            const std::vector<uint8_t> result = RenderWhole(document, params, threads, threads == 2);
            EXPECT_NE(result, document.samples);
            EXPECT_EQ(DigestOf(result, c.kind.depth), c.digest) << threads << " threads, 0x" << std::hex
                                                                << DigestOf(result, c.kind.depth);
        }
    }
}

// A front end that asks for the result tile by tile (GEGL does) gets the
// whole result's bytes in each tile's own buffer.
TEST(ShadowEngine, RegionsCutTheWholeResultIntoTiles)
{
    const Case cases[] = {kCases[1], kCases[4], kCases[9], kCases[13]};
    for (const Case& c : cases) {
        const Document document(c.kind);
        const ShadowParams params = c.params();
        SCOPED_TRACE(c.kind.name);
        const std::vector<uint8_t> whole = RenderWhole(document, params, 0, false);
        const int pixelBytes = document.PixelBytes();
        const int tile = 64;
        for (int top = 0; top < kHeight; top += tile)
            for (int left = 0; left < kWidth; left += tile) {
                const PixelRect region{left, top, std::min(left + tile, kWidth), std::min(top + tile, kHeight)};
                const int rowBytes = (region.right - region.left) * pixelBytes;
                std::vector<uint8_t> out(size_t(rowBytes) * (region.bottom - region.top), 0xA5);
                DocumentPlanes planes = document.Described(out.data());
                planes.outRowBytes = rowBytes;
                EngineOptions options;
                options.region = region;
                ASSERT_EQ(RenderShadow(planes, params, options), RunRefusal::None);
                for (int y = region.top; y < region.bottom; ++y)
                    ASSERT_EQ(0, std::memcmp(&out[size_t(y - region.top) * rowBytes],
                                             &whole[(size_t(y) * kWidth + region.left) * pixelBytes], rowBytes))
                        << "tile at " << left << "," << top << ", row " << y;
            }
    }
}

// What cannot be rendered is said as a value, and nothing is written.
TEST(ShadowEngine, RefusalsAreValuesAndWriteNothing)
{
    Document flat(kRgb8Selected);
    flat.mask.clear();  // no selection, no transparency: no object
    Document speck(kRgba16);
    for (size_t i = 0; i < speck.samples.size(); i += 2)
        if (i / 2 % 4 == 3)
            speck.Put(i / 2, (i / 2 / 4) == size_t(kWidth) * 60 + 70 ? 65535 : 0);  // one opaque pixel
    const Document selected(kRgb8Selected);
    ShadowParams alone = Wall();
    alone.shadowOnly = 1;
    const struct {
        const Document& document;
        ShadowParams params;
        RunRefusal refusal;
    } cases[] = {
        {flat, Wall(), RunRefusal::NoSelection},
        {speck, Wall(), RunRefusal::EmptyObject},
        {selected, alone, RunRefusal::ShadowOnlyOnFlatImage},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> out(c.document.samples.size(), 0xA5);
        EXPECT_EQ(RenderShadow(c.document.Described(out.data()), c.params), c.refusal);
        EXPECT_EQ(out, std::vector<uint8_t>(out.size(), 0xA5)) << RefusalText(c.refusal);
        const CShadowEngine engine(c.document.Described(out.data()));
        EXPECT_EQ(engine.RenderResult(c.params), c.refusal);
    }
}

// Descriptions a front end could get wrong are refused by name before any
// pixel is read or written.
TEST(ShadowEngine, DescriptionsThatAreNotOneThrow)
{
    const Document document(kRgba8);
    std::vector<uint8_t> out(document.samples.size());
    const DocumentPlanes good = document.Described(out.data());
    const struct {
        const char* what;
        void (*spoil)(DocumentPlanes&, EngineOptions&);
    } cases[] = {
        {"width", [](DocumentPlanes& d, EngineOptions&) { d.width = 0; }},
        {"depth", [](DocumentPlanes& d, EngineOptions&) { d.depth = 12; }},
        {"colours", [](DocumentPlanes& d, EngineOptions&) { d.colours = 2; }},
        {"planes", [](DocumentPlanes& d, EngineOptions&) { d.planes = 2; }},
        {"fullScale", [](DocumentPlanes& d, EngineOptions&) { d.fullScale = 65535; }},
        {"input pixels", [](DocumentPlanes& d, EngineOptions&) { d.inData = nullptr; }},
        {"input rows", [](DocumentPlanes& d, EngineOptions&) { d.inRowBytes = d.width * 3; }},
        {"selection rows", [](DocumentPlanes& d, EngineOptions&) {
             static const uint8_t mask[1] = {0};
             d.maskData = mask;
             d.maskRowBytes = 1;
         }},
        {"output pixels", [](DocumentPlanes& d, EngineOptions&) { d.outData = nullptr; }},
        {"output rows", [](DocumentPlanes& d, EngineOptions&) { d.outRowBytes = 4; }},
        {"region", [](DocumentPlanes&, EngineOptions& o) { o.region = PixelRect{-1, 0, 10, 10}; }},
        {"region", [](DocumentPlanes&, EngineOptions& o) { o.region = PixelRect{100, 100, kWidth + 1, kHeight}; }},
    };
    for (const auto& c : cases) {
        DocumentPlanes d = good;
        EngineOptions options;
        c.spoil(d, options);
        std::fill(out.begin(), out.end(), 0xA5);
        try {
            RenderShadow(d, Wall(), options);
            ADD_FAILURE() << c.what << ": not refused";
        } catch (const std::invalid_argument& e) {
            EXPECT_NE(std::string(e.what()).find(c.what), std::string::npos) << e.what();
        }
        EXPECT_EQ(out, std::vector<uint8_t>(out.size(), 0xA5)) << c.what;
    }
}

// Front ends on several threads at once (a Python pool, a batch) each ask
// for their own thread count; the bytes do not change.
TEST(ShadowEngine, CallsOnSeveralThreadsAtOnceGiveTheSameBytes)
{
    const Document document(kRgba16);
    const std::vector<uint8_t> expected = RenderWhole(document, Front(), 1, false);
    std::vector<uint8_t> results[4];
    std::vector<std::thread> callers;
    for (int i = 0; i < 4; ++i)
        callers.emplace_back([&, i] { results[i] = RenderWhole(document, Front(), i == 0 ? 0 : 2 * i + 1, i == 3); });
    for (std::thread& t : callers)
        t.join();
    for (const std::vector<uint8_t>& result : results)
        EXPECT_EQ(result, expected);
}
