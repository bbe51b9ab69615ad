// Where the main dialog opens: the stored placement, or its default size
// grown about where it was created, kept on the screen.
#include <gtest/gtest.h>

#include "PixelRectCompare.h"
#include "ui/dialogs/MainPlacement.h"

namespace {

// The template's window, 666 x 458, centred on a 1280 x 1024 screen.
const PixelRect kCreated{307, 283, 973, 741};

TEST(MainPlacement, StoredOrDefault)
{
    const struct {
        StoredPlacement stored;
        PixelRect expected;
    } cases[] = {
        // No placement stored, or an "X" below 1: the default size about the
        // same centre, (905 - 666) / 2 = 119 and (560 - 458) / 2 = 51 more
        // on each side.
        {{-9999, -9999, 666, 458}, {188, 232, 1092, 792}},
        {{-5, 300, 1000, 900}, {188, 232, 1092, 792}},
        {{0, 300, 1000, 900}, {188, 232, 1092, 792}},
        // A stored placement, "Y" used only above 0.
        {{1, 10, 800, 600}, {1, 10, 801, 610}},
        {{50, 0, 800, 600}, {50, 283, 850, 883}},
        {{50, -7, 800, 600}, {50, 283, 850, 883}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceMainDialog(kCreated, c.stored), c.expected) << c.stored.x << "," << c.stored.y;
}

TEST(MainPlacement, DefaultNeverHasNegativeCoordinates)
{
    // Created at the top-left corner, the default grows past it and is
    // moved back right and down.
    const PixelRect corner{0, 0, 666, 458};
    EXPECT_EQ(PlaceMainDialog(corner, StoredPlacement{-9999, -9999, 666, 458}), (PixelRect{0, 0, 904, 560}));
    // Odd growth truncates toward zero on each side: 238 / 2 = 119 and
    // 101 / 2 = 50.
    const PixelRect odd{100, 100, 767, 559};
    EXPECT_EQ(PlaceMainDialog(odd, StoredPlacement{0, 0, 667, 459}), (PixelRect{0, 50, 905, 609}));
}

TEST(MainPlacement, KeptOnScreen)
{
    const PixelRect screen{0, 0, 1280, 994};
    const struct {
        PixelRect placed;
        PixelRect expected;
    } cases[] = {
        {{100, 100, 1005, 660}, {100, 100, 1005, 660}},      // fits: unchanged
        {{3000, 2000, 3905, 2560}, {375, 434, 1280, 994}},   // off to the right and below
        {{-800, -600, 105, -40}, {0, 0, 905, 560}},          // off to the left and above
        {{10, 10, 20, 20}, {10, 10, 676, 468}},              // never below the minimum size
        {{10, 10, 5010, 4010}, {0, 0, 1280, 994}},           // never beyond the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepOnScreen(c.placed, 666, 458, screen), c.expected) << c.placed;
    // A screen smaller than the minimum size: the minimum wins, from the
    // screen's top-left corner.
    EXPECT_EQ(KeepOnScreen(PixelRect{50, 50, 950, 610}, 666, 458, PixelRect{0, 0, 640, 400}),
              (PixelRect{0, 0, 666, 458}));
}

}  // namespace
