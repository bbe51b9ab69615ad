// The command line of `veydra`.
#pragma once

#include <string>
#include <vector>

#include "params/ShadowParams.h"

enum class Command { Help, Presets, Render };

struct RenderOptions {
    std::string input;
    std::string output;
    std::string mask;  // empty: no selection
    ShadowParams params{};
    bool timings = false;
    int threads = 0;  // 0: as many as the machine (or VEYDRA_THREADS) says
    std::vector<std::string> notes;  // values clamped into range, for stderr
};

struct ParsedCommand {
    Command command = Command::Help;
    RenderOptions render;
};

// Throws CliError (see PngImage.h) for anything it cannot understand.
ParsedCommand ParseCommandLine(const std::vector<std::string>& args);

const char* UsageText();
