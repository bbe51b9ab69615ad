// Painting of the skinned frame.
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
    const int saved = ::SaveDC(dc);
    ::ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    PaintStripes(dc, client);
    ::RestoreDC(dc, saved);
    if (m_bResizable && !m_bMinimized)
        PaintGrip(dc, client);
    const COLORREF window = SkinWindowColor();
    Draw3dRect(dc, client, ShiftColor(window, 96), ShiftColor(window, -92));
    PaintCaption(dc);
}

void CToolDlg::PaintStripes(HDC dc, const RECT& client)
{
    // Read at every paint: the strength is a setting for the adventurous,
    // changed in the registry while the plug-in runs.
    const int32_t strength = AppSettings().GetInt("", SettingNames::kLinearInterface, 4);
    const COLORREF window = SkinWindowColor();
    const COLORREF odd = ShiftColor(window, strength);
    const COLORREF even = ShiftColor(window, strength == INT32_MIN ? INT32_MAX : -strength);
    for (int y = 1; y <= client.bottom - 2; ++y)
        FillSolidRect(dc, RECT{1, y, client.right - 1, y + 1}, (y % 2) != 0 ? odd : even);
}

void CToolDlg::PaintGrip(HDC dc, const RECT& client)
{
    const COLORREF window = SkinWindowColor();
    const COLORREF topLeft = ShiftColor(window, -32);
    const COLORREF bottomRight = ShiftColor(window, 32);
    const int w = client.right;
    const int h = client.bottom;
    Draw3dRect(dc, w - 5, h - 12, 5, 2, topLeft, bottomRight);
    Draw3dRect(dc, w - 5, h - 11, 2, 8, topLeft, bottomRight);
    Draw3dRect(dc, w - 12, h - 5, 9, 2, topLeft, bottomRight);
    Draw3dRect(dc, w - 12, h - 4, 2, 5, topLeft, bottomRight);
}

void CToolDlg::PaintCaption(HDC dc)
{
    const RECT caption = GetCaptionRect();
    if (::IsRectEmpty(&caption))
        return;
    const COLORREF control = SkinControlColor();
    const bool active = ::GetActiveWindow() == m_hWnd;
    PaintSkinFace(dc, caption, ShiftColor(control, active ? -48 : -64), 0, 0.0);

    char title[256] = {};
    ::GetDlgItemTextA(m_hWnd, IDC_FRAME_CAPTION, title, sizeof title);
    RECT text = caption;
    text.left += kTitleIndent;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    CSelectObject font(dc, GetFont());
    const UINT format = DT_SINGLELINE | DT_VCENTER;
    // A dark outline all round, then the title in white on top.
    ::SetTextColor(dc, ShiftColor(control, -96));
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            RECT moved = text;
            ::OffsetRect(&moved, dx, dy);
            ::DrawTextA(dc, title, -1, &moved, format);
        }
    }
    ::SetTextColor(dc, 0x00FFFFFF);
    ::DrawTextA(dc, title, -1, &text, format);
    ::SetBkMode(dc, oldMode);
}
