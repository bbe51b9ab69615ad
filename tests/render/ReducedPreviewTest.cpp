#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "PictureCompare.h"
#include "imaging/PreviewZoom.h"
#include "render/ShadowScene.h"

namespace {

const int kWidth = 600, kHeight = 450;
// A preview client that shows the image at about a quarter.
const int kClientWidth = 161, kClientHeight = 131;
const ARGB kGround = 0xFFFFFFFF;

// A soft-edged disc with a square hole on a striped picture: as a layer
// (the disc's opacity in the transparency byte) or as a flat image with the
// disc as its selection. Edges, a hole and stripes all show a misplaced or
// wrongly scaled shadow.
struct Picture {
    std::vector<uint8_t> in, out, mask;
    HostBuffers host;
    RunGeometry geometry;

    explicit Picture(bool layer)
    {
        const int planes = layer ? 4 : 3;
        in.resize(size_t(kWidth) * kHeight * planes);
        mask.resize(size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const double d = std::hypot(x - 290.0, y - 200.0);
                const bool hole = std::abs(x - 300) < 18 && std::abs(y - 190) < 12;
                const double edge = std::min(1.0, std::max(0.0, (120.0 - d) / 3.0));
                const uint8_t opacity = hole ? 0 : static_cast<uint8_t>(edge * 255 + 0.5);
                uint8_t* p = &in[(size_t(y) * kWidth + x) * planes];
                p[0] = static_cast<uint8_t>((x / 7) % 2 ? 230 : 40);
                p[1] = static_cast<uint8_t>(y % 256);
                p[2] = static_cast<uint8_t>(x * 255 / kWidth);
                if (layer)
                    p[3] = opacity;
                mask[size_t(y) * kWidth + x] = opacity;
            }
        out.resize(in.size());
        host = HostBuffers::Packed(kWidth, kHeight, planes, in.data(), out.data(), layer ? nullptr : mask.data());
        EXPECT_EQ(ComputeRunGeometry(host, geometry), RunRefusal::None);
    }
};

// The preview picture as the control shows it: the view over the ground,
// brought to the shown size.
void Shown(CShadowScene& scene, CDib& shown)
{
    CDib laid;
    ComposePreviewPaint(scene.m_dibView, kGround, laid);
    ScalePreviewPicture(laid, shown, scene.m_preview.ShownWidth(), scene.m_preview.ShownHeight());
}

void OpenAt(CShadowScene& scene, int zoom, const ShadowParams& params)
{
    scene.m_preview.m_nZoom = zoom;
    scene.InitShadowRenderer(kClientWidth, kClientHeight);
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(params);
    scene.RenderShadow(false, params);
}

// The final result in the host's output, as an ARGB picture.
void FinalResult(const Picture& picture, const ShadowParams& params, CDib& result)
{
    std::vector<uint8_t> out(picture.in.size());
    HostBuffers host = picture.host;
    host.outData = out.data();
    CShadowScene scene(host, picture.geometry);
    scene.InitFinalRenderer();
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(params);
    scene.RenderShadow(true, params);
    HostOutputPicture(host, result);
}

}  // namespace

// Rendered at the preview's own scale, the Fit and 25 % previews look like
// the final result shrunk, for every built-in preset, on a layer and on a
// flat image with a selection, and with the shadow alone.
TEST(ReducedPreview, LooksLikeTheFinalResultShrunk)
{
    for (bool layer : {true, false}) {
        const Picture picture(layer);
        for (const ShadowPreset& preset : kBuiltInPresets) {
            for (int zoom : {PreviewZoom::kFit, 25}) {
                for (bool alone : {false, true}) {
                    if (alone && !layer)
                        continue;  // a flat image has no shadow alone
                    ShadowParams params = preset.params;
                    params.shadowOnly = alone ? 1 : 0;
                    CShadowScene scene(picture.host, picture.geometry);
                    OpenAt(scene, zoom, params);
                    ASSERT_TRUE(scene.RendersReduced()) << preset.name;
                    CDib preview, result, laid, shrunk;
                    Shown(scene, preview);
                    FinalResult(picture, params, result);
                    // The whole image is in view at both levels here.
                    ASSERT_EQ(scene.m_preview.m_nViewWidth, kWidth);
                    ComposePreviewPaint(result, kGround, laid);
                    ScalePreviewPicture(laid, shrunk, preview.GetWidth(), preview.GetHeight());
                    EXPECT_GE(Psnr(preview, shrunk), 35.0)
                        << preset.name << (layer ? " layer" : " flat") << " zoom " << zoom << (alone ? " alone" : "");
                }
            }
        }
    }
}

