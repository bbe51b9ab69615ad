#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "host/DocumentKind.h"
#include "host/ErrorString.h"
#include "host/RunRequest.h"

namespace {

FilterRecord Record(int16_t filterCase, int16_t planes, bool haveMask)
{
    FilterRecord r{};
    r.filterCase = filterCase;
    r.planes = planes;
    r.haveMask = haveMask ? 1 : 0;
    r.autoMask = 1;
    r.filterRect = Rect16{5, 10, 25, 40};  // 30 x 20
    r.maskRect = Rect16{1, 2, 3, 4};
    return r;
}

TEST(RequestWholeImage, PlanesRectanglesAndMask)
{
    const struct {
        int16_t filterCase, planes;
        bool haveMask;
        int16_t planesAfter;
    } cases[] = {
        {1, 3, false, 3}, {2, 3, true, 3}, {3, 3, true, 3},  {4, 3, false, 4}, {5, 3, true, 4},
        {6, 3, false, 4}, {7, 3, true, 4}, {0, 3, false, 3}, {0, 4, false, 4},  // a host that says nothing
    };
    for (const auto& c : cases) {
        FilterRecord r = Record(c.filterCase, c.planes, c.haveMask);
        RequestWholeImage(r);
        EXPECT_EQ(r.planes, c.planesAfter) << c.filterCase;
        EXPECT_EQ(std::memcmp(&r.inRect, &r.filterRect, sizeof(Rect16)), 0);
        EXPECT_EQ(std::memcmp(&r.outRect, &r.filterRect, sizeof(Rect16)), 0);
        const Rect16 mask = c.haveMask ? r.filterRect : Rect16{0, 0, 0, 0};
        EXPECT_EQ(std::memcmp(&r.maskRect, &mask, sizeof(Rect16)), 0) << c.filterCase;
        EXPECT_EQ(r.autoMask, 0);
        EXPECT_EQ(r.inLoPlane, 0);
        EXPECT_EQ(r.outLoPlane, 0);
        EXPECT_EQ(r.inHiPlane, c.planesAfter - 1);
        EXPECT_EQ(r.outHiPlane, c.planesAfter - 1);
    }
}

TEST(CheckBuffers, OutputThenInputThenMask)
{
    uint8_t pixels[1];
    const struct {
        bool in, out, haveMask, mask;
        int32_t rowBytes;
        BufferProblem problem;
    } cases[] = {
        {false, false, true, false, 90, BufferProblem::NoOutput},
        {false, true, true, false, 90, BufferProblem::NoInput},
        {true, true, true, false, 90, BufferProblem::NoMask},
        {true, true, false, false, 90, BufferProblem::None},
        {true, true, true, true, 90, BufferProblem::None},
        {true, true, false, false, 89, BufferProblem::NoOutput},  // rows too short for 30 x 3 bytes
    };
    for (const auto& c : cases) {
        FilterRecord r = Record(1, 3, c.haveMask);
        r.inData = c.in ? pixels : nullptr;
        r.outData = c.out ? pixels : nullptr;
        r.maskData = c.mask ? pixels : nullptr;
        r.inRowBytes = r.outRowBytes = c.rowBytes;
        r.maskRowBytes = 30;
        EXPECT_EQ(CheckBuffers(r), c.problem);
    }
    EXPECT_STREQ(BufferProblemText(BufferProblem::NoOutput), "error out");
    EXPECT_STREQ(BufferProblemText(BufferProblem::NoInput), "error in");
    EXPECT_STREQ(BufferProblemText(BufferProblem::NoMask), "error mask");
}

TEST(DocumentOf, MaskOnlyWithASelection)
{
    std::vector<uint8_t> in(1), out(1), mask(1);
    FilterRecord r = Record(4, 4, false);
    r.inData = in.data();
    r.inRowBytes = 130;
    r.outData = out.data();
    r.outRowBytes = 120;
    r.maskData = mask.data();  // stale: no selection was announced
    r.maskRowBytes = 30;
    DocumentPlanes b = DocumentOf(r, KindOf(r));
    EXPECT_EQ(b.width, 30);
    EXPECT_EQ(b.height, 20);
    EXPECT_EQ(b.planes, 4);
    EXPECT_EQ(b.inRowBytes, 130);
    EXPECT_EQ(b.outRowBytes, 120);
    EXPECT_EQ(b.maskData, nullptr);
    r.haveMask = 1;
    b = DocumentOf(r, KindOf(r));
    EXPECT_EQ(b.maskData, mask.data());
    EXPECT_EQ(b.maskRowBytes, 30);
}

TEST(StoreErrorString, LengthByteTextAndZero)
{
    Str255 s;
    std::memset(s, 0xEE, sizeof(s));
    StoreErrorString(s, "advanceState no go!");
    EXPECT_EQ(s[0], 19);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(s) + 1, 19), "advanceState no go!");
    EXPECT_EQ(s[20], 0);
    EXPECT_EQ(s[21], 0xEE);

    // A text too long for a Pascal string is cut at 255, inside the record.
    struct {
        Str255 s;
        unsigned char guard;
    } guarded;
    guarded.guard = 0x5A;
    StoreErrorString(guarded.s, std::string(300, 'x'));
    EXPECT_EQ(guarded.s[0], 255);
    EXPECT_EQ(guarded.s[255], 'x');
    EXPECT_EQ(guarded.guard, 0x5A);
}

}  // namespace
