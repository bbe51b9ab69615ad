// `veydra render` for real work: batches into --out-dir, --fit, the help
// and the exit statuses, run as the command and (for the tables behind the
// help) in process.
#include <gtest/gtest.h>

#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Batch.h"
#include "Options.h"
#include "PngImage.h"
#include "RenderHelp.h"
#include "tools/CliSupport.h"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

// A test image: planes 4 is an opaque box of colour 90 on transparency
// (x0..x1, y0..y1 inclusive); planes 3 a flat picture whose backdrop shades
// from left to right, with the same box; planes 1 the box as a mask.
RasterImage Picture(int w, int h, int planes, int x0, int y0, int x1, int y1)
{
    RasterImage img;
    img.width = w;
    img.height = h;
    img.planes = planes;
    img.pixels.assign(size_t(w) * h * planes, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &img.pixels[(size_t(y) * w + x) * planes];
            const bool box = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            for (int c = 0; c < planes; ++c) {
                if (planes == 1)
                    p[c] = box ? 255 : 0;
                else if (planes == 4)
                    p[c] = box ? (c == 3 ? 255 : 90 + 20 * c) : 0;
                else
                    p[c] = box ? uint8_t(90 + 20 * c) : uint8_t(150 + x * 100 / w + 10 * c);
            }
        }
    return img;
}

// Grown by `m` on every side: transparent (or unselected) margins, or on a
// flat picture the nearest edge pixel, or `colour` (R, G, B) when given.
RasterImage PadByHand(const RasterImage& in, int m, const uint8_t* colour = nullptr)
{
    RasterImage out;
    out.width = in.width + 2 * m;
    out.height = in.height + 2 * m;
    out.planes = in.planes;
    out.pixels.assign(size_t(out.width) * out.height * out.planes, 0);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int sx = x - m, sy = y - m;
            const bool inside = sx >= 0 && sy >= 0 && sx < in.width && sy < in.height;
            uint8_t* p = &out.pixels[(size_t(y) * out.width + x) * out.planes];
            if (inside || in.planes == 3) {
                const int cx = std::min(std::max(sx, 0), in.width - 1), cy = std::min(std::max(sy, 0), in.height - 1);
                std::memcpy(p, &in.pixels[(size_t(cy) * in.width + cx) * in.planes], size_t(in.planes));
            }
            if (!inside && colour && in.planes == 3)
                std::memcpy(p, colour, 3);
        }
    return out;
}

const uint8_t* PixelOf(const RasterImage& img, int x, int y)
{
    return &img.pixels[(size_t(y) * img.width + x) * img.planes];
}

class VeydraBatch : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return m_scratch.Path(name); }

    std::string Save(const std::string& name, const RasterImage& img) const
    {
        WritePngAtomically(Path(name), img);
        return Path(name);
    }

    // stdout and stderr apart.
    Outcome Veydra(const std::string& args) const
    {
        const std::string err = Path("stderr.txt");
        const CommandOutput run = RunCommand(std::string(VEYDRA_EXE) + " " + args + " 2>" + err);
        return Outcome{run.status, run.out, ReadAll(err)};
    }

    CScratchFolder m_scratch{"veydra-batch"};
};

