// Small images for running the module through veydra-host, the store the
// module uses (its real registry root in the test prefix), and running the
// host on them. Windows only.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WicPng.h"
#include "params/RegistryStore.h"
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
CRegistryStore PluginStore();
void ResetPluginStore();
void StoreLastUsed(const ShadowParams& params);

// "name=value" of the automation's (first) "ui state:" line: the value, or
// empty; and the same of a given state line.
std::string UiStateValue(const HostReport& report, const std::string& name);
std::string StateLineValue(const std::string& stateLine, const std::string& name);
// The descriptor the module recorded after a dialog, as the host prints it.
std::string RecordedDescriptor(const HostReport& report);

// Tests that run the module: each starts and ends with an empty plug-in
// store, and has the small documents at hand.
class PluginTest : public ::testing::Test {
protected:
    void SetUp() override { ResetPluginStore(); }
    void TearDown() override { ResetPluginStore(); }

    static std::string Layer() { return SaveFixture("layer.png", DiscLayer()); }
    static std::string Flat() { return SaveFixture("flat.png", FlatPicture()); }
    // " --mask FILE ": a rectangle selected on Flat().
    static std::string Mask() { return " --mask " + Quote(SaveFixture("mask.png", RectMask(18, 10, 41, 35))) + " "; }

    // The module run with its dialog on `input`, worked by `script`.
    static PluginRun Dialog(const std::string& script, const std::string& extra = "",
                            const std::string& input = Layer())
    {
        return RunPlugin(input, "--dialog --ui \"" + script + "\" " + extra);
    }
};
