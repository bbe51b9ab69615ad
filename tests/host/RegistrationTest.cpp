// The module file as a host sees it before loading it: the registration,
// terminology and version resources read by veydra-host, the exports and
// the version resource read directly.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VeydraVersion.h"
#include "host/PluginFixtures.h"

namespace {

const bool k64 = sizeof(void*) == 8;

TEST(Registration, ResourcesAsAHostReadsThem)
{
    const HostReport r = RunHost("info " + Quote(ModulePath()));
    const std::vector<std::string> expected = {
        "PIPL 17000 language 1033: reserved 1, version 0, 10 properties, 362 bytes",
        "  8BIM kind id 0 length 4: 8BFM",
        "  8BIM name id 0 length 12: \"Veydra...\"",
        "  8BIM catg id 0 length 16: \"Tevra Software\"",
        "  8BIM vers id 0 length 4: 1.1",
        k64 ? "  8BIM 8664 id 0 length 20: \"PluginMainVeydra\"" : "  8BIM wx86 id 0 length 20: \"PluginMainVeydra\"",
        "  8BIM hstm id 0 length 36: version 0, class kzW2, event pqXn, terminology 17000, scope \"Tevra Software "
        "Veydra\"",
        "  8BIM mode id 0 length 4: 50 30 00 00 (Gray RGB Gray16 RGB48)",
        "  8BIM enbl id 0 length 64: \"in (PSHOP_ImageMode,RGBMode,GrayScaleMode,RGB48Mode,Gray16Mode)\"",
        "  8BIM flly id 0 length 4: 80 00 00 00",
        "  8BIM fici id 0 length 28: 1:1/1/07 2:1/1/0F 3:1/1/0F 4:1/1/07 5:1/1/0F 6:1/1/07 7:1/1/0F",
        k64 ? "entry for this host (x64, 8664): PluginMainVeydra" : "entry for this host (x86, wx86): PluginMainVeydra",
        "AETE 17000 language 1033:",
        "  version 1.0, language 0, script 0, 1 suite",
        "  suite \"Tevra Software\" \"Tevra Orvane\" kzW2 level 1 version 1, 1 event",
        "  event \"Tevra Veydra\" \"\" class kzW2 id pqXn",
        "  reply null \"\" flags 0x0000",
        "  direct parameter #ImR \"\" flags 0xB000",
        "  15 parameters",
        "  parameter 1 \"Outside Only\" outS bool \"\" flags 0x0000",
        "  parameter 2 \"Shadow Position\" posI long \"\" flags 0x0000",
        "  parameter 3 \"Blur\" bluR long \"\" flags 0x0000",
        "  parameter 4 \"Transparency\" traN long \"\" flags 0x0000",
        "  parameter 5 \"Intensity\" intE long \"\" flags 0x0000",
        "  parameter 6 \"Angle X\" angX long \"\" flags 0x0000",
        "  parameter 7 \"Angle Y\" angY long \"\" flags 0x0000",
        "  parameter 8 \"Angle Z\" angZ long \"\" flags 0x0000",
        "  parameter 9 \"Zoom\" zooM long \"\" flags 0x0000",
        "  parameter 10 \"Offset X\" offX long \"\" flags 0x0000",
        "  parameter 11 \"Offset Y\" offY long \"\" flags 0x0000",
        "  parameter 12 \"Perspective\" perS long \"\" flags 0x0000",
        "  parameter 13 \"Color\" colR long \"\" flags 0x0000",
        "  parameter 14 \"Softness\" sofT long \"\" flags 0x0000",
        "  parameter 15 \"Shadow Only\" shdO bool \"\" flags 0x0000",
        "  classes 0, comparison operators 0, enumerations 0, 400 of 400 bytes read",
        "terminology matches hstm: yes",
        "version resource: file " VEYDRA_FILE_VERSION ", product " VEYDRA_VERSION,
    };
    EXPECT_EQ(r.exitCode, 0u);
    ASSERT_EQ(r.lines.size(), expected.size()) << r.Text();
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(r.lines[i], expected[i]);
}

TEST(Registration, ExportsAndVersion)
{
    HMODULE module = LoadLibraryExA(ModulePath().c_str(), nullptr, 0);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "PluginMain"), nullptr);
    EXPECT_NE(GetProcAddress(module, "PluginMainVeydra"), nullptr);
    FreeLibrary(module);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ModulePath().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(ModulePath().c_str(), 0, size, info.data()));
    const auto value = [&info](const char* name) {
        char* text = nullptr;
        UINT length = 0;
        const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
        return VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) && text
                   ? std::string(text)
                   : std::string();
    };
    EXPECT_EQ(value("ProductName"), "Veydra");
    EXPECT_EQ(value("CompanyName"), "Tevra Ltd");
    EXPECT_EQ(value("FileVersion"), VEYDRA_FILE_VERSION);
    EXPECT_EQ(value("ProductVersion"), VEYDRA_VERSION);
    EXPECT_EQ(value("OriginalFilename"), "Veydra.8bf");
}

}  // namespace
