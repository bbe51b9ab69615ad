#include "Options.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "PngImage.h"

const char* UsageText()
{
    return "usage:\n"
           "  veydra render INPUT.png -o OUTPUT.png [OPTIONS]\n"
           "  veydra render INPUT.png... --out-dir DIR [-j N] [OPTIONS]\n"
           "  veydra render --help     every option, with its range and default\n"
           "  veydra presets\n"
           "  veydra --version\n"
           "  veydra --help\n";
}

namespace {

// Command-line spelling of each slider value.
struct NumericOption {
    const char* flag;
    const char* param;
};

const NumericOption kNumericOptions[] = {
    {"--blur", "blur"},       {"--transparency", "transparency"}, {"--intensity", "intensity"},
    {"--angle-x", "angleX"},  {"--angle-y", "angleY"},            {"--angle-z", "angleZ"},
    {"--offset-x", "posX"},   {"--offset-y", "posY"},             {"--zoom", "zoom"},
    {"--perspective", "perspective"}, {"--softness", "softness"},
};

int32_t ParseInteger(const std::string& flag, const std::string& text)
{
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        throw CliError(flag + ": not a whole number: '" + text + "'");
    return static_cast<int32_t>(value);
}

// RRGGBB (optionally with a leading '#') to a Windows colour value 0x00BBGGRR.
int32_t ParseColour(const std::string& flag, const std::string& text)
{
    const std::string hex = !text.empty() && text[0] == '#' ? text.substr(1) : text;
    if (hex.size() != 6 || hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw CliError(flag + ": expected RRGGBB in hexadecimal, got '" + text + "'");
    const unsigned long rgb = std::strtoul(hex.c_str(), nullptr, 16);
    const unsigned long r = rgb >> 16 & 0xFF, g = rgb >> 8 & 0xFF, b = rgb & 0xFF;
    return static_cast<int32_t>(b << 16 | g << 8 | r);
}

int32_t ParseChoice(const std::string& flag, const std::string& text, const std::vector<std::string>& words)
{
    for (size_t i = 0; i < words.size(); ++i)
        if (text == words[i])
            return static_cast<int32_t>(i);
    std::string list;
    for (const std::string& w : words)
        list += (list.empty() ? "" : "|") + w;
    throw CliError(flag + ": expected " + list + ", got '" + text + "'");
}

// Values given explicitly, applied over the preset or the defaults.
struct Overrides {
    std::vector<std::pair<const ShadowParamInfo*, int32_t>> values;
    std::string preset;
};

void ApplyOverrides(RenderOptions& out, const Overrides& o)
{
    out.params = DefaultShadowParams();
    if (!o.preset.empty()) {
        const ShadowPreset* preset = FindBuiltInPreset(o.preset.c_str());
        if (!preset)
            throw CliError("--preset: unknown preset '" + o.preset + "' (see 'veydra presets')");
        out.params = preset->params;
    }
    for (const auto& v : o.values) {
        const int32_t clamped = v.first->Clamp(v.second);
        if (clamped != v.second)
            out.notes.push_back(std::string(v.first->label) + " " + std::to_string(v.second) + " is out of range " +
                                std::to_string(v.first->minimum) + ".." + std::to_string(v.first->maximum) +
                                "; using " + std::to_string(clamped));
        out.params.*v.first->field = clamped;
    }
}

// Splits "--flag=value" and fetches the value of "--flag value".
std::string TakeValue(const std::vector<std::string>& args, size_t& i, std::string& flag)
{
    const size_t eq = flag.find('=');
    if (eq != std::string::npos) {
        std::string value = flag.substr(eq + 1);
        flag = flag.substr(0, eq);
        return value;
    }
    if (i + 1 >= args.size())
        throw CliError(flag + ": missing value");
    return args[++i];
}

bool ParseRenderOption(const std::vector<std::string>& args, size_t& i, RenderOptions& out, Overrides& o)
{
    std::string flag = args[i];
    if (flag == "--timings") {
        out.timings = true;
        return true;
    }
    if (flag == "--fit") {
        out.fit = true;
        return true;
    }
    if (flag == "--shadow-only") {
        o.values.emplace_back(FindShadowParam("shadowOnly"), 1);
        return true;
    }
    const std::string name = flag.substr(0, flag.find('='));
    for (const NumericOption& n : kNumericOptions) {
        if (name == n.flag) {
            const std::string value = TakeValue(args, i, flag);
            o.values.emplace_back(FindShadowParam(n.param), ParseInteger(flag, value));
            return true;
        }
    }
    if (name == "-o" || name == "--output") {
        out.output = TakeValue(args, i, flag);
    } else if (name == "--threads") {
        const std::string value = TakeValue(args, i, flag);
        out.threads = ParseInteger(flag, value);
        if (out.threads < 1)
            throw CliError(flag + ": expected a count of 1 or more, got '" + value + "'");
    } else if (name == "-j" || name == "--jobs") {
        const std::string value = TakeValue(args, i, flag);
        out.jobs = ParseInteger(flag, value);
        if (out.jobs < 1)
            throw CliError(flag + ": expected a count of 1 or more, got '" + value + "'");
    } else if (name == "--out-dir") {
        out.outDir = TakeValue(args, i, flag);
    } else if (name == "--background") {
        const std::string value = TakeValue(args, i, flag);
        out.background = ParseColour(flag, value);
    } else if (name == "--mask") {
        out.mask = TakeValue(args, i, flag);
    } else if (name == "--preset") {
        o.preset = TakeValue(args, i, flag);
    } else if (name == "--color") {
        const std::string value = TakeValue(args, i, flag);
        o.values.emplace_back(FindShadowParam("color"), ParseColour(flag, value));
    } else if (name == "--outside") {
        o.values.emplace_back(FindShadowParam("outside"), 1 - ParseChoice(flag, TakeValue(args, i, flag), {"on", "off"}));
    } else if (name == "--position") {
        o.values.emplace_back(FindShadowParam("shadowPosition"),
                              ParseChoice(flag, TakeValue(args, i, flag), {"bottom", "center", "top"}));
    } else {
        return false;
    }
    return true;
}

// Which files a render reads and writes: one input with -o, or any number
// with --out-dir, each written there under its own name.
void CheckFiles(RenderOptions& out)
{
    if (out.inputs.empty())
        throw CliError("render: no input file given");
    if (!out.outDir.empty()) {
        if (!out.output.empty())
            throw CliError("render: -o names one output file; with --out-dir the names are kept");
        std::vector<std::string> names;
        for (const std::string& input : out.inputs) {
            const std::string name = OutputPathFor(input, out.outDir);
            if (std::find(names.begin(), names.end(), name) != names.end())
                throw CliError("render: two inputs would both be written to " + name);
            names.push_back(name);
        }
    } else if (out.inputs.size() > 1) {
        throw CliError("render: " + std::to_string(out.inputs.size()) +
                       " input files need --out-dir DIR (-o names one output file)");
    } else if (out.output.empty()) {
        throw CliError("render: no output file given (-o OUTPUT.png, or --out-dir DIR)");
    }
    if (out.background >= 0 && !out.fit)
        throw CliError("--background: colours the margins --fit adds; give --fit too");
    out.input = out.inputs.front();
}

RenderOptions ParseRender(const std::vector<std::string>& args)
{
    RenderOptions out;
    Overrides overrides;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            if (!ParseRenderOption(args, i, out, overrides))
                throw CliError("unknown option '" + a + "' (see 'veydra render --help')");
        } else {
            out.inputs.push_back(a);
        }
    }
    CheckFiles(out);
    ApplyOverrides(out, overrides);
    return out;
}

}  // namespace

std::string OutputPathFor(const std::string& input, const std::string& outDir)
{
    const size_t slash = input.find_last_of('/');
    const std::string name = slash == std::string::npos ? input : input.substr(slash + 1);
    return !outDir.empty() && outDir.back() == '/' ? outDir + name : outDir + "/" + name;
}

ParsedCommand ParseCommandLine(const std::vector<std::string>& args)
{
    ParsedCommand parsed;
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        parsed.command = Command::Help;
    } else if (args[0] == "--version") {
        parsed.command = Command::Version;
    } else if (args[0] == "render" &&
               std::any_of(args.begin() + 1, args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; })) {
        parsed.command = Command::RenderHelp;
    } else if (args[0] == "presets") {
        if (args.size() > 1)
            throw CliError("presets: takes no arguments");
        parsed.command = Command::Presets;
    } else if (args[0] == "render") {
        parsed.command = Command::Render;
        parsed.render = ParseRender(args);
    } else {
        throw CliError("unknown command '" + args[0] + "'");
    }
    return parsed;
}
