#include "ui/controls/ColorButton.h"

#include "resources/ControlResources.h"
#include "ui/framework/ScaledArt.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinStyle.h"

CColorButton::CColorButton()
    : m_hPipette(nullptr), m_nPipetteDpi(0), m_hArrow(::LoadCursorA(nullptr, IDC_ARROW)), m_crSaved(0)
{
}

HCURSOR CColorButton::Pipette()
{
    // Loaded at the density of the display the button is on when a pick
    // starts, and again after the dialog moved to one of another density.
    const CDpiScale scale = GetDpiScale();
    if (m_hPipette == nullptr || m_nPipetteDpi != scale.Dpi()) {
        if (m_hPipette != nullptr)
            ::DestroyCursor(m_hPipette);
        m_hPipette = LoadScaledCursor(IDC_VEYDRA_PIPETTE, kPipetteSize, scale);
        m_nPipetteDpi = scale.Dpi();
    }
    return m_hPipette;
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
        HCURSOR pipette = Pipette();
        ::SetCursor(pipette != nullptr ? pipette : m_hArrow);
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
