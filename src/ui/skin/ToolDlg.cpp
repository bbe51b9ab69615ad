#include "ui/skin/ToolDlg.h"

#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "ui/framework/Gdi.h"
#include "ui/skin/FrameZones.h"
#include "ui/skin/Skin.h"
#include "win/ThisModule.h"

CToolDlg::CToolDlg(int templateId, CWnd* parent)
    : CResizableDialog(templateId, parent),
      m_bSkipNextSize(false),
      m_bMinimized(false),
      m_nSavedHeight(0),
      m_bResizable(false),
      m_hCursors{nullptr, nullptr, nullptr, nullptr, nullptr},
      m_hAccel(nullptr)
{
}

CToolDlg::~CToolDlg()
{
    if (m_hAccel != nullptr)
        ::DestroyAcceleratorTable(m_hAccel);
}

BOOL CToolDlg::OnInitDialog()
{
    if (m_hAccel == nullptr)
        m_hAccel = ::LoadAcceleratorsA(ThisModule(), MAKEINTRESOURCEA(IDR_VEYDRA_FRAME_KEYS));
    CResizableDialog::OnInitDialog();
    ShowSizeGrip(false);
    // In FrameCursor order; system cursors are shared and never destroyed.
    const LPCSTR cursors[5] = {IDC_ARROW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS};
    for (int i = 0; i < 5; ++i)
        m_hCursors[i] = ::LoadCursorA(nullptr, cursors[i]);
    if (m_bResizable)
        AddAnchor(IDC_FRAME_CAPTION, kAnchorTopLeft, kAnchorTopRight);
    return TRUE;
}

RECT CToolDlg::GetCaptionRect() const { return GetChildRect(IDC_FRAME_CAPTION); }

bool CToolDlg::IsMainDialog() const
{
    const CSkinState* skin = CurrentSkin();
    return skin != nullptr && skin->GetMainWindow() == this;
}

bool CToolDlg::PreTranslateMessage(MSG* msg)
{
    const CSkinState* skin = CurrentSkin();
    const CWnd* main = skin != nullptr ? skin->GetMainWindow() : nullptr;
    if (main != nullptr && main->m_hWnd != nullptr && m_hAccel != nullptr &&
        ::TranslateAcceleratorA(main->m_hWnd, m_hAccel, msg))
        return true;
    return CResizableDialog::PreTranslateMessage(msg);
}

void CToolDlg::SetMinimized(bool minimize)
{
    AppSettings().SetInt("", SettingNames::kAutoHide, 0);
    if (minimize == m_bMinimized)
        return;
    m_bSkipNextSize = true;
    const RECT window = GetWindowRect();
    const RECT client = GetClientRect();
    // Frames have no border, but keep any non-client band the window has.
    const int nonClientHeight = (window.bottom - window.top) - client.bottom;
    int clientHeight;
    if (minimize) {
        m_bMinimized = true;
        m_nSavedHeight = client.bottom;
        const RECT caption = GetCaptionRect();
        // One pixel less below the caption than above it.
        clientHeight = caption.top + caption.bottom - 1;
    } else {
        m_bMinimized = false;
        clientHeight = m_nSavedHeight;
    }
    ::MoveWindow(m_hWnd, window.left, window.top, window.right - window.left, clientHeight + nonClientHeight, TRUE);
    if (!m_bMinimized)
        ::SetFocus(m_hWnd);
    AppSettings().SetInt("", SettingNames::kMinimize, m_bMinimized ? 1 : 0);
}

void CToolDlg::OnLButtonDown(POINT point)
{
    const RECT client = GetClientRect();
    int hit = kHitNone;
    if (RectContains(GetCaptionRect(), point))
        hit = kHitCaption;
    else if (m_bResizable && !m_bMinimized)
        hit = FrameResizeHit(point.x, point.y, client.right, client.bottom, GetDpiScale());
    if (hit == kHitNone)
        return;
    // The system's move and size loops take the press point on the screen.
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::PostMessageA(m_hWnd, WM_NCLBUTTONDOWN, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y));
}

bool CToolDlg::OnLButtonDblClk(POINT point)
{
    // Only the secondary dialogs (those with close button 1005) roll up.
    if (GetDlgItem(IDC_FRAME_ROLLUP_CLOSE) == nullptr || !RectContains(GetCaptionRect(), point) || IsMainDialog())
        return false;
    SetMinimized(!m_bMinimized);
    return true;
}

void CToolDlg::UpdateCursor()
{
    FrameCursor cursor = kCursorArrow;
    if (m_bResizable) {
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(m_hWnd, &point);
        const RECT client = GetClientRect();
        cursor = FrameCursorAt(point.x, point.y, client.right, client.bottom, m_bMinimized, GetDpiScale());
    }
    if (m_hCursors[cursor] != nullptr)
        ::SetCursor(m_hCursors[cursor]);
}

LRESULT CToolDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        HandlePaintMessage(m_hWnd, message, wParam, [this](HDC dc) {
            CMemDC memory(dc, GetClientRect(), false);
            PaintFrame(memory.Get());
        });
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointFromLParam(lParam));
        return Default(message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        if (OnLButtonDblClk(PointFromLParam(lParam)))
            return 0;
        return Default(message, wParam, lParam);
    case WM_SETCURSOR:
        // Children keep their own cursors (an edit's I-beam, a link's hand).
        if (reinterpret_cast<HWND>(wParam) != m_hWnd)
            break;
        UpdateCursor();
        return TRUE;
    case WM_MOUSEMOVE:
        UpdateCursor();
        return Default(message, wParam, lParam);
    case WM_SIZE:
        if (m_bSkipNextSize) {
            m_bSkipNextSize = false;
            const LRESULT result = Default(message, wParam, lParam);
            Invalidate();
            return result;
        }
        break;
    case WM_ACTIVATE: {
        const LRESULT result = Default(message, wParam, lParam);
        const RECT caption = GetCaptionRect();
        ::InvalidateRect(m_hWnd, &caption, FALSE);
        return result;
    }
    default:
        break;
    }
    return CResizableDialog::WindowProc(message, wParam, lParam);
}
