// Small GDI helpers shared by the skinned frame and controls: solid fills
// and bevel frames drawn without creating brushes, and scoped selections
// and device contexts that always give back what they took.
#pragma once

#include <windows.h>

#include <functional>

// Fills `rect` with `color` (the background colour of the context is kept).
void FillSolidRect(HDC dc, const RECT& rect, COLORREF color);
void FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF color);

// A one-pixel bevel on the edge of `rect`: the top and left edges in
// `topLeft`, the right and bottom edges (with the top-right and bottom-left
// corners) in `bottomRight`.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight);
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
// The same bevel `width` device pixels wide, inside `rect`.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight, int width);

// Controls that paint themselves answer WM_PAINT (between BeginPaint and
// EndPaint) and WM_PRINTCLIENT (into the given context, which is how tests
// and captures ask for a picture) with the same `paint`. True when
// `message` was one of the two.
bool HandlePaintMessage(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint);

// Selects an object for the lifetime of the scope.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hOld(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
    ~CSelectObject()
    {
        if (m_hOld != nullptr)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// An off-screen copy of `area` of a device context: drawing goes to memory
// at the same coordinates and is copied back in one piece when the scope
// ends, so repaints do not flicker. With `copyFirst` it starts as a copy of
// what the context shows (for faces that leave parts untouched).
class CMemDC {
public:
    CMemDC(HDC target, const RECT& area, bool copyFirst);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // The context to draw into; the target itself if memory could not be had.
    HDC Get() const { return m_hMem != nullptr ? m_hMem : m_hTarget; }

private:
    HDC m_hTarget;
    HDC m_hMem;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    RECT m_rcArea;
};
