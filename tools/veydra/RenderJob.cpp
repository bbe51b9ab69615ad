#include "RenderJob.h"

#include <chrono>
#include <iomanip>
#include <new>
#include <ostream>

#include "DeepRender.h"
#include "PngDeep.h"
#include "imaging/WorkerThreads.h"
#include "render/RunGeometry.h"
#include "render/ShadowScene.h"

namespace {

class StageClock {
public:
    explicit StageClock(bool enabled, std::ostream& log) : m_enabled(enabled), m_log(log), m_start(Now()) {}

    void Lap(const char* stage)
    {
        const auto now = Now();
        if (m_enabled)
            m_log << "timing: " << std::left << std::setw(22) << stage << std::right << std::fixed
                  << std::setprecision(1) << std::chrono::duration<double, std::milli>(now - m_start).count()
                  << " ms\n";
        m_start = now;
    }

private:
    static std::chrono::steady_clock::time_point Now() { return std::chrono::steady_clock::now(); }
    bool m_enabled;
    std::ostream& m_log;
    std::chrono::steady_clock::time_point m_start;
};

}  // namespace

RasterImage ApplyShadow(const RasterImage& input, const RasterImage* mask, const RenderOptions& options,
                        const std::function<void(const char*)>& lap)
{
    RasterImage output = input;
    ApplyShadowInPlace(output, mask, options, lap);
    return output;
}

void CheckMaskFits(const RasterImage& image, const RasterImage* mask, const RenderOptions& options)
{
    if (mask && (mask->width != image.width || mask->height != image.height))
        throw CliError(options.mask + ": mask is " + std::to_string(mask->width) + "x" + std::to_string(mask->height) +
                       ", the image " + std::to_string(image.width) + "x" + std::to_string(image.height));
}

void RenderThroughScene(const HostBuffers& host, const RunGeometry& geometry, const DocumentPlanes* document,
                        const RenderOptions& options, const std::function<void(const char*)>& lap)
{
    const ShadowParams& params = options.params;
    CShadowScene scene(host, geometry);
    scene.SetDocument(document);
    scene.InitFinalRenderer();
    if (!scene.HasBuffers())
        throw CliError(options.input + ": image too large to hold in memory");
    lap("image+object buffers");
    scene.BuildShadowTexture(params);
    lap("texture+blur");
    scene.BuildShadowPlane();
    try {
        scene.RenderFrame(true, params);
    } catch (const std::bad_alloc&) {
        throw CliError(options.input + ": image too large to hold in memory");
    }
    lap("render");
    scene.CompositeShadow(params);
    lap("composite");
}

void ApplyShadowInPlace(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                        const std::function<void(const char*)>& lap)
{
    CheckMaskFits(image, mask, options);
    // A flat image has no transparency for the shadow to stand on alone
    // (grey + alpha and RGBA files have it; grey and RGB ones do not).
    if (options.params.IsShadowOnly() && image.planes % 2 != 0)
        throw CliError(options.input + ": --shadow-only needs a layer with transparency (a PNG with alpha)");
    if (KeepsOwnDepth(image)) {
        ApplyShadowAtOwnDepth(image, mask, options, lap);
        return;
    }

    // The host's input and output are one buffer here, as some hosts hand
    // them; nothing is written to it before the final composite.
    const HostBuffers host = HostBuffers::Packed(image.width, image.height, image.planes, image.pixels.data(),
                                                 image.pixels.data(), mask ? mask->pixels.data() : nullptr);
    RunGeometry geometry;
    const RunRefusal refusal = ComputeRunGeometry(host, geometry);
    if (refusal != RunRefusal::None)
        throw CliError(options.input + ": " + RefusalText(refusal));
    lap("object bounds");

    RenderThroughScene(host, geometry, nullptr, options, lap);
}

RenderOutcome RunRender(const RenderOptions& options, std::ostream& log)
{
    for (const std::string& note : options.notes)
        log << "veydra: " << note << "\n";

    if (options.threads > 0)
        SetWorkerThreadCount(options.threads);
    StageClock clock(options.timings, log);
    const auto lap = [&clock](const char* stage) { clock.Lap(stage); };
    RasterImage image;
    if (!ReadPngAtOwnDepth(options.input, image))
        image = ReadPng(options.input, PngLoad::Colour);
    RasterImage mask;
    if (!options.mask.empty())
        mask = ReadPng(options.mask, PngLoad::Grey);
    lap("png decode");

    RenderOutcome outcome;
    if (options.fit) {
        // The grown canvas is laid out in 8-bit colour samples; a deeper or
        // grey file would lose what it is kept at its depth for.
        if (KeepsOwnDepth(image))
            throw CliError(options.input + ": --fit works on 8-bit RGB and RGBA files; this one is " +
                           (image.planes <= 2 ? std::string("grey") : std::string("16-bit")));
        outcome.fitted = true;
        outcome.placement = ApplyShadowFitted(image, options.mask.empty() ? nullptr : &mask, options, lap);
    } else {
        ApplyShadowInPlace(image, options.mask.empty() ? nullptr : &mask, options, lap);
    }
    WritePngAtomically(options.output, image);
    lap("png encode");
    return outcome;
}

void ListPresets(std::ostream& out)
{
    for (const ShadowPreset& preset : kBuiltInPresets) {
        out << preset.name << ":";
        for (const ShadowParamInfo& info : kShadowParamTable)
            out << " " << info.name << "=" << preset.params.*info.field;
        out << "\n";
    }
}
