#include "RenderJob.h"

#include <chrono>
#include <iomanip>
#include <ostream>

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
    if (mask && (mask->width != input.width || mask->height != input.height))
        throw CliError(options.mask + ": mask is " + std::to_string(mask->width) + "x" + std::to_string(mask->height) +
                       ", the image " + std::to_string(input.width) + "x" + std::to_string(input.height));

    RasterImage output = input;  // the host hands back the current pixels to blend onto
    const HostBuffers host = HostBuffers::Packed(input.width, input.height, input.planes, input.pixels.data(),
                                                 output.pixels.data(), mask ? mask->pixels.data() : nullptr);
    RunGeometry geometry;
    const RunRefusal refusal = ComputeRunGeometry(host, geometry);
    if (refusal != RunRefusal::None)
        throw CliError(options.input + ": " + RefusalText(refusal));
    lap("object bounds");

    const ShadowParams& params = options.params;
    CShadowScene scene(host, geometry);
    scene.InitShadowRenderer();
    if (scene.m_dibImage.IsEmpty() || scene.m_dibRender.IsEmpty())
        throw CliError(options.input + ": image too large to hold in memory");
    lap("image+object buffers");
    scene.BuildShadowTexture(params);
    lap("texture+blur");
    scene.BuildShadowPlane();
    scene.RenderFrame(true, params);
    lap("render");
    scene.CompositeShadow(params);
    lap("composite");
    return output;
}

void RunRender(const RenderOptions& options, std::ostream& log)
{
    for (const std::string& note : options.notes)
        log << "veydra: " << note << "\n";

    StageClock clock(options.timings, log);
    const auto lap = [&clock](const char* stage) { clock.Lap(stage); };
    const RasterImage input = ReadPng(options.input, PngLoad::Colour);
    RasterImage mask;
    if (!options.mask.empty())
        mask = ReadPng(options.mask, PngLoad::Grey);
    lap("png decode");

    const RasterImage output = ApplyShadow(input, options.mask.empty() ? nullptr : &mask, options, lap);
    WritePngAtomically(options.output, output);
    lap("png encode");
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
