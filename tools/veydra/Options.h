// The command line of `veydra`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "params/ShadowParams.h"

enum class Command { Help, Presets, Render, RenderHelp, Version };

struct RenderOptions {
    std::string input;   // the file being rendered
    std::string output;  // -o, or the file in --out-dir
    std::vector<std::string> inputs;  // every input named, in order
    std::string outDir;  // --out-dir: many files, names kept
    int jobs = 0;        // -j: files at once; 0 picks (see Batch.h)
    bool fit = false;    // --fit: the canvas grows to hold the whole shadow
    int32_t background = -1;  // --background for --fit on a flat image, 0xRRGGBB; -1: the edge colour
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

// Throws CliError (see PngImage.h) for anything it cannot understand; the
// command then exits with status 2.
ParsedCommand ParseCommandLine(const std::vector<std::string>& args);

const char* UsageText();

// Where --out-dir puts the result of `input`: the directory and the input's
// own file name.
std::string OutputPathFor(const std::string& input, const std::string& outDir);