// Changes made while reduced reach the full-size frame: back at 100 % the
// view, and the confirming render, are what a scene that never left 100 %
// (or never showed a preview) gives.
TEST(ReducedPreview, LeavingTheReducedScaleShowsAndConfirmsTheCurrentValues)
{
    const Picture picture(true);
    const ShadowParams first = kBuiltInPresets[0].params;
    const ShadowParams second = kBuiltInPresets[3].params;

    CShadowScene scene(picture.host, picture.geometry);
    OpenAt(scene, PreviewZoom::kFit, first);
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(second);
    scene.RenderShadow(false, second);
    scene.m_preview.m_nZoom = 100;
    scene.m_preview.SetImage(&scene.m_dibView, PixelRect{0, 0, kWidth, kHeight}, true, kClientWidth, kClientHeight);
    scene.m_preview.ClampView();
    scene.FollowView(second);
    EXPECT_FALSE(scene.RendersReduced());
    scene.ComposePreview(second);

    CShadowScene direct(picture.host, picture.geometry);
    OpenAt(direct, 100, second);
    direct.m_preview.m_rcView = scene.m_preview.m_rcView;
    direct.FollowView(second);
    direct.ComposePreview(second);
    EXPECT_TRUE(SamePixels(scene.m_dibView, direct.m_dibView));

    // Reduced again with the second values, then confirmed.
    scene.m_preview.m_nZoom = PreviewZoom::kFit;
    scene.m_preview.SetImage(&scene.m_dibView, PixelRect{0, 0, kWidth, kHeight}, true, kClientWidth, kClientHeight);
    scene.FollowView(second);
    EXPECT_TRUE(scene.RendersReduced());
    scene.BuildShadowTexture(first);
    scene.RenderShadow(false, first);
    scene.RenderShadow(true, first);
    CDib confirmed, expected;
    FinalResult(picture, first, expected);
    confirmed.Create(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = picture.host.OutPixel(x, y);
            confirmed.Row(y)[x] = HostBytesToArgb(p, p[3]);
        }
    EXPECT_TRUE(SamePixels(confirmed, expected));
}

// Panning a reduced view draws only what it uncovers, and the picture is the
// one a view opened there shows.
TEST(ReducedPreview, APannedViewShowsWhatAViewOpenedThereShows)
{
    const Picture picture(true);
    const ShadowParams params = kBuiltInPresets[0].params;
    CShadowScene panned(picture.host, picture.geometry);
    OpenAt(panned, 50, params);
    ASSERT_TRUE(panned.RendersReduced());
    ASSERT_LT(panned.m_preview.m_nViewWidth, kWidth) << "the view shows a part of the image";
    // A few drag steps, then a jump to the far corner.
    for (const auto& at : {std::make_pair(260, 210), std::make_pair(240, 230), std::make_pair(9000, 9000)}) {
        panned.m_preview.CentreOn(at.first, at.second);
        panned.m_preview.ClampView();
        panned.FollowView(params);
        panned.ComposePreview(params);

        CShadowScene opened(picture.host, picture.geometry);
        opened.m_preview.m_nZoom = 50;
        opened.InitShadowRenderer(kClientWidth, kClientHeight);
        opened.m_preview.m_rcView = panned.m_preview.m_rcView;
        opened.BuildShadowPlane();
        opened.BuildShadowTexture(params);
        opened.RenderShadow(false, params);
        EXPECT_TRUE(SamePixels(panned.m_dibView, opened.m_dibView)) << at.first << "," << at.second;
    }
}