TEST_F(VeydraBatch, WritesTheGoodFilesAndReportsEachBadOne)
{
    const std::string a = Save("a.png", Picture(48, 40, 4, 10, 8, 30, 25));
    ASSERT_EQ(mkdir(Path("sub").c_str(), 0755), 0);
    const std::string b = Save("sub/b.png", Picture(52, 36, 4, 20, 5, 40, 30));
    const std::string flat = Save("flat.png", Picture(40, 30, 3, 5, 5, 20, 20));  // no selection: refused
    std::ofstream(Path("corrupt.png"), std::ios::binary) << "not a png";
    ASSERT_EQ(mkdir(Path("folder.png").c_str(), 0755), 0);  // cannot be read as a file
    const std::string options = " --preset 'Cast In Front' --offset-x 7";
    // What each good file gives on its own.
    ASSERT_EQ(Veydra("render " + a + " -o " + Path("a-alone.png") + options).status, 0);
    ASSERT_EQ(Veydra("render " + b + " -o " + Path("b-alone.png") + options).status, 0);

    const std::string bad[] = {flat, Path("corrupt.png"), Path("folder.png"), Path("missing.png")};
    for (const char* jobs : {"1", "3"}) {
        SCOPED_TRACE(std::string("-j ") + jobs);
        const std::string out = Path(std::string("out-") + jobs);  // made by the run
        const Outcome r = Veydra("render " + flat + " " + a + " " + Path("corrupt.png") + " " + Path("folder.png") + " " +
                             b + " " + Path("missing.png") + " --out-dir " + out + " -j " + jobs + options);
        EXPECT_EQ(r.status, 1) << r.out << r.err;
        EXPECT_EQ(ReadAll(out + "/a.png"), ReadAll(Path("a-alone.png")));
        EXPECT_EQ(ReadAll(out + "/b.png"), ReadAll(Path("b-alone.png")));
        for (const char* name : {"flat.png", "corrupt.png", "folder.png", "missing.png"})
            EXPECT_FALSE(Exists(out + "/" + std::string(name))) << name;

        // One line per file: the written ones on stdout, the failed ones on
        // stderr, each naming its file once; no progress off a terminal.
        std::vector<std::string> done = Lines(r.out);
        std::sort(done.begin(), done.end());
        EXPECT_EQ(done, (std::vector<std::string>{a + " -> " + out + "/a.png", b + " -> " + out + "/b.png"}));
        const std::vector<std::string> failed = Lines(r.err);
        ASSERT_EQ(failed.size(), 4u) << r.err;
        for (const std::string& input : bad)
            EXPECT_EQ(std::count_if(failed.begin(), failed.end(),
                                    [&](const std::string& line) {
                                        return line.rfind("veydra: error: " + input + ": ", 0) == 0;
                                    }),
                      1)
                << input << "\n" << r.err;
        EXPECT_EQ(r.err.find('\r'), std::string::npos);
    }

    // An output directory that cannot be made fails the whole batch.
    const Outcome blocked = Veydra("render " + a + " --out-dir " + Path("corrupt.png") + "/out" + options);
    EXPECT_EQ(blocked.status, 1);
    EXPECT_EQ(Lines(blocked.err).size(), 1u) << blocked.err;
    EXPECT_NE(blocked.err.find("cannot make the output directory"), std::string::npos) << blocked.err;

    // All good: status 0.
    const Outcome ok = Veydra("render " + a + " " + b + " --out-dir " + Path("all-good") + options);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(Lines(ok.out).size(), 2u);
    EXPECT_EQ(ok.err, "");
}

// On a terminal a batch keeps a running count on stderr's last line, taken
// off again before each file's line and at the end.
TEST_F(VeydraBatch, ShowsProgressOnlyOnATerminal)
{
    const std::string a = Save("a.png", Picture(40, 32, 4, 8, 8, 23, 19));
    const std::string b = Save("b.png", Picture(40, 32, 4, 10, 6, 25, 22));
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(VEYDRA_EXE, VEYDRA_EXE, "render", a.c_str(), b.c_str(), "--out-dir", Path("out").c_str(), "-j", "1",
              static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string screen;
    char buffer[256];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;)
        screen.append(buffer, size_t(n));
    int status = 0;
    waitpid(child, &status, 0);
    close(master);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << screen;
    EXPECT_NE(screen.find("\rveydra: 0/2 files"), std::string::npos) << screen;
    EXPECT_NE(screen.find("\rveydra: 1/2 files"), std::string::npos) << screen;
    EXPECT_NE(screen.find(a + " -> "), std::string::npos) << screen;
    // The count is cleared last, so the terminal is left with the lines alone.
    const std::string clear = "\r\033[K";
    ASSERT_GE(screen.size(), clear.size());
    EXPECT_EQ(screen.substr(screen.size() - clear.size()), clear);
}

// The printed canvas size and offset, from "...: canvas WxH, original at (X, Y)".
struct Placement {
    int width = -1, height = -1, x = -1, y = -1;
};

