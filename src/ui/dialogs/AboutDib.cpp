#include "ui/dialogs/AboutDib.h"

#include <algorithm>
#include <cstring>

#include "resources/DialogResources.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/ShiftColor.h"

namespace {

// The credits are drawn at four times the picture's resolution with an
// 18-pixel line font, 18 pixels in from the left (at 96 DPI; the sizes
// grow with the display's density, as the box does).
const int kSupersample = 4;
const LONG kFontHeight = 72;
const int kTextLeft = 72;
// The grey the text is laid on the picture in, and the strip at the left
// edge it never covers.
const ARGB kTextGrey = 0x001E1E1E;
const int kTextMargin = 10;
// How far a glyph may reach outside its line's box, in mask pixels; less
// than half the gap between two lines.
const int kTextSlack = 8;
// The resampler's code for "the kernel's own width".
const double kKernelDefaultWidth = 0.5;

// GDI leaves the alpha byte of what it draws at 0.
void MakeOpaque(CDib& dib)
{
    for (int y = 0; y < dib.GetHeight(); ++y) {
        ARGB* row = dib.Row(y);
        for (int x = 0; x < dib.GetWidth(); ++x)
            row[x] |= 0xFF000000u;
    }
}

}  // namespace

CAboutDib::CAboutDib()
    : m_hFont(nullptr), m_pCredits(nullptr), m_bPicture(false), m_hMaskDC(nullptr), m_hOldFont(nullptr)
{
}

CAboutDib::~CAboutDib() { CloseMask(); }

