// Painting of the skinned slider.
#include <cstdio>

#include "ui/controls/IconSlider.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFace.h"
#include "ui/skin/SkinStyle.h"

void CIconSlider::Paint(HDC target)
{
    const RECT client = GetClientRect();
    CMemDC memory(target, client, false);
    HDC dc = memory.Get();
    const SliderMetrics metrics = Metrics();
    FillSolidRect(dc, client, m_crTrack);
    Draw3dRect(dc, client, ShiftColor(m_crTrack, -64), ShiftColor(m_crTrack, 64), metrics.frame);
    PaintArrows(dc, client, metrics);
    PaintThumb(dc, metrics);
}

void CIconSlider::PaintArrows(HDC dc, const RECT& client, const SliderMetrics& metrics)
{
    const int frame = metrics.frame;
    const int arrow = metrics.arrow;
    RECT inner = client;
    ::InflateRect(&inner, -frame, -frame);
    const RECT left{inner.left, inner.top, inner.left + arrow, inner.bottom};
    const RECT right{client.right - frame - arrow, inner.top, client.right - frame, inner.bottom};
    for (const RECT& button : {left, right}) {
        FillSolidRect(dc, button, m_crTrack);
        Draw3dRect(dc, button, ShiftColor(m_crTrack, 48), ShiftColor(m_crTrack, -48), frame);
    }
    const int cy = (inner.top + inner.bottom - 1) / 2;
    if (arrow == 20) {
        // The 96-DPI chevrons, point for point.
        const int e = (arrow - 2) / 2;
        const int xl = left.left;
        const int xr = right.left;
        CSelectObject pen(dc, ::GetStockObject(BLACK_PEN));
        const POINT leftChevron[3] = {{xl + e + 2, cy - 2}, {xl + e, cy}, {xl + e + 3, cy + 3}};
        const POINT rightChevron[3] = {{xr + e, cy - 2}, {xr + e + 2, cy}, {xr + e - 1, cy + 3}};
        for (const POINT* chevron : {leftChevron, rightChevron}) {
            ::MoveToEx(dc, chevron[0].x, chevron[0].y, nullptr);
            ::LineTo(dc, chevron[1].x, chevron[1].y);
            ::LineTo(dc, chevron[2].x, chevron[2].y);
        }
        return;
    }
    // On a denser display the same shape at the buttons' scale, centred in
    // each, with a pen that thickens in step (square ends keep it crisp).
    const int reach = (arrow * 3 + 10) / 20;
    const int penWidth = (arrow + 10) / 20;
    const LOGBRUSH black{BS_SOLID, 0x00000000, 0};
    HPEN wide = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_SQUARE | PS_JOIN_MITER,
                               static_cast<DWORD>(penWidth > 1 ? penWidth : 1), &black, 0, nullptr);
    {
        CSelectObject pen(dc, wide != nullptr ? static_cast<HGDIOBJ>(wide) : ::GetStockObject(BLACK_PEN));
        for (const RECT& button : {left, right}) {
            const int cx = (button.left + button.right) / 2;
            const int tip = button.left == left.left ? cx - reach / 2 : cx + reach / 2;
            const int tail = button.left == left.left ? tip + reach : tip - reach;
            const POINT chevron[3] = {{tail, cy - reach}, {tip, cy}, {tail, cy + reach}};
            ::Polyline(dc, chevron, 3);
        }
    }
    if (wide != nullptr)
        ::DeleteObject(wide);
}

void CIconSlider::PaintThumb(HDC dc, const SliderMetrics& metrics)
{
    const PixelRect box = SliderThumbRect(metrics);
    const RECT thumb{box.left, box.top, box.right, box.bottom};
    if (::IsRectEmpty(&thumb))
        return;
    const COLORREF color = IsThumbHot() ? ShiftColor(m_crThumb, 16) : ShiftColor(m_crThumb, 0);
    {
        CRingTableSwap rings(kThumbRingTable);
        PaintSkinFace(dc, thumb, color, kStateNormal, 0.0, metrics.frame);
    }
    if (!::IsWindowEnabled(m_hWnd))
        return;
    Draw3dRect(dc, thumb, ShiftColor(color, 64), ShiftColor(color, -64), metrics.frame);

    char value[64];
    std::snprintf(value, sizeof value, m_strFormat.c_str(), GetPos());
    HWND parent = GetParent();
    CSelectObject font(dc, parent != nullptr ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0))
                                             : nullptr);
    RECT measured{0, 0, 0, 0};
    ::DrawTextA(dc, value, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    // A value that does not fit inside the thumb is better left out than cut.
    if (measured.right - measured.left >= thumb.right - thumb.left ||
        measured.bottom - measured.top >= thumb.bottom - thumb.top)
        return;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, 0x00000000);
    RECT text = thumb;
    ::DrawTextA(dc, value, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
}
