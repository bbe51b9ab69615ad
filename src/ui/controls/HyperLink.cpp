#include "ui/controls/HyperLink.h"

#include "ui/controls/LinkLaunch.h"
#include "ui/controls/LinkText.h"
#include "ui/framework/Gdi.h"

namespace {

// Shared by every link; the system's shared cursor is never destroyed.
HCURSOR g_hHandCursor = nullptr;

const char kMessageCaption[] = "Veydra";

}  // namespace

CHyperLink::CHyperLink()
    : m_bActive(false),
      m_bOver(false),
      m_bVisited(false),
      m_nLinkStyle(LinkUnderlined | LinkAutoSize | LinkFocusOnClick),
      m_hFont(nullptr),
      m_hTooltip(nullptr)
{
}

CHyperLink::~CHyperLink()
{
    if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
        ::DestroyWindow(m_hTooltip);
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}

void CHyperLink::PreSubclassWindow()
{
    if (GetText().empty())
        SetText(m_strAddress);
    BuildFont();
    MatchTransparency();
    if ((m_nLinkStyle & LinkAutoSize) != 0)
        FitToText();
    if ((m_nLinkStyle & LinkNoHandCursor) == 0 && g_hHandCursor == nullptr)
        g_hHandCursor = ::LoadCursorA(nullptr, IDC_HAND);
    m_hTooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    if (m_hTooltip != nullptr) {
        TTTOOLINFOA tool = ToolInfo();
        ::SendMessageA(m_hTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CHyperLink::BuildFont()
{
    HFONT base = GetFont();
    LOGFONTA logFont{};
    if (base == nullptr || ::GetObjectA(base, sizeof logFont, &logFont) == 0)
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfUnderline = (m_nLinkStyle & LinkUnderlined) != 0 ? TRUE : FALSE;
    HFONT font = ::CreateFontIndirectA(&logFont);
    if (font == nullptr)
        return;
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    m_hFont = font;
}

void CHyperLink::FitToText()
{
    const std::string text = GetText();
    HDC dc = ::GetDC(m_hWnd);
    SIZE size{0, 0};
    {
        CSelectObject font(dc, GetFont());
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ::ReleaseDC(m_hWnd, dc);

    RECT window = GetWindowRect();
    ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&window), 2);
    const RECT client = GetClientRect();
    const int width = size.cx + (window.right - window.left) - client.right;
    const int height = size.cy + (window.bottom - window.top) - client.bottom;
    const LONG_PTR style = GetStyle();
    const LONG_PTR type = style & SS_TYPEMASK;
    int left = window.left;
    if (type == SS_CENTER)
        left = (window.left + window.right) / 2 - width / 2;
    else if (type == SS_RIGHT)
        left = window.right - width;
    int top = window.top;
    if ((style & SS_CENTERIMAGE) != 0)
        top = (window.top + window.bottom) / 2 - height / 2;
    ::SetWindowPos(m_hWnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateTooltip();
}

TTTOOLINFOA CHyperLink::ToolInfo()
{
    // The whole client area is one tool whose tip is the address (the
    // tooltip copies the text).
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = m_hWnd;
    tool.uId = 1;
    tool.rect = GetClientRect();
    tool.lpszText = const_cast<char*>(m_strAddress.c_str());
    return tool;
}

void CHyperLink::UpdateTooltip()
{
    if (m_hTooltip == nullptr)
        return;
    TTTOOLINFOA tool = ToolInfo();
    ::SendMessageA(m_hTooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(m_hTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetAddress(const std::string& address)
{
    m_strAddress = address;
    if (m_hWnd == nullptr || address.empty())
        return;
    const bool visible = ::IsWindowVisible(m_hWnd) != FALSE;
    if (visible)
        ::ShowWindow(m_hWnd, SW_HIDE);
    FitToText();
    if (visible)
        ::ShowWindow(m_hWnd, SW_SHOW);
}

bool CHyperLink::ChangeLinkStyle(uint32_t remove, uint32_t add, bool apply)
{
    if ((remove & add) != 0)
        return false;
    m_nLinkStyle = (m_nLinkStyle & ~remove) | add;
    if (apply && m_hWnd != nullptr) {
        MatchTransparency();
        if (((remove | add) & LinkUnderlined) != 0)
            BuildFont();
        if ((add & LinkAutoSize) != 0)
            FitToText();
        if ((remove & LinkHoverColour) != 0)
            Redraw();
    }
    return true;
}

COLORREF CHyperLink::GetCurrentTextColour() const
{
    if (m_bOver && (m_nLinkStyle & LinkHoverColour) != 0)
        return kHoverColour;
    if (m_bActive && (m_nLinkStyle & LinkNoActiveColour) == 0)
        return kActiveColour;
    if (m_bVisited)
        return kVisitedColour;
    return kLinkColour;
}

void CHyperLink::Redraw()
{
    if (m_hWnd == nullptr)
        return;
    if ((m_nLinkStyle & LinkTransparent) != 0) {
        // A see-through link repaints the parent's background under it, or
        // the new text would be drawn over the old.
        RECT rect = GetWindowRect();
        ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&rect), 2);
        ::InvalidateRect(GetParent(), &rect, TRUE);
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::MatchTransparency()
{
    // A see-through link must be painted over by its parent first; without
    // WS_EX_TRANSPARENT a clipping parent leaves its area unpainted.
    const LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    if ((m_nLinkStyle & LinkTransparent) != 0 && (exStyle & WS_EX_TRANSPARENT) == 0)
        ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
}

void CHyperLink::ReleaseHover()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bOver = false;
}

void CHyperLink::OpenAddress()
{
    if (m_strAddress.empty()) {
        ::PostMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), 0);
        return;
    }
    // A message box cannot be clicked while the link holds the mouse.
    ReleaseHover();
    const intptr_t result = LaunchLink(m_strAddress, SW_SHOW);
    if (result > 32) {
        m_bVisited = true;
        Redraw();
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    ::MessageBoxA(GetParent(), LinkErrorMessage(static_cast<int>(result)).c_str(), kMessageCaption,
                  MB_OK | MB_ICONEXCLAMATION);
}

bool CHyperLink::PreTranslateMessage(MSG* msg)
{
    if (m_hTooltip != nullptr && !m_strAddress.empty() && msg->message >= WM_MOUSEFIRST &&
        msg->message <= WM_MOUSELAST)
        ::SendMessageA(m_hTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
    return false;
}

bool CHyperLink::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (message != WM_CTLCOLORSTATIC)
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    if ((m_nLinkStyle & LinkPlain) == 0) {
        ::SetTextColor(dc, GetCurrentTextColour());
        ::SetBkMode(dc, TRANSPARENT);
    }
    *result = reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH));
    return true;
}

void CHyperLink::OnMouseMove(POINT point)
{
    if (!m_bOver) {
        m_bOver = true;
        Redraw();
        ::SetCapture(m_hWnd);
    } else if (!RectContains(GetClientRect(), point)) {
        ReleaseHover();
        Redraw();
    }
}

LRESULT CHyperLink::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        if (g_hHandCursor != nullptr && m_nLinkStyle != LinkPlain) {
            ::SetCursor(g_hHandCursor);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        if ((m_nLinkStyle & LinkTransparent) != 0)
            return TRUE;
        if ((m_nLinkStyle & LinkPlain) != 0)
            break;
        FillSolidRect(reinterpret_cast<HDC>(wParam), GetClientRect(), ::GetSysColor(COLOR_BTNFACE));
        return TRUE;
    case WM_MOUSEMOVE:
        OnMouseMove(PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        if ((m_nLinkStyle & LinkFocusOnClick) != 0)
            ::SetFocus(m_hWnd);
        if ((m_nLinkStyle & LinkOpenOnPress) != 0)
            OpenAddress();
        m_bActive = true;
        return 0;
    case WM_LBUTTONUP:
        if (m_bActive && (m_nLinkStyle & LinkOpenOnPress) == 0)
            OpenAddress();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            OpenAddress();
            return 0;
        }
        break;
    case WM_SETFOCUS:
        m_bActive = true;
        Redraw();
        return 0;
    case WM_KILLFOCUS:
        m_bActive = false;
        ReleaseHover();
        Redraw();
        return 0;
    case WM_DESTROY:
        if (m_hTooltip != nullptr && ::IsWindow(m_hTooltip))
            ::DestroyWindow(m_hTooltip);
        m_hTooltip = nullptr;
        break;
    default:
        break;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}