Placement ParsePlacement(const std::string& line)
{
    Placement p;
    const size_t at = line.find("canvas ");
    if (at == std::string::npos ||
        std::sscanf(line.c_str() + at, "canvas %dx%d, original at (%d, %d)", &p.width, &p.height, &p.x, &p.y) != 4)
        return Placement{};
    return p;
}

// --fit against a render onto a canvas padded by hand, much wider than
// needed: the fitted image is exactly the part of it around the original
// and the shadow, and nothing outside that part was touched, so no shadow
// pixel was cut. The original's pixels sit at the printed offset unchanged
// wherever the shadow lies behind them.
TEST_F(VeydraBatch, FitKeepsEveryShadowPixelAndTheObjectExactly)
{
    const uint8_t blue[3] = {0x30, 0x60, 0xC0};
    struct Case {
        const char* name;
        int planes;
        int x0, y0, x1, y1;  // the object, near the edges the shadow leaves by
        std::string options;
        const uint8_t* background;  // --background, as R, G, B
        bool grows;
    } cases[] = {
        // Cast forward, down and out on the left.
        {"layer", 4, 4, 10, 30, 36, "--preset 'Cast In Front' --zoom 180 --offset-x -20", nullptr, true},
        // Thrown up and right over the top edge, turned; no blur.
        {"layer-turned", 4, 20, 2, 44, 20, "--blur 0 --angle-z 35 --angle-x -140 --offset-y -30 --zoom 150", nullptr,
         true},
        // A flat picture: the backdrop runs on, or takes the given colour.
        {"flat", 3, 6, 6, 26, 30, "--preset 'Cast On Left Wall' --angle-y -40", nullptr, true},
        {"flat-blue", 3, 6, 6, 26, 30, "--zoom 220 --blur 30 --offset-y 12", blue, true},
        // The shadow stays inside: nothing grows.
        {"inside", 4, 20, 14, 34, 26, "--blur 4 --zoom 60", nullptr, false},
    };
    const int hand = 120;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int w = 56, h = 44;
        const RasterImage in = Picture(w, h, c.planes, c.x0, c.y0, c.x1, c.y1);
        const std::string input = Save(std::string(c.name) + ".png", in);
        std::string mask, bigMask;
        if (c.planes == 3) {
            const RasterImage m = Picture(w, h, 1, c.x0, c.y0, c.x1, c.y1);
            mask = " --mask " + Save(std::string(c.name) + "-mask.png", m);
            bigMask = " --mask " + Save(std::string(c.name) + "-mask-big.png", PadByHand(m, hand));
        }
        const std::string fitted = Path(std::string(c.name) + "-fit.png");
        char background[32] = "";
        if (c.background)
            std::snprintf(background, sizeof background, " --background %02X%02X%02X", c.background[0],
                          c.background[1], c.background[2]);
        const Outcome r = Veydra("render " + input + mask + " -o " + fitted + " --fit " + c.options + background);
        ASSERT_EQ(r.status, 0) << r.err;
        const Placement at = ParsePlacement(r.out);
        ASSERT_GE(at.x, 0) << r.out;
        const RasterImage fit = ReadPng(fitted, PngLoad::Colour);
        EXPECT_EQ(fit.width, at.width);
        EXPECT_EQ(fit.height, at.height);
        EXPECT_EQ(fit.width > w || fit.height > h, c.grows) << r.out;

        const RasterImage padded = PadByHand(in, hand, c.background);
        const std::string bigPath = Path(std::string(c.name) + "-big.png");
        ASSERT_EQ(Veydra("render " + Save(std::string(c.name) + "-padded.png", padded) + bigMask + " -o " + bigPath +
                         " " + c.options)
                      .status,
                  0);
        const RasterImage big = ReadPng(bigPath, PngLoad::Colour);
        const int ox = hand - at.x, oy = hand - at.y;  // the fitted image's corner in the big one
        ASSERT_TRUE(ox >= 0 && oy >= 0 && ox + fit.width <= big.width && oy + fit.height <= big.height);
        int differ = 0, touchedOutside = 0;
        for (int y = 0; y < big.height; ++y)
            for (int x = 0; x < big.width; ++x) {
                const uint8_t* p = PixelOf(big, x, y);
                if (x >= ox && y >= oy && x < ox + fit.width && y < oy + fit.height) {
                    differ += std::memcmp(p, PixelOf(fit, x - ox, y - oy), size_t(fit.planes)) != 0;
                    continue;
                }
                // Outside the fitted part: as padded (a layer's margins
                // fully transparent, a flat one's colours unchanged).
                touchedOutside += c.planes == 4 ? p[3] != 0 : std::memcmp(p, PixelOf(padded, x, y), 3) != 0;
            }
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(touchedOutside, 0);
        // Behind the shadow the object's pixels are the original's.
        int objectChanged = 0;
        for (int y = c.y0; y <= c.y1; ++y)
            for (int x = c.x0; x <= c.x1; ++x)
                objectChanged += std::memcmp(PixelOf(in, x, y), PixelOf(fit, x + at.x, y + at.y), 3) != 0;
        EXPECT_EQ(objectChanged, 0);
    }
}

