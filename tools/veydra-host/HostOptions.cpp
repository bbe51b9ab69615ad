#include "HostOptions.h"

#include <cstdlib>

const char* HostUsage()
{
    return "usage:\n"
           "  veydra-host info MODULE.8bf\n"
           "  veydra-host about MODULE.8bf [--null-about-platform] [--preset-result]\n"
           "  veydra-host run MODULE.8bf (IN.png | --synthetic N) [-o OUT.png] [--mask MASK.png]\n"
           "         [--set KEY=VALUE]... [--preset NAME] [--play-info N] [--dialog] [--about]\n"
           "         [--no-descriptors] [--no-descriptor-suites] [--zero-suite-versions]\n"
           "         [--no-handle-suite] [--no-buffer-suite] [--no-color-services] [--junk-out]\n"
           "         [--advance-fails] [--null-in] [--null-out] [--null-mask] [--null-error-string]\n"
           "         [--null-record] [--no-host-window] [--empty-filter-rect] [--stale-data]\n"
           "         [--preset-result] [--no-finish] [--worker-thread] [--filter-case N] [--planes N]\n"
           "         [--pad-rows N] [--mask-row-bytes N] [--filter-rect T,L,B,R] [--selector N]...\n"
           "         [--dialog-time-limit MS] [--guard-pages] [--repeat N] [--reload] [--resources]\n"
           "         [--ui SCRIPT] [--ui-time-limit MS] [--color-choice-error N]\n"
           "         [--depth 8|16] [--mode rgb|gray] [--image-mode N]\n"
           "  --depth 16: the document's samples are 16-bit, 0..32768 (a 16-bit PNG's values\n"
           "         scaled to that range, an 8-bit one's expanded); the result is written at\n"
           "         that depth. --mode gray: one grey plane (luma of a colour file).\n"
           "         --image-mode: the imageMode the record announces, whatever the document\n"
           "  SCRIPT: steps separated by ';' played on the dialog, e.g.\n"
           "         \"settle; slider blur 70; position top; outside off; color 00FF00;\n"
           "          drag-preview -50 20; settle; screenshot shot.png; ok\"\n";
}

namespace {

int ToInt(const std::string& option, const std::string& text)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0')
        throw UsageError(option + ": not a number: '" + text + "'");
    return static_cast<int>(value);
}

struct Flag {
    const char* name;
    bool HostOptions::*field;
};

const Flag kFlags[] = {
    {"--dialog", &HostOptions::dialog},
    {"--about", &HostOptions::about},
    {"--no-descriptors", &HostOptions::noDescriptorParameters},
    {"--no-descriptor-suites", &HostOptions::noDescriptorSuites},
    {"--zero-suite-versions", &HostOptions::zeroSuiteVersions},
    {"--no-handle-suite", &HostOptions::noHandleSuite},
    {"--no-buffer-suite", &HostOptions::noBufferSuite},
    {"--no-color-services", &HostOptions::noColorServices},
    {"--junk-out", &HostOptions::junkOut},
    {"--advance-fails", &HostOptions::advanceFails},
    {"--null-in", &HostOptions::nullIn},
    {"--null-out", &HostOptions::nullOut},
    {"--null-mask", &HostOptions::nullMask},
    {"--null-error-string", &HostOptions::nullErrorString},
    {"--null-record", &HostOptions::nullRecord},
    {"--null-about-platform", &HostOptions::nullAboutPlatform},
    {"--no-host-window", &HostOptions::noHostWindow},
    {"--empty-filter-rect", &HostOptions::emptyFilterRect},
    {"--stale-data", &HostOptions::staleData},
    {"--preset-result", &HostOptions::presetResult},
    {"--no-finish", &HostOptions::noFinish},
    {"--worker-thread", &HostOptions::workerThread},
    {"--guard-pages", &HostOptions::guardPages},
    {"--reload", &HostOptions::reload},
    {"--resources", &HostOptions::resources},
};

struct Number {
    const char* name;
    int HostOptions::*field;
};

