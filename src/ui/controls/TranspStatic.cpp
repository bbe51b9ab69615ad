#include "ui/controls/TranspStatic.h"

#include "ui/framework/Gdi.h"
#include "ui/skin/ReadableText.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"

CTranspStatic::CTranspStatic() : m_hIcon(nullptr) {}

void CTranspStatic::SetIcon(HICON icon)
{
    m_hIcon = icon;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CTranspStatic::Paint(HDC dc)
{
    const std::string text = GetText();
    if (text.empty()) {
        if (m_hIcon != nullptr)
            ::DrawIconEx(dc, 0, 0, m_hIcon, 0, 0, 0, nullptr, DI_NORMAL);
        return;
    }
    const LONG_PTR type = GetStyle() & SS_TYPEMASK;
    const UINT align = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    const COLORREF paper = SkinWindowColor();
    CSelectObject font(dc, GetFont());
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT client = GetClientRect();
    RECT light = client;
    // The engraving's light copy sits one line width down and right.
    const int offset = GetDpiScale().Line();
    ::OffsetRect(&light, offset, offset);
    ::SetTextColor(dc, ShiftColor(paper, 64));
    ::DrawTextA(dc, text.c_str(), -1, &light, align | DT_WORDBREAK | DT_VCENTER);
    // The skin's dark text (paper - 128), unless that does not read on this
    // paper (a dark window colour): then the nearest shift that does.
    ::SetTextColor(dc, ReadableTextColor(paper, -128));
    ::DrawTextA(dc, text.c_str(), -1, &client, align | DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER);
    ::SetBkMode(dc, oldMode);
}

LRESULT CTranspStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return TRUE;
    // As an icon static answers: lets tools that read dialogs see the icon.
    if (message == STM_GETICON)
        return reinterpret_cast<LRESULT>(m_hIcon);
    if (HandlePaintMessage(m_hWnd, message, wParam, [this](HDC dc) { Paint(dc); }))
        return 0;
    return CStatic::WindowProc(message, wParam, lParam);
}
