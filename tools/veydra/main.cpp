// veydra: applies the filter's shadow to PNG files from the command line.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Batch.h"
#include "Options.h"
#include "PngImage.h"
#include "RenderHelp.h"
#include "RenderJob.h"

namespace {

// A command line that is not understood: status 2, as other tools do, so a
// script can tell it from files that failed (status 1).
const int kUsageStatus = 2;

int Run(const ParsedCommand& parsed)
{
    switch (parsed.command) {
    case Command::Help:
        std::cout << UsageText();
        return 0;
    case Command::RenderHelp:
        std::cout << RenderHelpText();
        return 0;
    case Command::Version:
        std::cout << VersionText();
        return 0;
    case Command::Presets:
        ListPresets(std::cout);
        return 0;
    case Command::Render:
        if (!parsed.render.outDir.empty())
            return RunBatch(parsed.render, std::cout, std::cerr, isatty(STDERR_FILENO) == 1);
        const RenderOutcome outcome = RunRender(parsed.render, std::cerr);
        if (outcome.fitted)
            std::cout << parsed.render.output << ": " << DescribePlacement(outcome.placement) << "\n";
        return 0;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    ParsedCommand parsed;
    try {
        parsed = ParseCommandLine(args);
    } catch (const std::exception& e) {
        std::cerr << "veydra: error: " << e.what() << "\n";
        return kUsageStatus;
    }
    try {
        return Run(parsed);
    } catch (const CliError& e) {
        std::cerr << "veydra: error: " << e.what() << "\n";
    } catch (const std::bad_alloc&) {
        std::cerr << "veydra: error: out of memory (image too large)\n";
    } catch (const std::exception& e) {
        std::cerr << "veydra: error: " << e.what() << "\n";
    }
    return 1;
}
