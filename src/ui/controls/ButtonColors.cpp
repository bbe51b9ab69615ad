#include "ui/controls/ButtonColors.h"

#include "ui/skin/ShiftColor.h"

uint32_t ButtonTextColorFor(uint32_t face)
{
    const bool dark = 350 * RedOf(face) < 50000 && 450 * GreenOf(face) < 50000 && 200 * BlueOf(face) < 50000;
    return dark ? kWhite : kBlack;
}

uint32_t ButtonFadeColor(uint32_t face, uint32_t hover, int32_t step)
{
    auto mix = [step](uint32_t f, uint32_t h) {
        return static_cast<uint32_t>((static_cast<int32_t>(f) * (5 - step) + static_cast<int32_t>(h) * step) / 5);
    };
    return MakeColor(mix(RedOf(face), RedOf(hover)), mix(GreenOf(face), GreenOf(hover)),
                     mix(BlueOf(face), BlueOf(hover)));
}
