#include "RenderJob.h"

#include <chrono>
#include <iomanip>
#include <new>
#include <ostream>

#include "PngDeep.h"
#include "engine/ShadowEngine.h"
#include "imaging/WorkerThreads.h"

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

DocumentPlanes ImageDocument(RasterImage& image, const RasterImage* mask)
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
    // The result is written over the input itself: the compositing reads
    // each input pixel just before it replaces it.
    document.inData = image.pixels.data();
    document.outData = image.pixels.data();
    document.inRowBytes = document.outRowBytes = image.RowBytes();
    document.maskData = mask ? mask->pixels.data() : nullptr;
    document.maskRowBytes = mask ? mask->RowBytes() : 0;
    return document;
}

void ApplyShadowInPlace(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                        const std::function<void(const char*)>& lap)
{
    CheckMaskFits(image, mask, options);
    EngineOptions engine;
    engine.stageDone = lap;
    RunRefusal refusal = RunRefusal::None;
    try {
        refusal = RenderShadow(ImageDocument(image, mask), options.params, engine);
    } catch (const std::bad_alloc&) {
        throw CliError(options.input + ": image too large to hold in memory");
    }
    // A flat image has no transparency for the shadow to stand on alone
    // (grey + alpha and RGBA files have it; grey and RGB ones do not).
    if (refusal == RunRefusal::ShadowOnlyOnFlatImage)
        throw CliError(options.input + ": --shadow-only needs a layer with transparency (a PNG with alpha)");
    if (refusal != RunRefusal::None)
        throw CliError(options.input + ": " + RefusalText(refusal));
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
