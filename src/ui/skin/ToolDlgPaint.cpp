// Painting of the skinned frame.
#include <algorithm>
#include <cstdint>

#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFace.h"
#include "ui/skin/ToolDlg.h"

namespace {

const int kTitleIndent = 10;

COLORREF SkinControlColor()
{
    const CSkinState* skin = CurrentSkin();
    return skin != nullptr ? skin->GetControlColor() : ::GetSysColor(COLOR_BTNFACE);
}

}  // namespace

void CToolDlg::PaintFrame(HDC dc)
{
    const RECT client = GetClientRect();
    const RECT caption = GetCaptionRect();
    const CDpiScale scale = GetDpiScale();
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    PaintStripes(dc, client, scale);
    ::RestoreDC(dc, saved);
    if (m_bResizable && !m_bMinimized)
        PaintGrip(dc, client, scale);
    const COLORREF window = SkinWindowColor();
    Draw3dRect(dc, client, ShiftColor(window, 96), ShiftColor(window, -92), scale.Line());
    PaintCaption(dc, scale);
}

void CToolDlg::PaintStripes(HDC dc, const RECT& client, CDpiScale scale)
{
    // Read at every paint: the strength is a setting for the adventurous,
    // changed in the registry while the plug-in runs.
    const int32_t strength = AppSettings().GetInt("", SettingNames::kLinearInterface, 4);
    const COLORREF window = SkinWindowColor();
    const COLORREF odd = ShiftColor(window, strength);
    const COLORREF even = ShiftColor(window, strength == INT32_MIN ? INT32_MAX : -strength);
    // The stripes are as thick as the border, so the texture keeps its
    // look on a dense display instead of fading into an even grey.
    const int line = scale.Line();
    for (int y = line; y <= client.bottom - 1 - line; y += line) {
        const int band = (y / line) % 2;
        FillSolidRect(dc, RECT{line, y, client.right - line, std::min<LONG>(y + line, client.bottom - line)},
                      band != 0 ? odd : even);
    }
}

void CToolDlg::PaintGrip(HDC dc, const RECT& client, CDpiScale scale)
{
    const COLORREF window = SkinWindowColor();
    const COLORREF topLeft = ShiftColor(window, -32);
    const COLORREF bottomRight = ShiftColor(window, 32);
    const int w = client.right;
    const int h = client.bottom;
    // The grip's bars as (x from the right, y from the bottom, width,
    // height) at 96 DPI.
    const int bars[4][4] = {{5, 12, 5, 2}, {5, 11, 2, 8}, {12, 5, 9, 2}, {12, 4, 2, 5}};
    const int line = scale.Line();
    for (const auto& bar : bars) {
        const int x = w - scale.Px(bar[0]);
        const int y = h - scale.Px(bar[1]);
        Draw3dRect(dc, RECT{x, y, x + scale.Px(bar[2]), y + scale.Px(bar[3])}, topLeft, bottomRight, line);
    }
}

void CToolDlg::PaintCaption(HDC dc, CDpiScale scale)
{
    const RECT caption = GetCaptionRect();
    if (::IsRectEmpty(&caption))
        return;
    const COLORREF control = SkinControlColor();
    const bool active = ::GetActiveWindow() == m_hWnd;
    PaintSkinFace(dc, caption, ShiftColor(control, active ? -48 : -64), 0, 0.0, scale.Line());

    char title[256] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_FRAME_CAPTION, title, sizeof title);
    RECT text = caption;
    text.left += scale.Px(kTitleIndent);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    CSelectObject font(dc, GetFont());
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    // A dark outline all round, then the title in white on top; the
    // outline thickens with the text on a dense display.
    ::SetTextColor(dc, ShiftColor(control, -96));
    const int reach = scale.Line();
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            RECT moved = text;
            ::OffsetRect(&moved, dx, dy);
            ::DrawTextA(dc, title, -1, &moved, format);
        }
    }
    ::SetTextColor(dc, 0x00FFFFFF);
    ::DrawTextA(dc, title, -1, &text, format);
    ::SetBkMode(dc, oldMode);
}
