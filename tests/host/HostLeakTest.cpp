// Many runs in one host process leave it holding what it held after the
// first few: memory (committed private pages and the bytes in use in its
// heaps), GDI objects and windows. veydra-host measures itself after every
// run (--resources); Wine reports no user-object or handle counts, so
// windows stand in for the user objects.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/PluginFixtures.h"

namespace {

struct Resources {
    unsigned long long privateKb = 0, heapBytes = 0, heapBlocks = 0;
    int gdiObjects = -1, windows = -1;
};

// The "resources after run N: ..." lines, in run order.
std::vector<Resources> ResourceLines(const HostReport& report)
{
    std::vector<Resources> lines;
    for (const std::string& line : report.lines) {
        Resources r;
        int run = 0;
        if (std::sscanf(line.c_str(),
                        "resources after run %d: private %llu KB, heap %llu bytes in %llu blocks, GDI objects %d, "
                        "windows %d",
                        &run, &r.privateKb, &r.heapBytes, &r.heapBlocks, &r.gdiObjects, &r.windows) == 6)
            lines.push_back(r);
    }
    return lines;
}

int Count(const HostReport& report, const std::string& line)
{
    int n = 0;
    for (const std::string& l : report.lines)
        n += l == line;
    return n;
}

std::string Figures(const char* what, const Resources& r)
{
    return std::string(what) + ": private " + std::to_string(r.privateKb) + " KB, heap " +
           std::to_string(r.heapBytes) + " bytes in " + std::to_string(r.heapBlocks) + " blocks, GDI objects " +
           std::to_string(r.gdiObjects) + ", windows " + std::to_string(r.windows);
}

// From `from` (after the warm-up runs) to the last run: no growth beyond a
// few bytes of the host's own bookkeeping, and `bytesPerRun` and
// `blocksPerRun` on each run after the warm-up.
void ExpectFlat(const std::vector<Resources>& lines, size_t from, unsigned bytesPerRun = 0, unsigned blocksPerRun = 0)
{
    ASSERT_GT(lines.size(), from);
    const Resources &warm = lines[from], &last = lines.back();
    std::printf("%s\n%s\n", Figures("after the warm-up", warm).c_str(), Figures("after the last run", last).c_str());
    EXPECT_GE(warm.gdiObjects, 0) << "GDI objects not countable";
    EXPECT_EQ(last.gdiObjects, warm.gdiObjects);
    EXPECT_EQ(last.windows, warm.windows);
    const size_t runs = lines.size() - 1 - from;
    EXPECT_LE(last.heapBytes, warm.heapBytes + 1024 + bytesPerRun * runs);
    EXPECT_LE(last.heapBlocks, warm.heapBlocks + 8 + blocksPerRun * runs);
    EXPECT_LE(last.privateKb, warm.privateKb + 256);
}

TEST(HostLeaks, HundredRunsWithoutTheDialog)
{
    ResetPluginStore();
    const std::string layer = SaveFixture("leak-layer.png", DiscLayer());
    const HostReport report = RunHost("run " + Quote(ModulePath()) + " " + Quote(layer) + " --repeat 100 --resources");
    EXPECT_EQ(report.exitCode, 0u) << report.Text();
    EXPECT_EQ(Count(report, "selector 3 (start): result 0"), 100) << report.Text();
    const std::vector<Resources> lines = ResourceLines(report);
    ASSERT_EQ(lines.size(), 100u) << report.Text();
    ExpectFlat(lines, 9);
    ResetPluginStore();
}

// Hosts that unload the module after every run: what the module's runtime
// takes when it is loaded must go when it is unloaded. One thing cannot be
// given back in the 32-bit build: registering the module's unwind tables
// at load creates a lock in the threads runtime (4 blocks, 352 bytes) that
// outlives the unload; that much per reload is allowed there, and nothing
// in the 64-bit build.
TEST(HostLeaks, ThirtyRunsWithTheModuleUnloadedBetween)
{
    ResetPluginStore();
    const std::string layer = SaveFixture("leak-layer.png", DiscLayer());
    const HostReport report =
        RunHost("run " + Quote(ModulePath()) + " " + Quote(layer) + " --repeat 30 --reload --resources");
    EXPECT_EQ(report.exitCode, 0u) << report.Text();
    EXPECT_EQ(Count(report, "selector 3 (start): result 0"), 30) << report.Text();
    const std::vector<Resources> lines = ResourceLines(report);
    ASSERT_EQ(lines.size(), 30u) << report.Text();
    const bool x86 = sizeof(void*) == 4;
    ExpectFlat(lines, 4, x86 ? 352 : 0, x86 ? 4 : 0);
    ResetPluginStore();
}

// The dialog opened, worked through menus, sliders, a preset and a colour,
// and cancelled, twenty times in one process. The first run fills the
// process's caches (fonts, window surfaces, the common controls); from then
// on nothing may grow.
TEST(HostLeaks, TwentyRunsWithTheDialog)
{
    ResetPluginStore();
    const std::string layer = SaveFixture("leak-layer.png", DiscLayer());
    const HostReport report = RunHost(
        "run " + Quote(ModulePath()) + " " + Quote(layer) +
        " --dialog --repeat 20 --resources --ui \"settle; slider blur 30; menu presets 'Rear Shadow'; "
        "position center; outside off; color 00FF00; menu menu 'Interface/Flat style'; settle; cancel\"");
    EXPECT_EQ(report.exitCode, 0u) << report.Text();
    EXPECT_EQ(Count(report, "selector 3 (start): result -128"), 20) << report.Text();
    const std::vector<Resources> lines = ResourceLines(report);
    ASSERT_EQ(lines.size(), 20u) << report.Text();
    ExpectFlat(lines, 1);
    ResetPluginStore();
}

}  // namespace
