#include "ui/skin/AnchorMath.h"

#include "ui/skin/DpiScale.h"

namespace {

int32_t Scale(int32_t percent, int32_t size)
{
    return static_cast<int32_t>(static_cast<int64_t>(percent) * size / 100);
}

}  // namespace

AnchorLayout MakeAnchorLayout(const PixelRect& rect, AnchorPoint topLeft, AnchorPoint bottomRight, int32_t width,
                              int32_t height)
{
    if (bottomRight == kNoAnchor)
        bottomRight = topLeft;
    AnchorLayout layout{topLeft, bottomRight, 0, 0, 0, 0};
    layout.marginLeft = rect.left - Scale(topLeft.x, width);
    layout.marginTop = rect.top - Scale(topLeft.y, height);
    layout.marginRight = rect.right - Scale(bottomRight.x, width);
    layout.marginBottom = rect.bottom - Scale(bottomRight.y, height);
    return layout;
}

PixelRect AnchoredRect(const AnchorLayout& layout, int32_t width, int32_t height)
{
    return PixelRect{Scale(layout.topLeft.x, width) + layout.marginLeft,
                     Scale(layout.topLeft.y, height) + layout.marginTop,
                     Scale(layout.bottomRight.x, width) + layout.marginRight,
                     Scale(layout.bottomRight.y, height) + layout.marginBottom};
}

AnchorLayout RescaleAnchorLayout(const AnchorLayout& layout, int32_t fromDpi, int32_t toDpi)
{
    AnchorLayout out = layout;
    out.marginLeft = RescaleBetweenDpis(layout.marginLeft, fromDpi, toDpi);
    out.marginTop = RescaleBetweenDpis(layout.marginTop, fromDpi, toDpi);
    out.marginRight = RescaleBetweenDpis(layout.marginRight, fromDpi, toDpi);
    out.marginBottom = RescaleBetweenDpis(layout.marginBottom, fromDpi, toDpi);
    return out;
}