TEST_F(VeydraBatch, FitLeavesAnImageItDoesNotNeedToGrowAsARenderWithoutIt)
{
    const std::string input = Save("centre.png", Picture(60, 50, 4, 22, 18, 36, 30));
    const Outcome fit = Veydra("render " + input + " -o " + Path("fit.png") + " --fit --blur 6 --zoom 80");
    const Outcome plain = Veydra("render " + input + " -o " + Path("plain.png") + " --blur 6 --zoom 80");
    ASSERT_EQ(fit.status, 0) << fit.err;
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(fit.out, Path("fit.png") + ": canvas 60x50, original at (0, 0)\n");
    EXPECT_EQ(ReadAll(Path("fit.png")), ReadAll(Path("plain.png")));
}

TEST_F(VeydraBatch, HelpVersionAndCommandLinesItDoesNotUnderstand)
{
    const Outcome help = Veydra("render --help");
    ASSERT_EQ(help.status, 0);
    // Each row on a line of its own with its range and default.
    for (size_t i = 0; i < kRenderOptionHelpCount; ++i) {
        const OptionHelp& row = kRenderOptionHelp[i];
        const std::vector<std::string> lines = Lines(help.out);
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.find(std::string("  ") + row.option + " ") == 0;
        });
        ASSERT_NE(line, lines.end()) << row.option;
        EXPECT_NE(line->find(" " + HelpRange(row) + " "), std::string::npos) << *line;
        EXPECT_NE(line->find(" " + HelpDefault(row) + " "), std::string::npos) << *line;
    }
    EXPECT_NE(help.out.find("--blur N"), std::string::npos);
    EXPECT_NE(help.out.find("0..120"), std::string::npos);
    EXPECT_EQ(Veydra("render a.png --fit --help").status, 0);

    const Outcome version = Veydra("--version");
    EXPECT_EQ(version.status, 0);
    int major = -1, minor = -1;
    EXPECT_EQ(std::sscanf(version.out.c_str(), "veydra %d.%d", &major, &minor), 2) << version.out;
    EXPECT_EQ(Lines(version.out).size(), 1u);

    const std::string in = " " + Save("a.png", Picture(40, 32, 4, 8, 8, 23, 19));
    const struct {
        std::string args;
        std::string message;
    } usage[] = {
        {"render" + in + " -o x.png --frobnicate", "unknown option '--frobnicate'"},
        {"render" + in + in + " -o x.png", "2 input files need --out-dir DIR"},
        {"render" + in + " -o x.png --out-dir d", "-o names one output file"},
        {"render" + in + " " + Path("sub/a.png") + " --out-dir d", "two inputs would both be written to d/a.png"},
        {"render" + in + " -o x.png --background 102030", "--background: colours the margins --fit adds"},
        {"render" + in + " --out-dir d -j 0", "-j: expected a count of 1 or more"},
        {"render" + in + " --out-dir d --jobs=many", "--jobs: not a whole number"},
        {"render" + in + " -o x.png --fit --background blue", "--background: expected RRGGBB"},
        {"--verbose", "unknown command '--verbose'"},
    };
    for (const auto& u : usage) {
        const Outcome r = Veydra(u.args);
        EXPECT_EQ(r.status, 2) << u.args;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Lines(r.err).size(), 1u) << r.err;
        EXPECT_NE(r.err.find(u.message), std::string::npos) << u.args << "\n" << r.err;
    }
    EXPECT_FALSE(Exists("x.png"));
    EXPECT_FALSE(Exists("d"));
}

