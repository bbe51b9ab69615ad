#include "ui/controls/IconSlider.h"

#include "ui/framework/Gdi.h"

CIconSlider::CIconSlider()
    : m_strFormat("%d"),
      m_crTrack(0x00C0C0C0),
      m_crThumb(0x00C0C0C0),
      m_nThumbLength(36),
      m_nArrowSize(20),
      m_nDragOffset(0),
      m_nHoverFlags(0),
      m_bDragging(false)
{
}

void CIconSlider::SetSliderColours(COLORREF track, COLORREF thumb)
{
    m_crTrack = track;
    m_crThumb = thumb;
    ModifyStyle(WS_TABSTOP, 0);
    Redraw();
}

void CIconSlider::SetRangeAndValue(int min, int max, int pos)
{
    const bool rangeChanged = min != GetRangeMin() || max != GetRangeMax();
    if (rangeChanged)
        SetRange(min, max, false);
    if (pos != GetPos() && !m_bDragging) {
        SetPos(pos);
        Redraw();
    } else if (rangeChanged) {
        Redraw();
    }
    NotifyParent();
}

SliderMetrics CIconSlider::Metrics() const
{
    // The arrow and thumb sizes are 96-DPI ones: on a dense display they
    // grow with the value text the thumb has to hold.
    const RECT client = GetClientRect();
    const CDpiScale scale = GetDpiScale();
    return SliderMetrics{PixelRect{client.left, client.top, client.right, client.bottom},
                         scale.Px(m_nArrowSize),
                         scale.Px(m_nThumbLength),
                         GetRangeMin(),
                         GetRangeMax(),
                         GetPos(),
                         GetPageSize(),
                         scale.Line()};
}

RECT CIconSlider::GetThumbRect() const
{
    const PixelRect thumb = SliderThumbRect(Metrics());
    return RECT{thumb.left, thumb.top, thumb.right, thumb.bottom};
}

void CIconSlider::Redraw()
{
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

bool CIconSlider::StepAt(int x)
{
    const int step = SliderStepAt(Metrics(), x);
    if (step == 0)
        return false;
    SetPos(GetPos() + step);
    NotifyParent();
    Redraw();
    return true;
}

void CIconSlider::OnLButtonDown(WPARAM wParam, LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    const RECT thumb = GetThumbRect();
    if (RectContains(thumb, point)) {
        m_bDragging = true;
        m_nDragOffset = (thumb.left + thumb.right) / 2 - point.x;
        // Hold the mouse for the whole drag, wherever it goes.
        ::SetCapture(m_hWnd);
    } else if (StepAt(point.x)) {
        SetTimer(kRepeatDelayTimer, kRepeatDelayMilliseconds);
    } else {
        Default(WM_LBUTTONDOWN, wParam, lParam);
    }
    Redraw();
}

void CIconSlider::OnLButtonUp(WPARAM wParam, LPARAM lParam)
{
    KillTimer(kRepeatTimer);
    KillTimer(kRepeatDelayTimer);
    Default(WM_LBUTTONUP, wParam, lParam);
    if (m_bDragging && !RectContains(GetThumbRect(), PointFromLParam(lParam)) && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bDragging = false;
    Redraw();
    ::SetFocus(m_hWnd);
}

void CIconSlider::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    Default(WM_MOUSEMOVE, wParam, lParam);
    const POINT point = PointFromLParam(lParam);
    const bool overThumb = RectContains(GetThumbRect(), point);
    if (overThumb && !IsThumbHot()) {
        m_nHoverFlags |= 1;
        if (!m_bDragging)
            ::SetCapture(m_hWnd);
        Redraw();
    } else if (!overThumb && IsThumbHot()) {
        m_nHoverFlags &= ~1u;
        if (!m_bDragging && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        Redraw();
    }
    if (m_bDragging) {
        const int value = SliderDragValue(Metrics(), point.x, m_nDragOffset);
        if (value != GetPos()) {
            SetPos(value);
            NotifyParent();
            Redraw();
        }
    }
}

void CIconSlider::OnTimer(UINT_PTR id)
{
    if (id == kRepeatDelayTimer) {
        SetTimer(kRepeatTimer, kRepeatMilliseconds);
        KillTimer(kRepeatDelayTimer);
    } else {
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(m_hWnd, &point);
        StepAt(point.x);
    }
}

bool CIconSlider::OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* result)
{
    // The trackbar's own scrolling (keys, wheel) as the parent hears it.
    if (message != WM_HSCROLL)
        return false;
    NotifyParent();
    Redraw();
    *result = 0;
    return true;
}

LRESULT CIconSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatDelayTimer || wParam == kRepeatTimer) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (m_nHoverFlags != 0) {
            m_nHoverFlags = 0;
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            Redraw();
        }
        break;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        const LRESULT result = Default(message, wParam, lParam);
        NotifyParent();
        Redraw();
        return result;
    }
    case WM_ERASEBKGND:
        return TRUE;
    default:
        if (HandlePaintMessage(m_hWnd, message, wParam, [this](HDC dc) { Paint(dc); }))
            return 0;
        break;
    }
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}
