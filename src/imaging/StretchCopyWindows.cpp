// The no-filter stretch copy on Windows: GDI's StretchBlt between two memory
// device contexts, in the contexts' default stretch mode.
#include <windows.h>

#include "imaging/Dib.h"
#include "imaging/StretchCopy.h"

namespace {

// A memory device context with one buffer's bitmap selected into it. A
// bitmap can be selected into one context at a time, so a buffer that has
// its own context open (CDib::GetDC) cannot be selected here: Ok() is then
// false and nothing is drawn, rather than drawing the context's default
// one-pixel bitmap.
class SelectedBitmap {
public:
    explicit SelectedBitmap(const CDib& dib) : m_dc(CreateCompatibleDC(nullptr)), m_old(nullptr)
    {
        if (m_dc)
            m_old = SelectObject(m_dc, static_cast<HBITMAP>(dib.GetBitmapHandle()));
    }
    ~SelectedBitmap()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_dc)
            DeleteDC(m_dc);
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;

    bool Ok() const { return m_old != nullptr; }
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace

void StretchCopy(const CDib& src, const PixelRect& rcSrc, CDib& dest, const PixelRect& rcDest)
{
    if (src.IsEmpty() || dest.IsEmpty())
        return;
    SelectedBitmap from(src);
    if (!from.Ok())
        return;
    const int dw = rcDest.right - rcDest.left;
    const int dh = rcDest.bottom - rcDest.top;
    const int sw = rcSrc.right - rcSrc.left;
    const int sh = rcSrc.bottom - rcSrc.top;
    if (&src == &dest) {
        StretchBlt(from.Dc(), rcDest.left, rcDest.top, dw, dh, from.Dc(), rcSrc.left, rcSrc.top, sw, sh, SRCCOPY);
    } else {
        SelectedBitmap to(dest);
        if (!to.Ok())
            return;
        StretchBlt(to.Dc(), rcDest.left, rcDest.top, dw, dh, from.Dc(), rcSrc.left, rcSrc.top, sw, sh, SRCCOPY);
    }
    // GDI may batch the blit; the pixels are read straight from memory next.
    GdiFlush();
}
