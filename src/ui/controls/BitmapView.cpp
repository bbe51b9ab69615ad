#include "ui/controls/BitmapView.h"

#include <vector>

#include "ui/controls/PictureLoader.h"
#include "ui/framework/Gdi.h"
#include "win/ThisModule.h"

CBitmapView::CBitmapView()
    : m_hBitmap(nullptr), m_bOwned(false), m_nWidth(0), m_nHeight(0), m_crBackground(::GetSysColor(COLOR_BTNFACE))
{
}

CBitmapView::~CBitmapView() { ReleaseBitmap(); }

void CBitmapView::ReleaseBitmap()
{
    if (m_hBitmap != nullptr && m_bOwned)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_bOwned = false;
    m_nWidth = m_nHeight = 0;
}

void CBitmapView::Hold(HBITMAP bitmap, int width, int height, bool owned)
{
    ReleaseBitmap();
    m_hBitmap = bitmap;
    m_bOwned = owned;
    m_nWidth = width;
    m_nHeight = height;
}

void CBitmapView::SetBitmap(HBITMAP bitmap, int width, int height) { Hold(bitmap, width, height, true); }

void CBitmapView::ShowBitmap(HBITMAP bitmap, int width, int height) { Hold(bitmap, width, height, false); }

bool CBitmapView::LoadFromResource(int id, const char* type)
{
    HMODULE module = ThisModule();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found != nullptr ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    // A missing resource is reported like a picture that does not decode.
    const bool decoded = LoadPicture(bytes, bytes != nullptr ? ::SizeofResource(module, found) : 0);
    if (m_hWnd != nullptr)
        Invalidate(true);
    return decoded;
}

bool CBitmapView::LoadPicture(const void* bytes, size_t size)
{
    HBITMAP decoded = DecodePicture(bytes, size);
    BITMAP info{};
    if (decoded == nullptr || ::GetObjectA(decoded, sizeof info, &info) == 0) {
        if (decoded != nullptr)
            ::DeleteObject(decoded);
        ReleaseBitmap();
        ::MessageBoxA(nullptr, "Image load error", "Error", MB_OK);
        return false;
    }
    SetBitmap(decoded, info.bmWidth, info.bmHeight);
    return true;
}

BOOL CBitmapView::DrawBitmap(HDC dc, int left, int top, int right, int bottom) const
{
    if (m_hBitmap == nullptr)
        return FALSE;
    return DrawDibSection(dc, m_hBitmap, RECT{left, top, right, bottom}, m_nWidth, m_nHeight) ? TRUE : FALSE;
}

void CBitmapView::Paint(HDC dc)
{
    const RECT client = GetClientRect();
    FillSolidRect(dc, client, m_crBackground);
    if (m_hBitmap != nullptr)
        DrawBitmap(dc, client.left, client.top, client.right, client.bottom);
}

LRESULT CBitmapView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return TRUE;
    if (HandlePaintMessage(m_hWnd, message, wParam, [this](HDC dc) {
            CMemDC memory(dc, GetClientRect(), false);
            Paint(memory.Get());
        }))
        return 0;
    return CStatic::WindowProc(message, wParam, lParam);
}

HPALETTE CreateBitmapPalette(HBITMAP bitmap)
{
    DIBSECTION section{};
    if (::GetObjectA(bitmap, sizeof section, &section) != sizeof section)
        return nullptr;
    const BITMAPINFOHEADER& header = section.dsBmih;
    DWORD colours = header.biClrUsed;
    if (colours == 0)
        colours = header.biBitCount <= 8 ? 1u << header.biBitCount : 0;
    if (colours == 0 || colours > 256)
        return nullptr;
    std::vector<RGBQUAD> table(colours);
    HDC dc = ::CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return nullptr;
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const UINT read = ::GetDIBColorTable(dc, 0, colours, table.data());
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    if (read == 0)
        return nullptr;
    std::vector<BYTE> memory(sizeof(LOGPALETTE) + read * sizeof(PALETTEENTRY));
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(memory.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(read);
    for (UINT i = 0; i < read; ++i)
        palette->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return ::CreatePalette(palette);
}

bool DrawDibSection(HDC dc, HBITMAP bitmap, const RECT& target, int width, int height)
{
    DIBSECTION section{};
    if (bitmap == nullptr || ::GetObjectA(bitmap, sizeof section, &section) != sizeof section)
        return false;
    if (width <= 0 || width > section.dsBm.bmWidth)
        width = section.dsBm.bmWidth;
    if (height <= 0 || height > section.dsBm.bmHeight)
        height = section.dsBm.bmHeight;
    HDC source = ::CreateCompatibleDC(dc);
    if (source == nullptr)
        return false;
    HGDIOBJ oldBitmap = ::SelectObject(source, bitmap);

    HPALETTE palette = nullptr;
    HPALETTE oldPalette = nullptr;
    if ((::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0) {
        palette = CreateBitmapPalette(bitmap);
        if (palette == nullptr)
            palette = ::CreateHalftonePalette(dc);
        if (palette != nullptr) {
            oldPalette = ::SelectPalette(dc, palette, FALSE);
            ::RealizePalette(dc);
        }
    }
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    const BOOL drawn = ::StretchBlt(dc, target.left, target.top, target.right - target.left,
                                    target.bottom - target.top, source, 0, 0, width, height, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
    if (palette != nullptr) {
        ::SelectPalette(dc, oldPalette, FALSE);
        ::DeleteObject(palette);
    }
    ::SelectObject(source, oldBitmap);
    ::DeleteDC(source);
    return drawn != FALSE;
}
