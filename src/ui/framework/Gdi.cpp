#include "ui/framework/Gdi.h"

void FillSolidRect(HDC dc, const RECT& rect, COLORREF color)
{
    const COLORREF old = ::SetBkColor(dc, color & 0x00FFFFFF);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF color)
{
    const RECT rect{x, y, x + width, y + height};
    FillSolidRect(dc, rect, color);
}

void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    if (width <= 0 || height <= 0)
        return;
    FillSolidRect(dc, x, y, width - 1, 1, topLeft);
    FillSolidRect(dc, x, y, 1, height - 1, topLeft);
    FillSolidRect(dc, x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(dc, x, y + height - 1, width, 1, bottomRight);
}

void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, topLeft, bottomRight);
}

void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width)
{
    // Nested one-pixel bevels: each band keeps the mitred corners of the
    // one-pixel frame.
    for (int i = 0; i < width; ++i)
        Draw3dRect(dc, rect.left + i, rect.top + i, rect.right - rect.left - 2 * i, rect.bottom - rect.top - 2 * i,
                   topLeft, bottomRight);
}

bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint)
{
    if (message == WM_PRINTCLIENT) {
        paint(reinterpret_cast<HDC>(wParam));
        return true;
    }
    if (message != WM_PAINT)
        return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(window, &ps);
    paint(dc);
    ::EndPaint(window, &ps);
    return true;
}

CMemDC::CMemDC(HDC target, const RECT& area, bool copyFirst)
    : m_hTarget(target), m_hMem(nullptr), m_hBitmap(nullptr), m_hOldBitmap(nullptr), m_rcArea(area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    m_hMem = ::CreateCompatibleDC(target);
    m_hBitmap = m_hMem != nullptr ? ::CreateCompatibleBitmap(target, width, height) : nullptr;
    if (m_hBitmap == nullptr) {
        if (m_hMem != nullptr)
            ::DeleteDC(m_hMem);
        m_hMem = nullptr;
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hMem, m_hBitmap);
    ::SetWindowOrgEx(m_hMem, area.left, area.top, nullptr);
    if (copyFirst)
        ::BitBlt(m_hMem, area.left, area.top, width, height, target, area.left, area.top, SRCCOPY);
}

CMemDC::~CMemDC()
{
    if (m_hMem == nullptr)
        return;
    ::BitBlt(m_hTarget, m_rcArea.left, m_rcArea.top, m_rcArea.right - m_rcArea.left, m_rcArea.bottom - m_rcArea.top,
             m_hMem, m_rcArea.left, m_rcArea.top, SRCCOPY);
    ::SelectObject(m_hMem, m_hOldBitmap);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hMem);
}
