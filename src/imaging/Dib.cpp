#include "imaging/Dib.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

CDib::CDib()
    : m_dwScratch(0),
      m_rcClip{kClipNotSet, 0, 0, 0},
      m_store{nullptr, nullptr, 0, false},
      m_hDC(nullptr),
      m_hOldBitmap(nullptr),
      m_pPixels(nullptr),
      m_pInfo(nullptr),
      m_nWidth(0),
      m_nHeight(0),
      m_nStride(0)
{
}

CDib::~CDib()
{
    Destroy();
}

void CDib::Destroy()
{
#ifdef _WIN32
    if (m_hDC)
        ReleaseDC();
#endif
    if (m_store.handle)
        ReleaseDibPixels(m_store);
    m_store = DibPixelStore{nullptr, nullptr, 0, false};
    delete m_pInfo;
    m_pInfo = nullptr;
    m_pPixels = nullptr;
    m_nWidth = 0;
    m_nHeight = 0;
    m_nStride = 0;
}

bool CDib::Create(int width, int height)
{
    if (!IsEmpty() && width == m_nWidth && height == m_nHeight) {
        Fill(0);
        return true;
    }
    Destroy();
    if (width <= 0 || height <= 0)
        return false;
    const int64_t stride = (static_cast<int64_t>(width) + 3) & ~int64_t(3);
    const int64_t bytes = stride * height * 4;
    // The header records the image size in 32 bits; GDI refuses anything
    // larger, and so do we on every build.
    if (bytes > INT32_MAX)
        return false;

    DibInfo* info = new (std::nothrow) DibInfo();
    if (!info)
        return false;
    info->header.biSize = sizeof(DibInfoHeader);
    info->header.biWidth = static_cast<int32_t>(stride);
    info->header.biHeight = -height;  // negative: rows run top-down
    info->header.biPlanes = 1;
    info->header.biBitCount = 32;
    info->header.biCompression = kDibRgbCompression;
    info->header.biSizeImage = static_cast<uint32_t>(bytes);

    const DibPixelStore store = AllocateDibPixels(*info);
    if (!store.handle || !store.pixels) {
        delete info;
        return false;
    }
    m_pInfo = info;
    m_store = store;
    m_pPixels = store.pixels;
    m_nWidth = width;
    m_nHeight = height;
    m_nStride = static_cast<int32_t>(stride);
    m_rcClip = PixelRect{0, 0, width, height};
    // Memory fresh from the system is clear already; writing it again would
    // only pay the first touch of every page before anyone needs it.
    if (!store.zeroed)
        Fill(0);
    return true;
}

void CDib::Fill(ARGB value) { FillRows(value, 0, m_nHeight); }

void CDib::FillRows(ARGB value, int firstRow, int endRow)
{
    firstRow = std::max(firstRow, 0);
    endRow = std::min(endRow, m_nHeight);
    if (IsEmpty() || endRow <= firstRow)
        return;
    const uint32_t a = value >> 24;
    ARGB* p = Row(firstRow);
    ARGB* const end = Row(endRow);
    if (a == 255 || a == 0) {
        std::fill(p, end, value);
        return;
    }
    for (; p != end; ++p)
        *p = BlendArgb(*p, value);
}

void CDib::CopyTo(CDib& dest) const
{
    if (IsEmpty())
        return;
    if (dest.IsEmpty() || dest.m_nWidth != m_nWidth || dest.m_nHeight != m_nHeight)
        dest.Create(m_nWidth, m_nHeight);
    if (dest.IsEmpty())
        return;
    std::memcpy(dest.m_pPixels, m_pPixels, PixelCount() * sizeof(ARGB));
}

void CDib::BlendFrom(const CDib& src, int opacity)
{
    if (IsEmpty() || src.IsEmpty() || src.m_nWidth != m_nWidth || src.m_nHeight != m_nHeight)
        return;
    const uint32_t op = static_cast<uint32_t>(opacity);
    const ARGB* s = src.m_pPixels;
    ARGB* d = m_pPixels;
    ARGB* const end = d + PixelCount();
    for (; d != end; ++d, ++s)
        *d = BlendArgb(*d, ScaleAlpha(*s, op));
}

void CDib::BlendAt(const CDib& src, int x, int y, int opacity) { BlendAtRows(src, x, y, opacity, 0, m_nHeight); }

void CDib::BlendAtRows(const CDib& src, int x, int y, int opacity, int firstRow, int endRow)
{
    if (IsEmpty() || src.IsEmpty())
        return;
    int w = src.m_nWidth;
    int h = src.m_nHeight;
    if (x + w >= m_nWidth)
        w = m_nWidth - x;
    if (y + h >= m_nHeight)
        h = m_nHeight - y;
    if (x < 0)
        w += x;
    if (y < 0)
        h += y;
    if (w <= 0 || h <= 0)
        return;
    const int dx = std::max(x, 0);
    const int dy = std::max(y, 0);
    const int sx = dx - x;
    const int sy = dy - y;
    const uint32_t op = static_cast<uint32_t>(opacity);
    // Only the covered rows that lie in the band.
    const int rowBegin = std::max(0, firstRow - dy);
    const int rowEnd = std::min(h, endRow - dy);
    for (int row = rowBegin; row < rowEnd; ++row) {
        const ARGB* s = src.Row(sy + row) + sx;
        ARGB* d = Row(dy + row) + dx;
        for (int i = 0; i < w; ++i)
            d[i] = BlendArgb(d[i], ScaleAlpha(s[i], op));
    }
}

void CDib::SetPixel(int x, int y, ARGB value)
{
    if (InClip(x, y))
        Row(y)[x] = value;
}

void CDib::BlendPixel(int x, int y, ARGB value)
{
    if (!InClip(x, y))
        return;
    ARGB& p = Row(y)[x];
    const uint32_t a = value >> 24;
    if (a == 255)
        p = value;
    else if (a == 0)
        p &= 0x00FFFFFF;  // erase: the colour bytes stay
    else
        p = BlendArgb(p, value);
}

ARGB& CDib::PixelAt(int x, int y)
{
    if (InClip(x, y))
        return Row(y)[x];
    return m_dwScratch;
}

void CDib::ShrinkToGrey(CDib& dest, const PixelRect* limit) const
{
    if (IsEmpty() || dest.IsEmpty())
        return;
    const unsigned factor = static_cast<unsigned>(m_nWidth) / static_cast<unsigned>(dest.m_nWidth);
    if (factor == 0)
        return;
    const int f = static_cast<int>(factor);
    const unsigned area = factor * factor;

    PixelRect region = dest.m_rcClip.left == kClipNotSet ? PixelRect{0, 0, dest.m_nWidth, dest.m_nHeight}
                                                          : dest.m_rcClip;
    if (limit)
        region = region.Intersect(*limit);
    // Only blocks that lie wholly inside this buffer are read.
    region = region.Intersect(PixelRect{0, 0, m_nWidth / f, m_nHeight / f});

    for (int y = region.top; y < region.bottom; ++y) {
        for (int x = region.left; x < region.right; ++x) {
            unsigned sum = 0;
            for (int j = 0; j < f; ++j) {
                const ARGB* s = Row(y * f + j) + x * f;
                for (int i = 0; i < f; ++i)
                    sum += s[i] & 0xFF;
            }
            const uint32_t v = sum / area;
            if (dest.InClip(x, y))
                dest.Row(y)[x] = 0xFF000000u | v << 16 | v << 8 | v;
        }
    }
}
