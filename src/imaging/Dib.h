// CDib: the pixel buffer of the whole system.
//
// A 32-bit ARGB buffer with rows running top-down and a stride of the width
// rounded up to four pixels. On Windows the pixels are a DIB section, so GDI
// can draw into and out of the same memory the renderer writes; elsewhere they
// are a plain aligned allocation and there is no device context.
#pragma once

#include <cstdint>

#include "imaging/Argb.h"
#include "imaging/DibInfo.h"
#include "imaging/PixelRect.h"

#ifdef _WIN32
struct HDC__;
typedef HDC__* HDC;
#endif

// Exchanges the red and blue bytes of a Windows colour value (0x00BBGGRR
// becomes 0x00RRGGBB). The alpha byte stays 0: callers OR in 0xFF000000 for
// an opaque colour.
inline ARGB ColorRefToArgb(uint32_t colorRef)
{
    return (colorRef & 0x0000FF) << 16 | (colorRef & 0x00FF00) | (colorRef & 0xFF0000) >> 16;
}

// Kernel codes of CDib::Stretch and CDib::StretchRect.
enum StretchKernel : int32_t {
    kStretchNone = 0,
    kStretchBox = 1,
    kStretchGaussian = 2,
    kStretchBilinear = 3,
    kStretchBicubic = 4,
    kStretchLanczos3 = 5,
};

// The destination rectangle that stands for the whole destination buffer.
constexpr PixelRect kStretchWholeDest{-1, -1, -1, -1};

class CDib {
public:
    static const int32_t kClipNotSet = -9999;

    CDib();
    ~CDib();
    CDib(const CDib&) = delete;
    CDib& operator=(const CDib&) = delete;

    // Same size as now: clears the pixels and keeps the allocation and clip
    // rectangle. Otherwise allocates anew, resets the clip rectangle to the
    // whole buffer and clears. False (and an empty buffer) when the memory
    // cannot be had, e.g. for a zero or huge size.
    bool Create(int width, int height);
    void Destroy();

    bool IsEmpty() const { return m_pInfo == nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    int GetStride() const { return m_nStride; }
    ARGB* GetPixels() { return m_pPixels; }
    const ARGB* GetPixels() const { return m_pPixels; }
    ARGB* Row(int y) { return m_pPixels + static_cast<intptr_t>(y) * m_nStride; }
    const ARGB* Row(int y) const { return m_pPixels + static_cast<intptr_t>(y) * m_nStride; }
    const DibInfo* GetInfo() const { return m_pInfo; }

    // Whole-buffer operations: they cover the row tails between width and
    // stride as well.
    void Fill(ARGB value);
    void CopyTo(CDib& dest) const;
    void BlendFrom(const CDib& src, int opacity);

    // Places src with its top-left corner at (x, y), clipped to this buffer
    // (not to the clip rectangle).
    void BlendAt(const CDib& src, int x, int y, int opacity);

    // Fill and BlendAt limited to this buffer's rows firstRow ... endRow - 1,
    // so that bands of rows can be composed side by side.
    void FillRows(ARGB value, int firstRow, int endRow);
    void BlendAtRows(const CDib& src, int x, int y, int opacity, int firstRow, int endRow);

    // Per-pixel access honours the clip rectangle; outside it writes are
    // dropped and PixelAt hands out the scratch pixel.
    void SetPixel(int x, int y, ARGB value);
    void BlendPixel(int x, int y, ARGB value);
    ARGB& PixelAt(int x, int y);

    // Integer-factor box reduction of the blue byte into opaque grey, used to
    // anti-alias text drawn at a multiple of its size. `limit` narrows the
    // destination region further.
    void ShrinkToGrey(CDib& dest, const PixelRect* limit = nullptr) const;

    // Resamples rcSrc of this buffer into rcDest of dest with a separable
    // kernel chosen by nFilter (StretchKernel; unlisted codes are the tent)
    // and dWidth (0.5: the kernel's default; negative: the Gaussian of that
    // width). Width 0 or code kStretchNone is a plain stretch copy instead.
    // bAlphaOnly filters the alpha byte alone. An empty dest is first
    // created at this buffer's full size; rcDest of all -1 means the whole
    // of dest. A rectangle that is inverted or reaches outside its buffer
    // makes the call do nothing.
    void StretchRect(CDib& dest, const PixelRect& rcSrc, double dWidth, PixelRect rcDest, int32_t bAlphaOnly,
                     int32_t nFilter) const;
    // StretchRect from the whole of this buffer.
    void Stretch(CDib& dest, double dWidth, const PixelRect& rcDest, int32_t bAlphaOnly, int32_t nFilter) const;

#ifdef _WIN32
    // A memory device context with this buffer's bitmap selected into it;
    // pair every GetDC with one ReleaseDC before re-creating the buffer.
    HDC GetDC();
    void ReleaseDC();
    void* GetBitmapHandle() const { return m_store.handle; }
#endif

    ARGB m_dwScratch;
    PixelRect m_rcClip;

private:
    // A pixel lies in the clip rectangle and inside the buffer. Owners may
    // set any clip rectangle, so the buffer bounds are checked as well: a
    // clip rectangle larger than the buffer must never write past it.
    bool InClip(int x, int y) const
    {
        return m_rcClip.Contains(x, y) && x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight;
    }
    size_t PixelCount() const { return static_cast<size_t>(m_nStride) * static_cast<size_t>(m_nHeight); }

    DibPixelStore m_store;
    void* m_hDC;
    void* m_hOldBitmap;
    ARGB* m_pPixels;
    DibInfo* m_pInfo;
    int32_t m_nWidth;
    int32_t m_nHeight;
    int32_t m_nStride;
};

// StretchRect of a rectangle onto itself at its own size, on rows of
// pixels anywhere in memory: the same kernel choice and the same bits, with
// no intermediate image. A width of 0 or kStretchNone leaves the pixels as
// they are, as the plain copy would.
void FilterInPlace(ARGB* const* rows, int width, int height, double dWidth, int32_t bAlphaOnly, int32_t nFilter);

// Scales a source pixel's alpha by an opacity of 0-255 as the buffer blends
// do: a visible pixel under a non-zero opacity keeps at least alpha 1.
inline ARGB ScaleAlpha(ARGB s, uint32_t opacity)
{
    const uint32_t sa = s >> 24;
    uint32_t a = sa * opacity / 255;
    if (a == 0 && opacity != 0 && sa != 0)
        a = 1;
    return a << 24 | (s & 0x00FFFFFF);
}