const Number kNumbers[] = {
    {"--synthetic", &HostOptions::synthetic},   {"--play-info", &HostOptions::playInfo},
    {"--filter-case", &HostOptions::filterCase}, {"--planes", &HostOptions::planes},
    {"--pad-rows", &HostOptions::padRows},      {"--dialog-time-limit", &HostOptions::dialogTimeLimitMs},
    {"--mask-row-bytes", &HostOptions::maskRowBytes}, {"--repeat", &HostOptions::repeat},
    {"--ui-time-limit", &HostOptions::uiTimeLimitMs}, {"--color-choice-error", &HostOptions::colorChoiceError},
    {"--depth", &HostOptions::depth}, {"--image-mode", &HostOptions::imageMode},
};

bool TakeFlag(HostOptions& o, const std::string& arg)
{
    for (const Flag& f : kFlags)
        if (arg == f.name)
            return o.*f.field = true;
    return false;
}

const Number* FindNumber(const std::string& arg)
{
    for (const Number& n : kNumbers)
        if (arg == n.name)
            return &n;
    return nullptr;
}

void TakeSet(HostOptions& o, const std::string& text)
{
    const size_t equals = text.find('=');
    if (equals != 4)
        throw UsageError("--set: expected a four-character KEY=VALUE, got '" + text + "'");
    ToInt("--set " + text.substr(0, 4), text.substr(5));
    o.sets.emplace_back(text.substr(0, 4), text.substr(5));
}

void TakeRect(HostOptions& o, const std::string& text)
{
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',', start) : text.size();
        if (comma == std::string::npos)
            throw UsageError("--filter-rect: expected T,L,B,R, got '" + text + "'");
        o.filterRect[i] = ToInt("--filter-rect", text.substr(start, comma - start));
        start = comma + 1;
    }
    o.hasFilterRect = true;
}

}  // namespace

HostOptions ParseHostOptions(const std::vector<std::string>& args)
{
    HostOptions o;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (TakeFlag(o, arg))
            continue;
        const bool takesValue = arg == "-o" || arg == "--mask" || arg == "--set" || arg == "--preset" ||
                                arg == "--selector" || arg == "--filter-rect" || arg == "--ui" || arg == "--mode" ||
                                FindNumber(arg);
        if (!takesValue) {
            if (arg.size() > 1 && arg[0] == '-')
                throw UsageError("unknown option '" + arg + "'");
            positional.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size())
            throw UsageError(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "-o")
            o.output = value;
        else if (arg == "--mask")
            o.mask = value;
        else if (arg == "--set")
            TakeSet(o, value);
        else if (arg == "--preset")
            o.preset = value;
        else if (arg == "--selector")
            o.selectors.push_back(ToInt(arg, value));
        else if (arg == "--filter-rect")
            TakeRect(o, value);
        else if (arg == "--ui")
            o.ui = value;
        else if (arg == "--mode" && (value == "rgb" || value == "gray"))
            o.grey = value == "gray";
        else if (arg == "--mode")
            throw UsageError("--mode: rgb or gray, not '" + value + "'");
        else
            o.*FindNumber(arg)->field = ToInt(arg, value);
    }
    if (positional.empty())
        throw UsageError("no command");
    o.command = positional[0];
    if (o.command != "info" && o.command != "run" && o.command != "about")
        throw UsageError("unknown command '" + o.command + "'");
    if (positional.size() < 2)
        throw UsageError(o.command + ": no module given");
    o.module = positional[1];
    if (o.command == "run") {
        if (positional.size() > 2)
            o.input = positional[2];
        if (o.input.empty() == (o.synthetic == 0) && o.selectors.empty())
            throw UsageError("run: give either IN.png or --synthetic N");
    }
    if (positional.size() > (o.command == "run" ? 3u : 2u))
        throw UsageError("too many arguments");
    if (o.repeat < 1)
        throw UsageError("--repeat: at least 1");
    if (o.depth != 8 && o.depth != 16)
        throw UsageError("--depth: 8 or 16");
    return o;
}
