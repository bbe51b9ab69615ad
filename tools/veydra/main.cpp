// veydra: applies the filter's shadow to PNG files from the command line.
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Options.h"
#include "PngImage.h"
#include "RenderJob.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        const ParsedCommand parsed = ParseCommandLine(args);
        switch (parsed.command) {
        case Command::Help:
            std::cout << UsageText();
            return 0;
        case Command::Presets:
            ListPresets(std::cout);
            return 0;
        case Command::Render:
            RunRender(parsed.render, std::cerr);
            return 0;
        }
    } catch (const CliError& e) {
        std::cerr << "veydra: error: " << e.what() << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "veydra: error: out of memory (image too large)\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "veydra: error: " << e.what() << "\n";
        return 1;
    }
    return 1;
}
