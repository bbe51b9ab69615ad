// Which documents a run accepts, and how it asks for and reads a grey or
// 16-bit one.
#include <gtest/gtest.h>

#include <string>

#include "host/DocumentKind.h"
#include "host/RunRequest.h"

namespace {

TEST(DocumentKind, ModesAndDepths)
{
    const struct {
        int16_t mode;
        int32_t depth;
        int16_t planes;
        bool supported;
        int colours, bits;
    } cases[] = {
        {ImageMode::kRGBColor, 8, 3, true, 3, 8},    {ImageMode::kRGBColor, 0, 3, true, 3, 8},  // depth unset
        {ImageMode::kGrayScale, 8, 1, true, 1, 8},   {ImageMode::kRGB48, 16, 3, true, 3, 16},
        {ImageMode::kGray16, 16, 1, true, 1, 16},    {ImageMode::kGray16, 0, 1, true, 1, 16},
        {ImageMode::kRGBColor, 16, 3, true, 3, 16},  // a host that says RGB with depth 16
        {ImageMode::kBitmap, 0, 3, true, 3, 8},      // a host that fills in no mode
        {ImageMode::kBitmap, 0, 1, false, 3, 8},     {ImageMode::kCMYKColor, 8, 4, false, 3, 8},
        {ImageMode::kLab, 8, 3, false, 3, 8},        {ImageMode::kIndexedColor, 8, 1, false, 3, 8},
        {ImageMode::kCMYK64, 16, 4, false, 3, 16},   {ImageMode::kRGB96, 32, 3, false, 3, 8},
        {ImageMode::kRGBColor, 32, 3, false, 3, 8},  {ImageMode::kGray32, 32, 1, false, 1, 8},
    };
    for (const auto& c : cases) {
        FilterRecord r{};
        r.imageMode = c.mode;
        r.depth = c.depth;
        r.planes = c.planes;
        const DocumentKind k = KindOf(r);
        EXPECT_EQ(k.supported, c.supported) << c.mode << " " << c.depth;
        if (!c.supported) {
            // The message names what to convert to.
            EXPECT_NE(std::string(UnsupportedModeText(r)).find("Convert"), std::string::npos) << c.mode;
            continue;
        }
        EXPECT_EQ(k.colours, c.colours) << c.mode;
        EXPECT_EQ(k.depth, c.bits) << c.mode;
    }
    FilterRecord cmyk{};
    cmyk.imageMode = ImageMode::kCMYKColor;
    EXPECT_NE(std::string(UnsupportedModeText(cmyk)).find("CMYK"), std::string::npos);
    EXPECT_STREQ(UnsupportedModeKey(cmyk), "err_mode_cmyk");
    cmyk.depth = 32;
    EXPECT_STREQ(UnsupportedModeKey(cmyk), "err_mode_32bit");
}

TEST(DocumentKind, GreyLayerAsksForTransparencyAndSixteenBitRowsAreChecked)
{
    FilterRecord r{};
    r.imageMode = ImageMode::kGray16;
    r.depth = 16;
    r.planes = 1;
    r.filterCase = FilterCase::kEditableTransparencyNoSelection;
    r.filterRect = Rect16{0, 0, 10, 30};
    RequestWholeImage(r);
    EXPECT_EQ(r.planes, 2);
    EXPECT_EQ(r.inHiPlane, 1);

    uint16_t pixels[1];
    r.inData = r.outData = pixels;
    r.inRowBytes = r.outRowBytes = 30 * 2 * 2;
    EXPECT_EQ(CheckBuffers(r), BufferProblem::None);
    r.inRowBytes = r.outRowBytes = 30 * 2 * 2 - 1;  // room for 8-bit samples only
    EXPECT_EQ(CheckBuffers(r), BufferProblem::NoOutput);

    r.inRowBytes = r.outRowBytes = 120;
    const DocumentPlanes d = DocumentOf(r, KindOf(r));
    EXPECT_EQ(d.colours, 1);
    EXPECT_EQ(d.planes, 2);
    EXPECT_EQ(d.depth, 16);
    EXPECT_EQ(d.fullScale, 32768u);
    EXPECT_EQ(d.width, 30);
    EXPECT_EQ(d.maskData, nullptr);
}

}  // namespace