namespace {

// Shows the scene at `zoom` with the view where a dialog would put it, and
// the shadow for `params`.
void ZoomTo(CShadowScene& scene, int zoom, const ShadowParams& params)
{
    scene.m_preview.m_nZoom = zoom;
    scene.m_preview.SetImage(&scene.m_dibView, PixelRect{0, 0, kWidth, kHeight}, true, kClientWidth, kClientHeight);
    scene.m_preview.ClampView();
    scene.FollowView(params);
    scene.ComposePreview(params);
}

// A scene opened at `zoom` with `params`, its view where `like`'s is.
bool ShowsAsOpened(const Picture& picture, CShadowScene& like, int zoom, const ShadowParams& params)
{
    CShadowScene opened(picture.host, picture.geometry);
    OpenAt(opened, zoom, params);
    opened.m_preview.m_rcView = like.m_preview.m_rcView;
    opened.FollowView(params);
    opened.ComposePreview(params);
    return SamePixels(like.m_dibView, opened.m_dibView);
}

}  // namespace

// A scene keeps the reductions of the sizes it showed and the full texture
// it made: a return to a size, with the values changed meanwhile or not,
// and a return to 100 % show what a scene opened there shows; new host
// pixels under the same scene are reduced anew.
TEST(ReducedPreview, KeptReductionsAndTextureShowWhatAFreshSceneShows)
{
    for (bool layer : {true, false}) {
        SCOPED_TRACE(layer ? "layer" : "flat image with a selection");
        Picture picture(layer);
        const ShadowParams first = kBuiltInPresets[0].params;
        ShadowParams second = kBuiltInPresets[3].params;
        second.blur = first.blur + 7;

        CShadowScene scene(picture.host, picture.geometry);
        OpenAt(scene, 100, first);
        ZoomTo(scene, PreviewZoom::kFit, first);
        ASSERT_TRUE(scene.RendersReduced());
        // Back at 100 % with the values the full texture was made from.
        ZoomTo(scene, 100, first);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 100, first));
        ZoomTo(scene, 25, first);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 25, first));
        // New values at 25 %, then Fit (kept) and 25 % (kept) again.
        scene.BuildShadowTexture(second);
        scene.RenderShadow(false, second);
        ZoomTo(scene, PreviewZoom::kFit, second);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, PreviewZoom::kFit, second));
        ZoomTo(scene, 25, second);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 25, second));
        // The values went back to those of the full texture while reduced.
        scene.BuildShadowTexture(first);
        scene.RenderShadow(false, first);
        ZoomTo(scene, 100, first);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 100, first));
        // Changed values while reduced reach 100 %.
        ZoomTo(scene, PreviewZoom::kFit, first);
        scene.BuildShadowTexture(second);
        scene.RenderShadow(false, second);
        ZoomTo(scene, 100, second);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 100, second));

        // Other colours and a second hole, inside the same crop box.
        const int planes = layer ? 4 : 3;
        for (int y = 170; y < 230; ++y)
            for (int x = 250; x < 280; ++x) {
                uint8_t* p = &picture.in[(size_t(y) * kWidth + x) * planes];
                p[0] = static_cast<uint8_t>(255 - p[0]);
                if (layer)
                    p[3] = 0;
                picture.mask[size_t(y) * kWidth + x] = 0;
            }
        scene.m_preview.m_nZoom = PreviewZoom::kFit;
        scene.InitShadowRenderer(kClientWidth, kClientHeight);
        scene.BuildShadowPlane();
        scene.BuildShadowTexture(second);
        scene.RenderShadow(false, second);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, PreviewZoom::kFit, second));
        ZoomTo(scene, 25, second);
        EXPECT_TRUE(ShowsAsOpened(picture, scene, 25, second));
    }
}
