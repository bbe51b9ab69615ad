#include <gtest/gtest.h>

#include <vector>

#include "render/Compositing.h"

namespace {

// One host pixel at (1, 0) of a 3 x 1 image, the shadow rendered over it.
struct CompositeFixture {
    int planes;
    std::vector<uint8_t> out;
    CDib render, object;
    RunGeometry g;

    explicit CompositeFixture(int planeCount) : planes(planeCount), out(size_t(3) * planeCount)
    {
        render.Create(3, 1);
        object.Create(3, 1);
        g.imageWidth = 3;
        g.imageHeight = 1;
        g.objectWidth = 1;
        g.objectHeight = 1;
        g.cropLeft = 0;
        g.cropTop = 0;
        g.cropRight = 2;
        g.cropBottom = 0;
    }
    HostBuffers Host() { return HostBuffers::Packed(3, 1, planes, out.data(), out.data()); }
    void SetHost(int x, uint8_t r, uint8_t gr, uint8_t b, uint8_t a = 255)
    {
        uint8_t* p = &out[size_t(x) * planes];
        p[0] = r;
        p[1] = gr;
        p[2] = b;
        if (planes >= 4)
            p[3] = a;
    }
    ARGB Host(int x) const
    {
        const uint8_t* p = &out[size_t(x) * planes];
        return uint32_t(planes >= 4 ? p[3] : 255) << 24 | uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
    void Run(int transparency, bool outside)
    {
        CompositeShadow(render, PixelRect{0, 0, 3, 1}, object, g, Host(), transparency, outside);
    }
};

TEST(CompositeShadow, FlatImageWeakensShadowByObjectAlpha)
{
    CompositeFixture f(3);
    f.SetHost(1, 255, 255, 255);
    f.render.SetPixel(1, 0, 0xC8000000);  // alpha 200 black
    f.object.SetPixel(1, 0, 0x80FFFFFF);  // object alpha 128
    f.Run(30, true);                       // a' = 140, a'' = 127 * 140 / 255 = 69
    EXPECT_EQ(f.Host(1), BlendArgb(0xFFFFFFFF, 0x45000000));
    EXPECT_EQ(f.Host(1), 0xFFBABABAu);

    CompositeFixture over(3);  // outside off: the object does not matter
    over.SetHost(1, 255, 255, 255);
    over.render.SetPixel(1, 0, 0xC8000000);
    over.object.SetPixel(1, 0, 0xFFFFFFFF);
    over.Run(30, false);
    EXPECT_EQ(over.Host(1), BlendArgb(0xFFFFFFFF, 0x8C000000));
}

TEST(CompositeShadow, LayerWithTransparency)
{
    CompositeFixture f(4);
    f.SetHost(0, 10, 20, 30, 255);  // opaque layer pixel, outside on: kept exactly
    f.SetHost(1, 1, 2, 3, 0);       // transparent layer pixel under the shadow
    f.SetHost(2, 9, 9, 9, 0);       // transparent, no shadow: all four bytes become 0
    f.render.SetPixel(0, 0, 0xC8102030);
    f.render.SetPixel(1, 0, 0xC8102030);
    f.Run(30, true);
    EXPECT_EQ(f.Host(0), 0xFF0A141Eu);
    EXPECT_EQ(f.Host(1), 0x8C102030u);  // the shadow pixel s' itself
    EXPECT_EQ(f.Host(2), 0x00000000u);

    CompositeFixture off(4);
    off.SetHost(0, 255, 255, 255, 255);
    off.render.SetPixel(0, 0, 0xC8000000);
    off.Run(30, false);
    EXPECT_EQ(off.Host(0), BlendArgb(0xFFFFFFFF, 0x8C000000));  // darkened
}

TEST(CompositeShadow, FullTransparencyLeavesImageAlone)
{
    CompositeFixture flat(3);
    flat.SetHost(1, 50, 60, 70);
    flat.render.Fill(0xFF000000);
    flat.Run(100, false);
    EXPECT_EQ(flat.out[3], 50);
    EXPECT_EQ(flat.out[4], 60);
    EXPECT_EQ(flat.out[5], 70);

    CompositeFixture layer(4);
    layer.SetHost(0, 50, 60, 70, 255);
    layer.SetHost(1, 50, 60, 70, 0);
    layer.render.Fill(0xFF000000);
    layer.Run(100, true);
    EXPECT_EQ(layer.Host(0), 0xFF323C46u);
    EXPECT_EQ(layer.Host(1), 0x00000000u);  // transparent layer pixels take s' = 0
}

// Hosts may hand over an output buffer that does not hold the image: the
// result must be the same as blending in place, whatever the output held,
// with every byte of every plane written (a fifth plane passes through).
TEST(CompositeShadow, ResultDoesNotDependOnOutputContents)
{
    const int w = 6, h = 2;
    RunGeometry g;
    g.imageWidth = w;
    g.imageHeight = h;
    g.objectWidth = 2;
    g.objectHeight = 1;
    g.cropLeft = 1;
    g.cropTop = 0;
    g.cropRight = 4;
    g.cropBottom = 1;
    CDib render, object;
    render.Create(w, h);
    object.Create(g.CropWidth(), g.CropHeight());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            render.SetPixel(x, y, uint32_t((x * 60) % 256) << 24 | 0x00102030u * uint32_t(y + 1));
            if (x >= g.cropLeft && x <= g.cropRight)
                object.SetPixel(x - g.cropLeft, y, uint32_t(x * 70 % 256) << 24 | 0x00FF00u);
        }
    for (int planes : {3, 4, 5}) {
        for (bool outside : {true, false}) {
            std::vector<uint8_t> in(size_t(w) * h * planes);
            for (size_t i = 0; i < in.size(); ++i)
                in[i] = static_cast<uint8_t>(i * 37 + 11);
            std::vector<uint8_t> inPlace = in;
            const PixelRect whole{0, 0, w, h};
            CompositeShadow(render, whole, object, g, HostBuffers::Packed(w, h, planes, inPlace.data(), inPlace.data()),
                            20, outside);
            std::vector<uint8_t> junk(in.size(), 0xA5);
            CompositeShadow(render, whole, object, g, HostBuffers::Packed(w, h, planes, in.data(), junk.data()), 20,
                            outside);
            EXPECT_EQ(junk, inPlace) << planes << " planes, outside " << outside;
            EXPECT_NE(inPlace, in) << "the shadow changed nothing";
        }
    }
}

// A render buffer that holds only the shadow's reach gives what a
// full-size one with transparent black around the reach gives: on layers
// (transparent pixels outside the reach included), on flat images with the
// object's crop box straddling the reach, in place and into another buffer.
TEST(CompositeShadow, ReachOnlyRenderMatchesTheWholeFrame)
{
    const int w = 9, h = 6;
    RunGeometry g;
    g.imageWidth = w;
    g.imageHeight = h;
    g.cropLeft = 1;
    g.cropTop = 1;
    g.cropRight = 5;
    g.cropBottom = 4;
    const PixelRect reach{3, 2, 8, 5};
    CDib whole, part, object;
    whole.Create(w, h);
    part.Create(reach.right - reach.left, reach.bottom - reach.top);
    object.Create(g.CropWidth(), g.CropHeight());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (reach.Contains(x, y)) {
                const ARGB s = uint32_t(40 + x * 25) << 24 | 0x00203040u * uint32_t(y + 1);
                whole.SetPixel(x, y, s);
                part.SetPixel(x - reach.left, y - reach.top, s);
            }
            if (x >= g.cropLeft && x <= g.cropRight && y >= g.cropTop && y <= g.cropBottom)
                object.SetPixel(x - g.cropLeft, y - g.cropTop, uint32_t(x * 50 % 256) << 24 | 0x00FF00u);
        }
    for (int planes : {3, 4, 5}) {
        for (bool outside : {true, false}) {
            std::vector<uint8_t> in(size_t(w) * h * planes);
            for (size_t i = 0; i < in.size(); ++i)
                in[i] = static_cast<uint8_t>(i * 37 + 11);
            if (planes >= 4) {
                // Transparent layer pixels inside and outside the reach.
                for (int i : {0, 10, 22, 31, 50})
                    in[size_t(i) * planes + 3] = 0;
            }
            std::vector<uint8_t> expected(in.size(), 0x5A), separate(in.size(), 0xA5), inPlace = in;
            CompositeShadow(whole, PixelRect{0, 0, w, h}, object, g,
                            HostBuffers::Packed(w, h, planes, in.data(), expected.data()), 20, outside);
            CompositeShadow(part, reach, object, g, HostBuffers::Packed(w, h, planes, in.data(), separate.data()), 20,
                            outside);
            CompositeShadow(part, reach, object, g, HostBuffers::Packed(w, h, planes, inPlace.data(), inPlace.data()),
                            20, outside);
            EXPECT_EQ(separate, expected) << planes << " planes, outside " << outside;
            EXPECT_EQ(inPlace, expected) << planes << " planes, outside " << outside;
        }
    }
    // No reach at all: nothing but the bare pixels.
    std::vector<uint8_t> in(size_t(w) * h * 4, 7), expected(in.size(), 1), out(in.size(), 2);
    in[3] = 0;
    CDib empty, clear;
    clear.Create(w, h);
    CompositeShadow(clear, PixelRect{0, 0, w, h}, object, g, HostBuffers::Packed(w, h, 4, in.data(), expected.data()),
                    20, true);
    CompositeShadow(empty, PixelRect{0, 0, 0, 0}, object, g, HostBuffers::Packed(w, h, 4, in.data(), out.data()), 20,
                    true);
    EXPECT_EQ(out, expected);
}

