// Small images for running the module through veydra-host, the store the
// module uses (its real registry root in the test prefix), and running the
// host on them. Windows only.
#pragma once

#include <string>
#include <vector>

#include "WicPng.h"
#include "params/ShadowParams.h"
#include "tools/HostProcess.h"

// A 64 x 64 layer: an opaque soft-edged disc on a transparent ground.
PngImage DiscLayer();
// A 64 x 64 layer whose only opaque pixels form a one-pixel-wide line.
PngImage LineLayer();
// A 64 x 64 flat RGB picture.
PngImage FlatPicture();
// A grey selection of the rectangle [left, right] x [top, bottom].
PngImage RectMask(int left, int top, int right, int bottom);

// A folder of this process for fixtures, with a trailing backslash.
std::string FixtureFolder();
// Writes `image` into this process's fixture folder; returns the path.
std::string SaveFixture(const std::string& name, const PngImage& image);
PngImage LoadImage(const std::string& path);

// `veydra-host run MODULE IN -o OUT extra`, with OUT named after the test.
struct PluginRun {
    HostReport report;
    PngImage output;
};
PluginRun RunPlugin(const std::string& input, const std::string& extra = "");
// `veydra-host ARGS --guard-pages`.
HostReport RunHost(const std::string& args);
const std::string& ModulePath();

// The plug-in's settings root in the test prefix's registry.
void ResetPluginStore();
void StoreLastUsed(const ShadowParams& params);