// A value each kind of option takes, by the name the help gives it.
std::vector<std::string> SampleArguments(const std::string& option)
{
    const std::string flag = option.substr(0, option.find_first_of(", "));
    const size_t space = option.rfind(' ');
    if (space == std::string::npos)
        return {flag};
    const std::map<std::string, std::string> values = {
        {"N", "3"},          {"FILE", "m.png"},   {"DIR", "d"},       {"RRGGBB", "102030"},
        {"NAME", "Rear Shadow"}, {"on|off", "off"}, {"P", "top"},
    };
    const auto value = values.find(option.substr(space + 1));
    if (value == values.end()) {
        ADD_FAILURE() << "no sample value for " << option;
        return {flag};
    }
    return {flag, value->second};
}

// The table behind the help against the parser: every row is an option it
// takes, every shadow value has a row, and the default a row shows is what
// holds without the option.
TEST(VeydraHelpTable, CoversEveryOptionAndShadowValue)
{
    const std::vector<std::string> base = {"render", "in.png", "-o", "out.png", "--fit"};
    const ShadowParams defaults = ParseCommandLine(base).render.params;
    for (size_t i = 0; i < kRenderOptionHelpCount; ++i) {
        const OptionHelp& row = kRenderOptionHelp[i];
        SCOPED_TRACE(row.option);
        std::vector<std::string> args = {"render", "in.png", "--fit"};
        const std::vector<std::string> sample = SampleArguments(row.option);
        args.insert(args.end(), sample.begin(), sample.end());
        if (sample[0] != "--out-dir" && sample[0] != "-o")
            args.insert(args.end(), {"-o", "out.png"});
        EXPECT_NO_THROW(ParseCommandLine(args));
        // A switch that sets a value is off without it, which is its default.
        if (!row.param || sample.size() < 2)
            continue;
        ASSERT_NE(FindShadowParam(row.param), nullptr);
        std::vector<std::string> withDefault = base;
        withDefault.insert(withDefault.end(), {sample[0], HelpDefault(row)});
        EXPECT_TRUE(ParseCommandLine(withDefault).render.params == defaults) << HelpDefault(row);
    }
    for (const ShadowParamInfo& info : kShadowParamTable)
        EXPECT_TRUE(std::any_of(kRenderOptionHelp, kRenderOptionHelp + kRenderOptionHelpCount,
                                [&](const OptionHelp& row) { return row.param && std::strcmp(row.param, info.name) == 0; }))
            << info.name << " has no option in the help";
}

TEST(VeydraBatchSplit, SharesTheMachineBetweenFilesAndThreads)
{
    const struct {
        int files, jobsAsked, threadsAsked, hardware;
        int jobs, threads;
    } cases[] = {
        {10, 0, 0, 8, 8, 1},   // many files: one per thread, one thread each
        {1, 0, 0, 8, 1, 8},    // one file: every thread
        {3, 0, 0, 16, 3, 5},   // fewer files than threads: the rest shared out
        {10, 2, 0, 8, 2, 4},   // -j 2
        {10, 0, 3, 8, 8, 3},   // --threads holds as given
        {2, 6, 0, 4, 2, 2},    // never more at once than there are files
    };
    for (const auto& c : cases) {
        const BatchSplit split = SplitBatch(c.files, c.jobsAsked, c.threadsAsked, c.hardware);
        EXPECT_EQ(split.jobs, c.jobs) << c.files << " files, -j " << c.jobsAsked;
        EXPECT_EQ(split.threadsPerRender, c.threads) << c.files << " files, -j " << c.jobsAsked;
    }
}

}  // namespace