TEST(ComposePreview, LayersAndOpacity)
{
    RunGeometry g;
    g.imageWidth = 4;
    g.imageHeight = 4;
    g.cropLeft = 1;
    g.cropTop = 1;
    g.cropRight = 2;
    g.cropBottom = 2;
    CDib image, render, object, view;
    image.Create(4, 4);
    image.Fill(0xFF0000FF);  // picture (alpha 255 where unselected)
    render.Create(4, 4);
    render.Fill(0xFF000000);
    object.Create(2, 2);
    object.Fill(0xFFFF0000);
    view.Create(2, 2);

    // View at (1, 1): the object covers the whole view when outside is on.
    ComposePreview(view, 1, 1, image, render, object, g, 30, true);
    EXPECT_EQ(view.PixelAt(0, 0), 0xFFFF0000u);
    EXPECT_EQ(view.PixelAt(1, 1), 0xFFFF0000u);

    // Over everything, the shadow at op = 178 darkens the object.
    ComposePreview(view, 1, 1, image, render, object, g, 30, false);
    EXPECT_EQ(view.PixelAt(0, 0), BlendArgb(0xFFFF0000, 0xB2000000));

    // View at (2, 2): the right/bottom pixels lie outside the object.
    ComposePreview(view, 2, 2, image, render, object, g, 30, true);
    EXPECT_EQ(view.PixelAt(0, 0), 0xFFFF0000u);
    EXPECT_EQ(view.PixelAt(1, 1), BlendArgb(0xFF0000FF, 0xB2000000));
}

