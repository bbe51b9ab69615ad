#include "ui/controls/ColorButton.h"

#include "resources/ControlResources.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinStyle.h"
#include "win/ThisModule.h"

CColorButton::CColorButton()
    : m_hPipette(static_cast<HCURSOR>(
          ::LoadImageA(ThisModule(), MAKEINTRESOURCEA(IDC_VEYDRA_PIPETTE), IMAGE_CURSOR, 0, 0, 0))),
      m_hArrow(::LoadCursorA(nullptr, IDC_ARROW)),
      m_crSaved(0)
{
}

CColorButton::~CColorButton()
{
    // The arrow is the system's shared cursor; only the pipette is ours.
    if (m_hPipette != nullptr)
        ::DestroyCursor(m_hPipette);
}

void CColorButton::OnPickMove(POINT point)
{
    if (m_nPendingClickValue >= 0) {
        // The press began elsewhere: start picking from the colour we hold.
        m_crSaved = GetFaceColor();
        m_nPendingClickValue = -1;
        m_nClickValue = 0;
    }
    if (RectContains(GetClientRect(), point)) {
        SetFaceColor(m_crSaved, true);
        ::SetCursor(m_hArrow);
    } else {
        POINT screen = point;
        ::ClientToScreen(m_hWnd, &screen);
        HDC screenDC = ::GetDC(nullptr);
        const COLORREF picked = ::GetPixel(screenDC, screen.x, screen.y);
        ::ReleaseDC(nullptr, screenDC);
        if (picked != CLR_INVALID)
            SetFaceColor(picked, true);
        ::SetCursor(m_hPipette != nullptr ? m_hPipette : m_hArrow);
    }
    NotifyParent();
}

void CColorButton::OnRelease(POINT point)
{
    if (RectContains(GetClientRect(), point)) {
        SetFaceColor(m_crSaved, true);
        m_nPendingClickValue = 1;
    } else {
        m_nPendingClickValue = 0;
        NotifyParent();
    }
}

LRESULT CColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        m_crSaved = GetFaceColor();
        m_nPendingClickValue = -1;
        m_nClickValue = 0;
        break;
    case WM_MOUSEMOVE:
        if ((wParam & MK_LBUTTON) != 0)
            OnPickMove(PointFromLParam(lParam));
        break;
    case WM_LBUTTONUP:
        OnRelease(PointFromLParam(lParam));
        break;
    default:
        break;
    }
    return CButtonST::WindowProc(message, wParam, lParam);
}

void CColorButton::DrawItem(DRAWITEMSTRUCT* item)
{
    // A flat swatch with its own rings, whatever the interface style; the
    // hover colour follows the swatch so the colour shows true under the mouse.
    CFaceStyleSwap flat(kStyleFlat);
    CRingTableSwap rings(kColorButtonRingTable);
    SetHoverColor(GetFaceColor(), false);
    CButtonST::DrawItem(item);
}