void CAboutDib::Init(const char* const* credits)
{
    m_pCredits = credits;
    // On a dense display the box is larger than the picture: the drawing at
    // twice the size is brought down to it, which stays sharp, rather than
    // the small one blown up.
    const int logo = GetDpiScale().Dpi() > kBaseDpi ? IDR_VEYDRA_LOGO_DOUBLE : IDR_VEYDRA_LOGO;
    m_bPicture = (LoadFromResource(logo, "LOGO") || LoadFromResource(IDR_VEYDRA_LOGO, "LOGO")) && MakeSourcePicture();
    if (!m_bPicture)
        return;  // only the frame is left to show
    const int width = m_dibSource.GetWidth();
    const int height = m_dibSource.GetHeight();
    m_motion.Reset(height);
    const CDpiScale scale = GetDpiScale();
    m_nFontHeight = scale.Px(kFontHeight);
    m_nTextLeft = scale.Px(kTextLeft);
    m_nTextMargin = scale.Px(kTextMargin);
    m_nTextSlack = scale.Px(kTextSlack);
    m_motion.SetLineScale(scale.Px(kCreditsLinePitch), scale.Line());

    LOGFONTA font{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfHeight = m_nFontHeight;
    m_hFont = ::CreateFontIndirectA(&font);

    m_dibSource.CopyTo(m_dibPristine);
    m_dibSource.CopyTo(m_dibWorking);
    if (m_dibMask.Create(CreditsWidth() * kSupersample, height * kSupersample) &&
        m_dibGrey.Create(CreditsWidth(), height))
        OpenMask();
    ShowBitmap(static_cast<HBITMAP>(m_dibWorking.GetBitmapHandle()), width, height);
    SetTimer(kTimer, kTimerMilliseconds);
}

// The mask keeps its context, font and mode for the life of the picture;
// the width of every line is measured once.
void CAboutDib::OpenMask()
{
    m_hMaskDC = m_dibMask.GetDC();
    m_hOldFont = ::SelectObject(m_hMaskDC, m_hFont);
    ::SetBkMode(m_hMaskDC, TRANSPARENT);
    m_lineWidths.clear();
    for (int i = 0; m_pCredits != nullptr && m_pCredits[i] != nullptr; ++i) {
        RECT extent{0, 0, 0, 0};
        ::DrawTextA(m_hMaskDC, m_pCredits[i], -1, &extent, DT_CALCRECT | DT_NOCLIP);
        m_lineWidths.push_back(extent.right - extent.left);
    }
}

void CAboutDib::CloseMask()
{
    if (m_hMaskDC != nullptr) {
        ::SelectObject(m_hMaskDC, m_hOldFont);
        m_dibMask.ReleaseDC();
        m_hMaskDC = nullptr;
    }
    if (m_hFont != nullptr) {
        ::DeleteObject(m_hFont);
        m_hFont = nullptr;
    }
}

// The logo, opaque, at the client size less the frame. The dialog's size
// follows its font, so the picture is rarely exactly the logo's size: it is
// resampled with the bicubic kernel rather than stretched by dropping and
// doubling pixels, which would leave jagged edges.
bool CAboutDib::MakeSourcePicture()
{
    const RECT client = GetClientRect();
    const int width = client.right - 2;
    const int height = client.bottom - 2;
    CDib logo;
    if (!logo.Create(GetBitmapWidth(), GetBitmapHeight()) || !m_dibSource.Create(width, height))
        return false;
    HDC dc = logo.GetDC();
    const BOOL drawn = DrawBitmap(dc, 0, 0, logo.GetWidth(), logo.GetHeight());
    ::GdiFlush();
    logo.ReleaseDC();
    if (!drawn)
        return false;
    MakeOpaque(logo);
    if (logo.GetWidth() == width && logo.GetHeight() == height)
        logo.CopyTo(m_dibSource);
    else
        logo.Stretch(m_dibSource, kKernelDefaultWidth, kStretchWholeDest, 0, kStretchBicubic);
    MakeOpaque(m_dibSource);
    return true;
}

void CAboutDib::Paint(HDC dc)
{
    const RECT client = GetClientRect();
    const COLORREF background = GetBackgroundColor();
    FillSolidRect(dc, client, background);
    Draw3dRect(dc, client, ShiftColor(background, -48), ShiftColor(background, 48));
    if (!m_bPicture || m_dibWorking.IsEmpty())
        return;
    m_dibPristine.CopyTo(m_dibWorking);
    DrawCredits();
    DrawBitmap(dc, client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);
}

// Draws the visible lines into the mask, light on black: the blue byte
// carries each line's fade. Notes where each line went; returns the number
// of lines.
int CAboutDib::DrawMask()
{
    const int32_t bottom = m_motion.m_nBottom;
    const PixelRect maskArea{0, 0, m_dibMask.GetWidth(), m_dibMask.GetHeight()};
    m_textRects.clear();
    int lineCount = 0;
    for (; m_pCredits != nullptr && m_pCredits[lineCount] != nullptr; ++lineCount) {
        const int32_t y = m_motion.m_nScrollPos + m_motion.LinePitch() * lineCount;
        if (y <= 0 || y >= bottom || m_pCredits[lineCount][0] == '\0')
            continue;
        const int32_t fade = CreditsFade(y, bottom);
        ::SetTextColor(m_hMaskDC, RGB(0, 0, fade * 255 / 256));
        RECT area{m_nTextLeft, y, m_dibMask.GetWidth(), m_dibMask.GetHeight()};
        // Prefix processing on: "&&" shows as one "&".
        ::DrawTextA(m_hMaskDC, m_pCredits[lineCount], -1, &area, DT_NOCLIP);
        const PixelRect drawn{m_nTextLeft - m_nTextSlack, y - m_nTextSlack,
                              m_nTextLeft + m_lineWidths[static_cast<size_t>(lineCount)] + m_nTextSlack,
                              y + m_nFontHeight + m_nTextSlack};
        m_textRects.push_back(drawn.Intersect(maskArea));
    }
    ::GdiFlush();
    return lineCount;
}

// Only the places where lines were drawn are cleared, reduced and laid on
// the picture: the rest of the mask stays black, and the work follows the
// amount of text rather than the size of the picture.
void CAboutDib::DrawCredits()
{
    if (m_hMaskDC == nullptr || m_dibGrey.IsEmpty())
        return;
    for (const PixelRect& r : m_textRects)
        for (int y = r.top; y < r.bottom; ++y)
            std::memset(m_dibMask.Row(y) + r.left, 0, static_cast<size_t>(r.right - r.left) * sizeof(ARGB));
    m_motion.WrapAround(DrawMask());
    for (const PixelRect& r : m_textRects) {
        const PixelRect area{r.left / kSupersample, r.top / kSupersample,
                             (r.right + kSupersample - 1) / kSupersample, (r.bottom + kSupersample - 1) / kSupersample};
        m_dibMask.ShrinkToGrey(m_dibGrey, &area);
        const int right = std::min(area.right, m_dibGrey.GetWidth());
        const int bottom = std::min(area.bottom, m_dibGrey.GetHeight());
        for (int y = area.top; y < bottom; ++y) {
            const ARGB* grey = m_dibGrey.Row(y);
            for (int x = std::max(area.left, m_nTextMargin); x < right; ++x) {
                const uint32_t v = grey[x] & 0xFF;
                if (v != 0)
                    m_dibWorking.BlendPixel(x, y, v << 24 | kTextGrey);
            }
        }
    }
}

void CAboutDib::OnTimer()
{
    m_motion.Tick();
    Invalidate(false);
}

LRESULT CAboutDib::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer) {
            OnTimer();
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        m_motion.BeginDrag(PointFromLParam(lParam).y);
        ::SetCapture(m_hWnd);
        break;
    case WM_MOUSEMOVE:
        if (m_motion.DragTo(PointFromLParam(lParam).y))
            ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        break;
    case WM_LBUTTONUP:
        m_motion.EndDrag();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        break;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_motion.EndDrag();
        break;
    case WM_SIZE:
        // A move to a display of another density resizes the box: the
        // picture and the credits are made again at the new size (and
        // start again from the bottom).
        if (m_bPicture && (m_dibSource.GetWidth() != LOWORD(lParam) - 2 ||
                           m_dibSource.GetHeight() != HIWORD(lParam) - 2)) {
            CloseMask();
            Init(m_pCredits);
        }
        break;
    case WM_DESTROY:
        KillTimer(kTimer);
        CloseMask();
        break;
    default:
        break;
    }
    return CBitmapView::WindowProc(message, wParam, lParam);
}