// A layer's picture is fully transparent in the preview: leaving it out of
// the view (no image buffer at all) gives the same pixels as blending it.
TEST(ComposePreview, ATransparentPictureChangesNothing)
{
    RunGeometry g;
    g.imageWidth = 6;
    g.imageHeight = 5;
    g.cropLeft = 1;
    g.cropTop = 1;
    g.cropRight = 4;
    g.cropBottom = 3;
    CDib picture, none, render, object, withPicture, without;
    picture.Create(6, 5);
    render.Create(6, 5);
    object.Create(4, 3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            picture.SetPixel(x, y, 0x00123456u * uint32_t(x + y + 1) & 0x00FFFFFF);  // alpha 0, any colour
            render.SetPixel(x, y, uint32_t(x * 40 + y * 9) << 24 | 0x00102030u);
            object.SetPixel(x % 4, y % 3, uint32_t(y * 60) << 24 | 0x00FF8000u);
        }
    withPicture.Create(4, 4);
    without.Create(4, 4);
    for (bool outside : {true, false}) {
        ComposePreview(withPicture, 1, 0, picture, render, object, g, 35, outside);
        ComposePreview(without, 1, 0, none, render, object, g, 35, outside);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(without.PixelAt(x, y), withPicture.PixelAt(x, y)) << x << "," << y;
    }
}

