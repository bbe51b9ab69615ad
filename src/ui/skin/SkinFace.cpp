#include "ui/skin/SkinFace.h"

#include "ui/framework/Gdi.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFacePlan.h"

namespace {

RECT ToRect(const PixelRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

void PaintSkinFace(HDC dc, const RECT& rect, COLORREF color, int state, double hot, int line)
{
    const SkinFacePlan plan =
        PlanSkinFace(ActiveRingTable(), ActiveFaceStyle(), SkinRingBaseColor(),
                     PixelRect{rect.left, rect.top, rect.right, rect.bottom}, color, state, hot, line);
    if (plan.hasFill && plan.face.right > plan.face.left) {
        for (size_t y = 0; y < plan.rowColors.size(); ++y) {
            const int top = plan.face.top + static_cast<int>(y);
            FillSolidRect(dc, RECT{plan.face.left, top, plan.face.right, top + 1}, plan.rowColors[y]);
        }
    }
    for (int i = 0; i < 3; ++i) {
        if (plan.ringDrawn[i])
            Draw3dRect(dc, ToRect(plan.rings[i].rect), plan.rings[i].topLeft, plan.rings[i].bottomRight, plan.line);
    }
}
