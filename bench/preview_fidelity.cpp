// How closely the preview at Fit (rendered at its own reduced scale, as the
// dialog renders it) shows the final result: for each image and each
// built-in preset, the Fit preview of a 555 x 462 preview area (the
// main dialog's at its default size) against the final result shrunk with
// the same area-average filter, both laid over the preview's white ground.
// Prints the PSNR over red, green and blue in dB ("identical" when no pixel
// differs) and the picture's size.
//
// usage: preview_fidelity IMAGE.png...   (layers with transparency, or a flat
//        image and its selection written FLAT.png+MASK.png)
#include <cmath>
#include <cstdio>
#include <exception>
#include <string>

#include "PictureCompare.h"
#include "PngImage.h"
#include "imaging/PreviewZoom.h"
#include "params/ShadowParams.h"
#include "render/RunGeometry.h"
#include "render/ShadowScene.h"

namespace {

const int kClientWidth = 556, kClientHeight = 463;  // the preview's frame included
const ARGB kGround = 0xFFFFFFFF;

// The Fit preview as the control paints it.
void FitPreview(const HostBuffers& host, const RunGeometry& geometry, const ShadowParams& params, CDib& shown)
{
    CShadowScene scene(host, geometry);
    scene.m_preview.m_nZoom = PreviewZoom::kFit;
    scene.InitShadowRenderer(kClientWidth, kClientHeight);
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(params);
    scene.RenderShadow(false, params);
    CDib laid;
    ComposePreviewPaint(scene.m_dibView, kGround, laid);
    ScalePreviewPicture(laid, shown, scene.m_preview.ShownWidth(), scene.m_preview.ShownHeight());
}

// The final result, laid over the ground and shrunk to width x height.
void ShrunkFinal(HostBuffers host, const RunGeometry& geometry, const ShadowParams& params, int width, int height,
                 CDib& shown)
{
    LargeVector<uint8_t> out;
    out.resize(size_t(host.width) * host.height * host.planes);
    host.outData = out.data();
    host.outRowBytes = host.width * host.planes;
    CShadowScene scene(host, geometry);
    scene.InitFinalRenderer();
    scene.BuildShadowPlane();
    scene.BuildShadowTexture(params);
    scene.RenderShadow(true, params);
    CDib result, laid;
    HostOutputPicture(host, result);
    ComposePreviewPaint(result, kGround, laid);
    ScalePreviewPicture(laid, shown, width, height);
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        std::printf("%-28s %-22s %10s  %s\n", "image", "preset", "PSNR (dB)", "Fit picture");
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            const size_t plus = arg.find('+');
            RasterImage image = ReadPng(arg.substr(0, plus), PngLoad::Colour);
            RasterImage mask;
            if (plus != std::string::npos)
                mask = ReadPng(arg.substr(plus + 1), PngLoad::Grey);
            const HostBuffers host =
                HostBuffers::Packed(image.width, image.height, image.planes, image.pixels.data(), nullptr,
                                    plus != std::string::npos ? mask.pixels.data() : nullptr);
            RunGeometry geometry;
            if (ComputeRunGeometry(host, geometry) != RunRefusal::None) {
                std::printf("%s: no object\n", argv[i]);
                continue;
            }
            const std::string file = arg.substr(0, plus);
            const std::string name =
                file.substr(file.find_last_of('/') + 1) + (plus != std::string::npos ? "+selection" : "");
            for (const ShadowPreset& preset : kBuiltInPresets) {
                CDib preview, final;
                FitPreview(host, geometry, preset.params, preview);
                ShrunkFinal(host, geometry, preset.params, preview.GetWidth(), preview.GetHeight(), final);
                const double psnr = Psnr(preview, final);
                char value[32];
                std::snprintf(value, sizeof value, std::isinf(psnr) ? "identical" : "%.2f", psnr);
                std::printf("%-28s %-22s %10s  %dx%d\n", name.c_str(), preset.name, value, preview.GetWidth(),
                            preview.GetHeight());
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "preview_fidelity: %s\n", e.what());
        return 1;
    }
    return 0;
}
