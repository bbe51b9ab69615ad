#include "DeepRender.h"

#include <new>

#include "RenderJob.h"
#include "render/DocumentReduction.h"
#include "render/RunGeometry.h"
#include "render/ShadowScene.h"

void ApplyShadowAtOwnDepth(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                           const std::function<void(const char*)>& lap)
{
    DocumentPlanes document;
    document.width = image.width;
    document.height = image.height;
    document.depth = image.depth;
    document.colours = image.planes <= 2 ? 1 : 3;
    document.planes = image.planes;
    // A PNG file's 16-bit samples run to 65535: compositing on that scale
    // leaves the samples the shadow misses exactly as the file had them.
    document.fullScale = image.depth == 16 ? 65535 : 255;
    document.inData = image.pixels.data();
    document.outData = image.pixels.data();
    document.inRowBytes = document.outRowBytes = image.RowBytes();
    document.maskData = mask ? mask->pixels.data() : nullptr;
    document.maskRowBytes = mask ? mask->RowBytes() : 0;

    CDocumentReduction reduction;
    HostBuffers host;
    RunGeometry geometry;
    RunRefusal refusal = RunRefusal::None;
    try {
        if (document.HasTransparency() && !mask) {
            refusal = reduction.ReduceLayerObject(document, host, geometry);
        } else {
            host = reduction.Reduce(document);
            refusal = ComputeRunGeometry(host, geometry);
        }
    } catch (const std::bad_alloc&) {
        throw CliError(options.input + ": image too large to hold in memory");
    }
    if (refusal != RunRefusal::None)
        throw CliError(options.input + ": " + RefusalText(refusal));
    lap("object bounds");

    RenderThroughScene(host, geometry, &document, options, lap);
}
