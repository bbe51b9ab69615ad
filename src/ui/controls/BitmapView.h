// CBitmapView: a static control that shows one bitmap stretched over its
// client area, loaded from a picture resource of the module or handed over
// by its owner. The About picture builds its animation on top of it.
//
// Whatever the picture's format, the view keeps a DIB section of its own:
// the system's picture loader hands out device-dependent bitmaps, which
// could not be drawn through their colour table on a palette display, and
// keeping our own copy lets the loader's picture object go at once.
#pragma once

#include <cstddef>

#include "ui/framework/Controls.h"

class CBitmapView : public CStatic {
public:
    CBitmapView();
    ~CBitmapView() override;

    // Decodes the module's resource `id` of type `type` and repaints. A
    // resource that is missing or does not decode leaves the view without a
    // bitmap (LoadPicture reports the second).
    bool LoadFromResource(int id, const char* type);
    // Decodes a picture in any format the system's picture loader reads
    // (BMP, JPEG, GIF, ICO, WMF, EMF). One that does not decode is reported
    // in a message box, "Image load error", and leaves no bitmap.
    bool LoadPicture(const void* bytes, size_t size);

    // Takes ownership of `bitmap`: it is deleted when replaced or when the
    // view goes.
    void SetBitmap(HBITMAP bitmap, int width, int height);
    // Shows `bitmap` without owning it; the caller keeps it alive for as
    // long as the view shows it. Only its top-left width x height is drawn.
    void ShowBitmap(HBITMAP bitmap, int width, int height);

    HBITMAP GetBitmap() const { return m_hBitmap; }
    int GetBitmapWidth() const { return m_nWidth; }
    int GetBitmapHeight() const { return m_nHeight; }

    COLORREF GetBackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF color) { m_crBackground = color; }

    // Draws the held bitmap stretched onto the rectangle; 0 (and nothing
    // drawn) without a bitmap or when it is not a DIB section.
    BOOL DrawBitmap(HDC dc, int left, int top, int right, int bottom) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The whole client area, through a memory context; CAboutDib replaces it.
    virtual void Paint(HDC dc);

private:
    void Hold(HBITMAP bitmap, int width, int height, bool owned);
    void ReleaseBitmap();

    HBITMAP m_hBitmap;
    bool m_bOwned;
    int m_nWidth;
    int m_nHeight;
    COLORREF m_crBackground;
};

// Stretches the top-left width x height of `bitmap` (a DIB section) onto
// the rectangle with COLORONCOLOR and SRCCOPY; a size of 0 means the whole
// bitmap. (A CDib's section is as wide as its stride, so its own width is
// passed.) On a palette device the blit is bracketed by a palette made from
// the bitmap's colour table (256 colours or fewer) or a halftone palette.
// False, drawing nothing, when `bitmap` is not a DIB section.
bool DrawDibSection(HDC dc, HBITMAP bitmap, const RECT& target, int width = 0, int height = 0);

// The logical palette of a DIB section of at most 256 colours, from its
// colour table; null for one with more colours (or no table).
HPALETTE CreateBitmapPalette(HBITMAP bitmap);
