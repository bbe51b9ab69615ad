#include "ui/skin/ResizableDialog.h"

#include <cstring>

CResizableDialog::CResizableDialog(int templateId, CWnd* parent)
    : CDialog(templateId, parent),
      m_bShowGrip(true),
      m_bUseMinTrack(true),
      m_bInitDone(false),
      m_nGripWidth(::GetSystemMetrics(SM_CXVSCROLL)),
      m_nGripHeight(::GetSystemMetrics(SM_CYHSCROLL)),
      m_rcGrip{0, 0, 0, 0},
      m_szMinTrack{0, 0},
      m_nLayoutDpi(kBaseDpi)
{
}

BOOL CResizableDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateGripRect();
    const RECT window = GetWindowRect();
    m_szMinTrack = SIZE{window.right - window.left, window.bottom - window.top};
    m_nLayoutDpi = WindowDpi(m_hWnd);
    m_bInitDone = true;
    return TRUE;
}

void CResizableDialog::UpdateGripRect()
{
    const RECT client = GetClientRect();
    m_rcGrip = RECT{client.right - m_nGripWidth, client.bottom - m_nGripHeight, client.right, client.bottom};
}

void CResizableDialog::AddAnchor(int id, AnchorPoint topLeft, AnchorPoint bottomRight)
{
    AddAnchor(GetDlgItem(id), topLeft, bottomRight);
}

void CResizableDialog::AddAnchor(HWND control, AnchorPoint topLeft, AnchorPoint bottomRight)
{
    if (control == nullptr)
        return;
    LayoutInfo info{control, false, {}};
    char className[64] = {};
    if (::GetClassNameA(control, className, sizeof className) > 0) {
        const LONG_PTR style = ::GetWindowLongPtrA(control, GWL_STYLE);
        // Buttons other than plain push buttons (owner-drawn ones included)
        // must not paint over their neighbours while they move.
        if (::lstrcmpiA(className, "BUTTON") == 0 && (style & 0x7) != 0)
            ::SetWindowLongPtrA(control, GWL_STYLE, style | WS_CLIPSIBLINGS);
        // Text statics do not repaint themselves when they move.
        if (::lstrcmpiA(className, "STATIC") == 0) {
            const LONG_PTR type = style & SS_TYPEMASK;
            info.refresh = type != SS_SIMPLE && ((style & SS_CENTERIMAGE) != 0 || type <= SS_RIGHT);
        }
    }
    const RECT client = GetClientRect();
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    info.anchors = MakeAnchorLayout(PixelRect{rect.left, rect.top, rect.right, rect.bottom}, topLeft, bottomRight,
                                    client.right, client.bottom);
    m_arrLayout.Add(info);
}

void CResizableDialog::ReanchorControl(HWND control)
{
    const RECT client = GetClientRect();
    for (int i = 0; i < m_arrLayout.GetSize(); ++i) {
        LayoutInfo& info = m_arrLayout[i];
        if (info.window != control)
            continue;
        RECT rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        info.anchors = MakeAnchorLayout(PixelRect{rect.left, rect.top, rect.right, rect.bottom},
                                        info.anchors.topLeft, info.anchors.bottomRight, client.right, client.bottom);
    }
}

void CResizableDialog::ShowSizeGrip(bool show)
{
    if (m_bShowGrip == show)
        return;
    m_bShowGrip = show;
    ::InvalidateRect(m_hWnd, &m_rcGrip, TRUE);
}

void CResizableDialog::ArrangeLayout()
{
    if (m_bShowGrip) {
        ::InvalidateRect(m_hWnd, &m_rcGrip, TRUE);
        UpdateGripRect();
        ::InvalidateRect(m_hWnd, &m_rcGrip, TRUE);
    }
    const RECT client = GetClientRect();
    const int count = m_arrLayout.GetSize();
    HDWP defer = ::BeginDeferWindowPos(count > 0 ? count : 1);
    for (int i = 0; i < count; ++i) {
        const LayoutInfo& info = m_arrLayout[i];
        const PixelRect target = AnchoredRect(info.anchors, client.right, client.bottom);
        RECT current;
        ::GetWindowRect(info.window, &current);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&current), 2);
        if (target.left == current.left && target.top == current.top && target.right == current.right &&
            target.bottom == current.bottom)
            continue;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        if (target.left == current.left && target.top == current.top)
            flags |= SWP_NOMOVE;
        if (target.right - target.left == current.right - current.left &&
            target.bottom - target.top == current.bottom - current.top)
            flags |= SWP_NOSIZE;
        if (defer != nullptr)
            defer = ::DeferWindowPos(defer, info.window, nullptr, target.left, target.top, target.right - target.left,
                                     target.bottom - target.top, flags);
    }
    if (defer != nullptr)
        ::EndDeferWindowPos(defer);
    for (int i = 0; i < count; ++i) {
        if (m_arrLayout[i].refresh)
            ::InvalidateRect(m_arrLayout[i].window, nullptr, TRUE);
    }
    if (!m_bShowGrip)
        Invalidate();
}

void CResizableDialog::OnDpiChanged(int dpi, const RECT& suggested, WPARAM wParam, LPARAM lParam)
{
    const int from = m_nLayoutDpi;
    if (dpi > 0 && dpi != from) {
        m_szMinTrack.cx = RescaleBetweenDpis(m_szMinTrack.cx, from, dpi);
        m_szMinTrack.cy = RescaleBetweenDpis(m_szMinTrack.cy, from, dpi);
        for (int i = 0; i < m_arrLayout.GetSize(); ++i)
            m_arrLayout[i].anchors = RescaleAnchorLayout(m_arrLayout[i].anchors, from, dpi);
        m_nLayoutDpi = dpi;
    }
    // The system's own handling first: for the dialogs of a host that
    // follows each display's density it scales the fonts and the controls
    // without anchors. Then the window takes the suggested rectangle and
    // the anchored controls their places at the new distances.
    Default(kWmDpiChanged, wParam, lParam);
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ArrangeLayout();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kWmDpiChanged:
        if (m_bInitDone && lParam != 0) {
            const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
            OnDpiChanged(LOWORD(wParam), suggested, wParam, lParam);
            return 0;
        }
        break;
    case WM_SIZE: {
        const LRESULT result = Default(message, wParam, lParam);
        if (m_bInitDone && wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE)
            ArrangeLayout();
        return result;
    }
    case WM_GETMINMAXINFO:
        if (m_bInitDone && m_bUseMinTrack) {
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{m_szMinTrack.cx, m_szMinTrack.cy};
            return 0;
        }
        break;
    case WM_NCHITTEST:
        if (m_bShowGrip) {
            POINT point = PointFromLParam(lParam);
            ::ScreenToClient(m_hWnd, &point);
            if (point.x >= 0 && point.y >= 0 && RectContains(m_rcGrip, point))
                return HTBOTTOMRIGHT;
        }
        break;
    case WM_PAINT:
        if (m_bShowGrip && !::IsZoomed(m_hWnd)) {
            PAINTSTRUCT paint;
            HDC dc = ::BeginPaint(m_hWnd, &paint);
            ::DrawFrameControl(dc, &m_rcGrip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
            ::EndPaint(m_hWnd, &paint);
            return 0;
        }
        break;
    case WM_DESTROY: {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        m_arrLayout.RemoveAll();
        return result;
    }
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
