#include "host/PluginFixtures.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <sstream>

#include "params/PresetStore.h"

std::string FixtureFolder()
{
    static const std::string folder = [] {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        std::string path = std::string(temp) + "veydra-plugin-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }();
    return folder;
}

namespace {

PngImage Blank(bool alpha)
{
    PngImage image;
    image.width = image.height = 64;
    image.hasAlpha = alpha;
    image.rgba.assign(64 * 64 * 4, 0);
    return image;
}

void Paint(PngImage& image, int x, int y, uint8_t alpha)
{
    uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
    p[0] = static_cast<uint8_t>(40 + x * 3);
    p[1] = static_cast<uint8_t>(90 + y);
    p[2] = static_cast<uint8_t>(200 - x);
    p[3] = alpha;
}

}  // namespace

PngImage DiscLayer()
{
    PngImage image = Blank(true);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double d = std::hypot(x - 30.5, y - 26.5);
            Paint(image, x, y, d <= 14 ? 255 : d >= 17 ? 0 : static_cast<uint8_t>((17 - d) * 85));
        }
    return image;
}

PngImage LineLayer()
{
    PngImage image = Blank(true);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            Paint(image, x, y, x == 20 && y >= 5 && y < 55 ? 255 : 0);
    return image;
}

PngImage FlatPicture()
{
    PngImage image = Blank(false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            Paint(image, x, y, 255);
    return image;
}

PngImage RectMask(int left, int top, int right, int bottom)
{
    PngImage image = Blank(false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const uint8_t v = x >= left && x <= right && y >= top && y <= bottom ? 255 : 0;
            uint8_t* p = &image.rgba[(size_t(y) * 64 + x) * 4];
            p[0] = p[1] = p[2] = v;
            p[3] = 255;
        }
    return image;
}

std::string SaveFixture(const std::string& name, const PngImage& image)
{
    const std::string path = FixtureFolder() + name;
    std::string error;
    EXPECT_TRUE(WritePng(path, image, error)) << error;
    return path;
}

PngImage LoadImage(const std::string& path)
{
    PngImage image;
    std::string error;
    EXPECT_TRUE(ReadPng(path, image, error)) << error;
    return image;
}

const std::string& ModulePath()
{
    static const std::string path = VEYDRA_MODULE;
    return path;
}

HostReport RunHost(const std::string& args)
{
    // Strict memory on every run: each host buffer ends right before a page
    // the process may not touch, and the input and mask are read-only, so a
    // read or write past what the module was handed fails the run at once.
    return RunProcess(VEYDRA_HOST_EXE, args + " --guard-pages");
}

PluginRun RunPlugin(const std::string& input, const std::string& extra)
{
    static std::atomic<int> counter{0};
    const std::string output = FixtureFolder() + "out-" + std::to_string(++counter) + ".png";
    DeleteFileA(output.c_str());
    PluginRun run;
    run.report = RunHost("run " + Quote(ModulePath()) + " " + Quote(input) + " -o " + Quote(output) + " " + extra);
    EXPECT_EQ(run.report.exitCode, 0u) << run.report.Text();
    EXPECT_TRUE(run.report.Has("host: done")) << run.report.Text();
    run.output = LoadImage(output);
    return run;
}

namespace {

std::string PluginRoot() { return std::string("Software\\") + kSettingsCompany + "\\" + kSettingsProduct; }

}  // namespace

CRegistryStore PluginStore() { return CRegistryStore(PluginRoot()); }

void ResetPluginStore()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, PluginRoot().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, PluginRoot().c_str());
}

void StoreLastUsed(const ShadowParams& params)
{
    CRegistryStore store = PluginStore();
    saveParameterSet(store, "", params);
}

std::string UiStateValue(const HostReport& report, const std::string& name)
{
    return StateLineValue(report.Line("ui state:"), name);
}

std::string StateLineValue(const std::string& stateLine, const std::string& name)
{
    std::istringstream words(stateLine);
    std::string word;
    while (words >> word)
        if (word.compare(0, name.size() + 1, name + "=") == 0)
            return word.substr(name.size() + 1);
    return "";
}

std::string RecordedDescriptor(const HostReport& report)
{
    return report.Line("descriptor recorded (recordInfo 0): ");
}
