#include "ui/controls/PreviewBitmap.h"

#include <cmath>

#include "imaging/PreviewZoom.h"
#include "lang/Language.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/ShiftColor.h"

namespace {

bool SameRect(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

CPreviewBitmap::CPreviewBitmap()
    : m_crBackground(0x00FFFFFF), m_bDragging(false), m_ptLast{0, 0}, m_pView(&m_ownView)
{
}

void CPreviewBitmap::PreSubclassWindow()
{
    const LONG_PTR style = GetStyle();
    ::SendMessageA(m_hWnd, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW), FALSE);
}

void CPreviewBitmap::SetImage(CDib* buffer, const PixelRect& extent, bool keepCentre)
{
    const RECT client = GetClientRect();
    m_pView->SetImage(buffer, extent, keepCentre, client.right - client.left, client.bottom - client.top);
}

void CPreviewBitmap::DrawItem(DRAWITEMSTRUCT* item)
{
    CMemDC memory(item->hDC, item->rcItem, false);
    Paint(memory.Get(), item->rcItem);
}

void CPreviewBitmap::Paint(HDC dc, const RECT& client)
{
    FillSolidRect(dc, client, m_crBackground);
    const CDib* image = m_pView->Image();
    if (image != nullptr && !image->IsEmpty())
        PaintImage(dc, client, *image);
    else
        PaintPreparing(dc, client);
    if (m_bOriginal)
        PaintOriginalLabel(dc, client);
    // The sunken frame is as wide as the skin's lines; the picture under it
    // stays one image pixel per screen pixel at any density.
    Draw3dRect(dc, client, ShiftColor(m_crBackground, -48), ShiftColor(m_crBackground, 48), GetDpiScale().Line());
}

POINT CPreviewBitmap::PictureOrigin() const
{
    const RECT client = GetClientRect();
    const int width = m_pView->ShownWidth();
    const int height = m_pView->ShownHeight();
    return POINT{client.left + (client.right - client.left - width) / 2,
                 client.top + (client.bottom - client.top - height) / 2};
}

void CPreviewBitmap::PaintImage(HDC dc, const RECT& client, const CDib& image)
{
    // A view rendered at its reduced scale is shown as it is.
    const bool scaled = image.GetWidth() != m_pView->ShownWidth() || image.GetHeight() != m_pView->ShownHeight();
    CDib& composite = scaled ? m_dibUnscaled : m_dibPaint;
    ComposePreviewPaint(image, ColorRefToArgb(m_crBackground), composite);
    if (composite.IsEmpty())
        return;
    // Enlarged or reduced after the blend over the background, so what is
    // averaged is what the eye sees at 100 %.
    if (scaled)
        ScalePreviewPicture(composite, m_dibPaint, m_pView->ShownWidth(), m_pView->ShownHeight());
    const CDib& shown = m_dibPaint;
    if (shown.IsEmpty())
        return;
    const int width = scaled ? m_pView->ShownWidth() : image.GetWidth();
    const int height = scaled ? m_pView->ShownHeight() : image.GetHeight();

    // Centred; a buffer larger than the client area shows its middle.
    const int x0 = (client.right - client.left - width) / 2;
    const int y0 = (client.bottom - client.top - height) / 2;
    const RECT placed{client.left + x0, client.top + y0, client.left + x0 + width, client.top + y0 + height};
    RECT target;
    if (!::IntersectRect(&target, &placed, &client))
        return;
    HDC source = m_dibPaint.GetDC();
    ::BitBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, source,
             target.left - placed.left, target.top - placed.top, SRCCOPY);
    m_dibPaint.ReleaseDC();
}

void CPreviewBitmap::PaintOriginalLabel(HDC dc, const RECT& client)
{
    const std::string text = TheLanguage().Lookup("Msg", "original", "Original");
    HWND parent = GetParent();
    HFONT font = parent != nullptr ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
    CSelectObject selectFont(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int pad = GetDpiScale().Px(4);
    const RECT box{client.left + pad, client.top + pad, client.left + 3 * pad + size.cx,
                   client.top + 2 * pad + size.cy};
    FillSolidRect(dc, box, 0x00000000);
    const COLORREF oldText = ::SetTextColor(dc, 0x00FFFFFF);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT area = box;
    ::DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldText);
}

void CPreviewBitmap::PaintPreparing(HDC dc, const RECT& client)
{
    const std::string text = TheLanguage().Lookup("Msg", "preparing", "Preparing data...");
    HWND parent = GetParent();
    HFONT font = parent != nullptr ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr;
    CSelectObject selectFont(dc, font);
    // The context's own defaults: black on an opaque white ground.
    const COLORREF oldText = ::SetTextColor(dc, 0x00000000);
    const COLORREF oldBack = ::SetBkColor(dc, 0x00FFFFFF);
    const int oldMode = ::SetBkMode(dc, OPAQUE);
    RECT area = client;
    ::DrawTextA(dc, text.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SetBkMode(dc, oldMode);
    ::SetBkColor(dc, oldBack);
    ::SetTextColor(dc, oldText);
}

void CPreviewBitmap::OnMouseMove(POINT point)
{
    PixelRect& view = m_pView->m_rcView;
    const PixelRect before = view;
    // The image follows the mouse; away from 100 % a screen pixel is more
    // or less than an image pixel, and the parts of a pixel add up.
    int dx = m_ptLast.x - point.x;
    int dy = m_ptLast.y - point.y;
    if (m_pView->Scale() != 1.0 && m_pView->ShownWidth() > 0 && m_pView->ShownHeight() > 0) {
        m_dPanRestX += dx * static_cast<double>(m_pView->m_nViewWidth) / m_pView->ShownWidth();
        m_dPanRestY += dy * static_cast<double>(m_pView->m_nViewHeight) / m_pView->ShownHeight();
        dx = static_cast<int>(std::trunc(m_dPanRestX));
        dy = static_cast<int>(std::trunc(m_dPanRestY));
        m_dPanRestX -= dx;
        m_dPanRestY -= dy;
    }
    view.left += dx;
    view.right += dx;
    view.top += dy;
    view.bottom += dy;
    m_pView->ClampView();
    m_ptLast = point;
    // Posted, not sent: the owner refills the buffer after this message.
    if (!SameRect(view, before))
        NotifyParent(0);
}

LRESULT CPreviewBitmap::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        m_bDragging = true;
        ::SetCapture(m_hWnd);
        m_ptLast = PointFromLParam(lParam);
        m_dPanRestX = m_dPanRestY = 0;
        break;
    case WM_RBUTTONDOWN:
        ::SetCapture(m_hWnd);
        SetOriginal(true);
        return 0;
    case WM_RBUTTONUP:
        SetOriginal(false);
        if (::GetCapture() == m_hWnd && !m_bDragging)
            ::ReleaseCapture();
        return 0;
    case WM_MOUSEMOVE:
        if (m_bDragging)
            OnMouseMove(PointFromLParam(lParam));
        break;
    case WM_LBUTTONUP: {
        m_bDragging = false;
        // The button's own handling first: it reports the click while it
        // still holds the capture, then lets go of it.
        const LRESULT result = CButton::WindowProc(message, wParam, lParam);
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        return result;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a dialog opened, say): the drag ends.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bDragging = false;
            SetOriginal(false);
        }
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CPreviewBitmap::SetOriginal(bool shown)
{
    if (shown == m_bOriginal)
        return;
    m_bOriginal = shown;
    NotifyParent(kOriginalChanged);
}

bool CPreviewBitmap::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}
