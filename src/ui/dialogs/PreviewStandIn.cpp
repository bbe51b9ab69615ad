#include "ui/dialogs/PreviewStandIn.h"

#include "ui/framework/Gdi.h"

void CPreviewStandIn::SetImage(CDib* buffer, const RECT& extent, bool keepCentre)
{
    const RECT client = GetClientRect();
    m_view.SetImage(buffer, PixelRect{extent.left, extent.top, extent.right, extent.bottom}, keepCentre, client.right,
                    client.bottom);
}

void CPreviewStandIn::DrawItem(DRAWITEMSTRUCT* item)
{
    const RECT client = item->rcItem;
    CMemDC memory(item->hDC, client, false);
    HDC dc = memory.Get();
    FillSolidRect(dc, client, 0x00FFFFFF);
    CDib* image = m_view.Image();
    if (image != nullptr && !image->IsEmpty()) {
        CDib shown;
        shown.Create(image->GetWidth(), image->GetHeight());
        shown.Fill(0xFFFFFFFF);
        shown.BlendFrom(*image, 255);
        const int x0 = (client.right - shown.GetWidth()) / 2;
        const int y0 = (client.bottom - shown.GetHeight()) / 2;
        ::BitBlt(dc, x0, y0, shown.GetWidth(), shown.GetHeight(), shown.GetDC(), 0, 0, SRCCOPY);
        shown.ReleaseDC();
    }
    Draw3dRect(dc, client, 0x00CFCFCF, 0x00FFFFFF);
}

bool CPreviewStandIn::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

LRESULT CPreviewStandIn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        m_bDragging = true;
        m_ptLast = PointFromLParam(lParam);
        break;
    case WM_MOUSEMOVE:
        if (m_bDragging) {
            const POINT point = PointFromLParam(lParam);
            const int dx = m_ptLast.x - point.x;
            const int dy = m_ptLast.y - point.y;
            m_view.m_rcView.left += dx;
            m_view.m_rcView.right += dx;
            m_view.m_rcView.top += dy;
            m_view.m_rcView.bottom += dy;
            m_view.ClampView();
            m_ptLast = point;
            NotifyParent();
        }
        break;
    case WM_LBUTTONUP:
        m_bDragging = false;
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
