#include "ui/controls/ButtonST.h"

#include "ui/controls/ButtonColors.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/ScaledArt.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFace.h"

CButtonST::CButtonST()
    : m_nPendingClickValue(0),
      m_nClickValue(0),
      m_hIconIn(nullptr),
      m_hIconOut(nullptr),
      m_bHover(false),
      m_bDrawFocus(true),
      m_bLatched(false),
      m_nIconHeight(0),
      m_nIconWidth(0),
      m_crFace(0),
      m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crHover(0),
      m_crHoverText(::GetSysColor(COLOR_BTNTEXT)),
      m_nHoverStep(0),
      m_nFadeDirection(0),
      m_nFadeTimer(-1)
{
    ResetColors();
}

CButtonST::~CButtonST() { DestroyIcons(); }

void CButtonST::ResetColors()
{
    if (const CSkinState* skin = CurrentSkin()) {
        m_crFace = skin->GetControlColor();
        m_crHover = skin->GetControlHoverColor();
    } else {
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        m_crFace = ShiftColor(face, 5);
        m_crHover = ShiftColor(face, 25);
    }
}

void CButtonST::PreSubclassWindow()
{
    ResetColors();
    const LONG_PTR style = GetStyle();
    ::SendMessageA(m_hWnd, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW), TRUE);
}

void CButtonST::SetFaceColor(COLORREF color, bool redraw)
{
    m_crFace = ShiftColor(color, 0);
    m_crHover = ShiftColor(color, 25);
    m_crText = m_crHoverText = ButtonTextColorFor(color);
    if (redraw)
        Redraw();
}

void CButtonST::SetHoverColor(COLORREF color, bool redraw)
{
    m_crHover = ShiftColor(color, 0);
    if (redraw)
        Redraw();
}

void CButtonST::SetLatched(bool latch, bool redraw)
{
    m_bLatched = latch;
    m_nFadeDirection = latch ? 1 : -1;
    StartFade();
    if (redraw)
        Redraw();
}

void CButtonST::DestroyIcons()
{
    if (m_hIconOut != nullptr && m_hIconOut != m_hIconIn)
        ::DestroyIcon(m_hIconOut);
    if (m_hIconIn != nullptr)
        ::DestroyIcon(m_hIconIn);
    m_hIconIn = m_hIconOut = nullptr;
}

void CButtonST::LoadIcons(int iconIn, int iconOut, int cx, int cy)
{
    // cx is the icon's size at 96 DPI; the display's density picks the
    // drawing (the icons are square).
    const CDpiScale scale = GetDpiScale();
    auto load = [cx, scale](int id) { return LoadScaledIcon(id, cx, scale); };
    m_nIconInId = iconIn;
    m_nIconOutId = iconOut;
    m_nIconSize96 = cx;
    DestroyIcons();
    m_hIconIn = load(iconIn);
    m_hIconOut = iconOut != 0 ? load(iconOut) : m_hIconIn;
    if (m_hIconOut == nullptr) {
        // Text only: an icon that will not load is no icon at all.
        DestroyIcons();
    }
    m_nIconWidth = static_cast<uint8_t>(scale.Px(cx));
    m_nIconHeight = static_cast<uint8_t>(scale.Px(cy));
    ICONINFO info{};
    if (m_hIconIn != nullptr && ::GetIconInfo(m_hIconIn, &info)) {
        BITMAP bitmap{};
        HBITMAP measured = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
        if (::GetObjectA(measured, sizeof bitmap, &bitmap) != 0) {
            m_nIconWidth = static_cast<uint8_t>(bitmap.bmWidth);
            // A monochrome icon keeps its image and mask in one bitmap.
            m_nIconHeight = static_cast<uint8_t>(info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2);
        }
        // GetIconInfo hands out copies of the icon's bitmaps.
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
    }
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd) && ::IsWindowVisible(GetParent()))
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CButtonST::Redraw()
{
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CButtonST::StartFade()
{
    if (m_hWnd == nullptr)
        return;
    m_nFadeTimer = kFadeTimer;
    SetTimer(kFadeTimer, kFadeMilliseconds);
}

void CButtonST::OnFadeTimer()
{
    if (m_nFadeDirection == 0) {
        KillTimer(kFadeTimer);
        m_nFadeTimer = -1;
        return;
    }
    m_nHoverStep += m_nFadeDirection;
    if (m_nHoverStep < 0 || m_nHoverStep > kFadeSteps) {
        m_nHoverStep = m_nHoverStep < 0 ? 0 : kFadeSteps;
        m_nFadeDirection = 0;
        KillTimer(kFadeTimer);
        m_nFadeTimer = -1;
    }
    Redraw();
}

void CButtonST::OnTrackTimer()
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    if (RectContains(GetClientRect(), point))
        return;
    m_bHover = false;
    KillTimer(kTrackTimer);
    if (!m_bLatched)
        m_nFadeDirection = -1;
    StartFade();
}

void CButtonST::OnMouseMove(WPARAM keys, POINT point)
{
    if (((keys & MK_LBUTTON) != 0 && !m_bHover) || !::IsWindowEnabled(m_hWnd))
        return;
    if (!m_bHover) {
        if (GetParent() == nullptr)
            return;
        m_bHover = true;
        SetTimer(kTrackTimer, kTrackMilliseconds);
        m_nFadeDirection = 1;
        StartFade();
    } else if (!RectContains(GetClientRect(), point)) {
        m_bHover = false;
        if (!m_bLatched)
            m_nFadeDirection = -1;
        StartFade();
    }
}

bool CButtonST::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return false;
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

LRESULT CButtonST::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kWmDpiChangedAfterParent:
        // The dialog moved to a display of another density: the drawing of
        // that size replaces the icons.
        if (m_nIconInId != 0)
            LoadIcons(m_nIconInId, m_nIconOutId, m_nIconSize96, m_nIconSize96);
        break;
    case WM_MOUSEMOVE: {
        const LRESULT result = Default(message, wParam, lParam);
        OnMouseMove(wParam, PointFromLParam(lParam));
        return result;
    }
    case WM_TIMER:
        if (wParam == kFadeTimer) {
            OnFadeTimer();
            return 0;
        }
        if (wParam == kTrackTimer) {
            OnTrackTimer();
            return 0;
        }
        break;
    case WM_LBUTTONUP: {
        m_nClickValue = m_nPendingClickValue;
        const LRESULT result = Default(message, wParam, lParam);
        SetTimer(kTrackTimer, kTrackMilliseconds);
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = Default(message, wParam, lParam);
        if (m_bHover) {
            m_bHover = false;
            Redraw();
        }
        return result;
    }
    case WM_CAPTURECHANGED:
        if (m_bHover) {
            // Only our own capture: the new holder keeps the mouse.
            if (::GetCapture() == m_hWnd)
                ::ReleaseCapture();
            Redraw();
        }
        break;
    case WM_ERASEBKGND:
        return TRUE;
    case BM_GETCHECK:
        // An owner-drawn button keeps no check state of its own; a latching
        // button's state is its latch, and readers of the check state
        // (accessibility tools, test drivers) get that.
        return m_bLatched ? BST_CHECKED : BST_UNCHECKED;
    case BM_SETSTYLE:
        // The dialog manager marks default buttons by restyling them; an
        // owner-drawn face must stay owner-drawn.
        wParam = (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
