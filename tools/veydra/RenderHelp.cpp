#include "RenderHelp.h"

#include <algorithm>

#include "VeydraVersion.h"
#include "params/ShadowParams.h"

namespace {

const char* const kFiles = "Files";
const char* const kRun = "Batches and runs";
const char* const kShadow = "The shadow (from the defaults, or from --preset; values out of range are clamped)";

}  // namespace

const OptionHelp kRenderOptionHelp[] = {
    {kFiles, "-o, --output FILE", nullptr, "PNG path", "", "where the result of one input goes"},
    {kFiles, "--out-dir DIR", nullptr, "directory", "", "renders every input into DIR under its own name"},
    {kFiles, "--mask FILE", nullptr, "grey PNG", "none", "the selection (the object of a flat image)"},
    {kFiles, "--fit", nullptr, "", "off", "grows the canvas so no part of the shadow is cut; prints the offset"},
    {kFiles, "--background RRGGBB", nullptr, "hex colour", "edge", "with --fit: the margins of a flat image"},
    {kRun, "-j, --jobs N", nullptr, "1 or more", "cores", "files rendered at once (each with cores / N threads)"},
    {kRun, "--threads N", nullptr, "1 or more", "cores / jobs", "worker threads of each render (16 at most)"},
    {kRun, "--timings", nullptr, "", "off", "prints how long each stage took"},
    {kShadow, "--preset NAME", nullptr, "see presets", "none", "starts from a built-in preset"},
    {kShadow, "--blur N", "blur", nullptr, nullptr, "blur of the shadow's edge"},
    {kShadow, "--transparency N", "transparency", nullptr, nullptr, "how much the shadow lets through (%)"},
    {kShadow, "--intensity N", "intensity", nullptr, nullptr, "fade along the shadow's length"},
    {kShadow, "--angle-x N", "angleX", nullptr, nullptr, "tilt about the hinge line (degrees)"},
    {kShadow, "--angle-y N", "angleY", nullptr, nullptr, "turn about the vertical axis (degrees)"},
    {kShadow, "--angle-z N", "angleZ", nullptr, nullptr, "turn in the picture's plane (degrees)"},
    {kShadow, "--offset-x N", "posX", nullptr, nullptr, "moves the shadow right (pixels)"},
    {kShadow, "--offset-y N", "posY", nullptr, nullptr, "moves the shadow down (pixels)"},
    {kShadow, "--zoom N", "zoom", nullptr, nullptr, "size of the shadow (%)"},
    {kShadow, "--perspective N", "perspective", nullptr, nullptr, "strength of the perspective"},
    {kShadow, "--color RRGGBB", "color", "hex colour", "000000", "colour of the shadow"},
    {kShadow, "--outside on|off", "outside", "on|off", "on", "on: behind the object; off: over everything"},
    {kShadow, "--position P", "shadowPosition", "bottom|center|top", "bottom", "where the shadow is hinged"},
    {kShadow, "--softness N", "softness", nullptr, nullptr, "sharp where the object stands, soft far off (%)"},
    {kShadow, "--shadow-only", "shadowOnly", "", "off", "the shadow alone on transparency (layers only)"},
};
const size_t kRenderOptionHelpCount = sizeof kRenderOptionHelp / sizeof kRenderOptionHelp[0];

std::string HelpRange(const OptionHelp& row)
{
    const ShadowParamInfo* info = row.param ? FindShadowParam(row.param) : nullptr;
    if (info && info->hasRange)
        return std::to_string(info->minimum) + ".." + std::to_string(info->maximum);
    return row.range ? row.range : "";
}

std::string HelpDefault(const OptionHelp& row)
{
    const ShadowParamInfo* info = row.param ? FindShadowParam(row.param) : nullptr;
    if (info && info->hasRange)
        return std::to_string(info->defaultValue);
    return row.byDefault ? row.byDefault : "";
}

std::string RenderHelpText()
{
    std::string text =
        "usage: veydra render INPUT.png -o OUTPUT.png [OPTIONS]\n"
        "       veydra render INPUT.png... --out-dir DIR [OPTIONS]\n"
        "\n"
        "A PNG with alpha is a layer; one without is a flat image and needs --mask.\n"
        "Many inputs: one line per file; a file that fails is reported and the rest\n"
        "are still rendered. Exit status 0 when all were written, 1 when any failed,\n"
        "2 for a command line that is not understood. Grey and 16-bit files are\n"
        "rendered and written at their own depth (not with --fit).\n";
    size_t optionWidth = 0, rangeWidth = 0, defaultWidth = 0;
    for (size_t i = 0; i < kRenderOptionHelpCount; ++i) {
        optionWidth = std::max(optionWidth, std::string(kRenderOptionHelp[i].option).size());
        rangeWidth = std::max(rangeWidth, HelpRange(kRenderOptionHelp[i]).size());
        defaultWidth = std::max(defaultWidth, HelpDefault(kRenderOptionHelp[i]).size());
    }
    const auto pad = [](std::string s, size_t width) { return s.append(width > s.size() ? width - s.size() : 0, ' '); };
    const auto line = [&](const std::string& option, const std::string& range, const std::string& byDefault,
                          const std::string& what) {
        return "  " + pad(option, optionWidth) + "  " + pad(range, rangeWidth) + "  " + pad(byDefault, defaultWidth) +
               "  " + what + "\n";
    };
    text += "\n" + line("option", "range", "default", "");
    const char* section = nullptr;
    for (size_t i = 0; i < kRenderOptionHelpCount; ++i) {
        const OptionHelp& row = kRenderOptionHelp[i];
        if (!section || std::string(section) != row.section) {
            section = row.section;
            text += std::string("\n") + section + ":\n";
        }
        text += line(row.option, HelpRange(row), HelpDefault(row), row.text);
    }
    return text;
}

std::string VersionText() { return std::string("veydra ") + VEYDRA_VERSION + "\n"; }
