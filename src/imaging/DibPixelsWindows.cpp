// Pixel memory on Windows: a real DIB section, so GDI can draw into it.
#include <windows.h>

#include "imaging/Dib.h"

static_assert(sizeof(BITMAPINFO) == sizeof(DibInfo), "DibInfo mirrors BITMAPINFO");
static_assert(sizeof(BITMAPINFOHEADER) == sizeof(DibInfoHeader), "DibInfoHeader mirrors BITMAPINFOHEADER");

DibPixelStore AllocateDibPixels(const DibInfo& info)
{
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap)
            DeleteObject(bitmap);
        return DibPixelStore{nullptr, nullptr, 0, false};
    }
    // A DIB section without a file mapping is new memory from the system,
    // which hands every process its fresh pages cleared: the pixels are 0
    // until written, and the first write, not a clearing pass, pays for each
    // page. Buffers the dialog never draws much of then cost little.
    return DibPixelStore{bitmap, static_cast<uint32_t*>(bits), info.header.biSizeImage, true};
}

void ReleaseDibPixels(const DibPixelStore& store)
{
    DeleteObject(static_cast<HBITMAP>(store.handle));
}

HDC CDib::GetDC()
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc && m_store.handle)
        m_hOldBitmap = SelectObject(dc, static_cast<HBITMAP>(m_store.handle));
    m_hDC = dc;
    return dc;
}

void CDib::ReleaseDC()
{
    if (!m_hDC)
        return;
    HDC dc = static_cast<HDC>(m_hDC);
    if (m_hOldBitmap)
        SelectObject(dc, static_cast<HGDIOBJ>(m_hOldBitmap));
    DeleteDC(dc);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
}