// A scene without an object buffer composes its view from the host's pixels:
// every case (layer, layer with a selection, flat image with a selection),
// for views that clip the crop box on every side, gives the pixels of the
// same view composed over the cut-out.
TEST(ComposePreview, TheObjectFromTheHostIsTheCutOut)
{
    const int w = 7, h = 6;
    RunGeometry g;
    g.imageWidth = w;
    g.imageHeight = h;
    g.cropLeft = 1;
    g.cropTop = 1;
    g.cropRight = 5;
    g.cropBottom = 4;
    const struct {
        int planes;
        bool mask;
    } kinds[] = {{4, false}, {4, true}, {3, true}};
    const int views[][2] = {{-2, -1}, {0, 0}, {1, 1}, {3, 2}, {5, 4}, {6, 5}, {-4, 3}};
    for (const auto& kind : kinds) {
        std::vector<uint8_t> in(size_t(w) * h * kind.planes), mask(size_t(w) * h);
        for (size_t i = 0; i < in.size(); ++i)
            in[i] = static_cast<uint8_t>(i * 37 + 11);
        for (size_t i = 0; i < mask.size(); ++i)
            mask[i] = static_cast<uint8_t>(i * 53 + 200);
        const HostBuffers host =
            HostBuffers::Packed(w, h, kind.planes, in.data(), nullptr, kind.mask ? mask.data() : nullptr);
        CDib object, image, render, expected, actual;
        object.Create(g.CropWidth(), g.CropHeight());
        for (int y = g.cropTop; y <= g.cropBottom; ++y)
            for (int x = g.cropLeft; x <= g.cropRight; ++x)
                object.SetPixel(x - g.cropLeft, y - g.cropTop,
                                HostBytesToArgb(host.InPixel(x, y), host.ObjectOpacity(x, y)));
        image.Create(w, h);
        render.Create(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                image.SetPixel(x, y, uint32_t(x * 31 + y * 7) << 24 | 0x00405060u);
                render.SetPixel(x, y, uint32_t(x * 23 + y * 41 + 5) << 24 | 0x00102030u);
            }
        expected.Create(4, 3);
        actual.Create(4, 3);
        for (const auto& view : views) {
            for (bool outside : {true, false}) {
                ComposePreview(expected, view[0], view[1], image, render, object, g, 35, outside);
                ComposePreviewFromHost(actual, view[0], view[1], image, render, host, g, 35, outside);
                for (int y = 0; y < 3; ++y)
                    for (int x = 0; x < 4; ++x)
                        EXPECT_EQ(actual.PixelAt(x, y), expected.PixelAt(x, y))
                            << kind.planes << (kind.mask ? " planes with mask" : " planes") << ", view at "
                            << view[0] << "," << view[1] << (outside ? ", outside" : "") << ", pixel " << x << ","
                            << y;
            }
        }
    }
}

}  // namespace
