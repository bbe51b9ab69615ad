#include "ui/controls/PictureLoader.h"

#include <ole2.h>
#include <olectl.h>

#include <climits>
#include <cstring>

namespace {

// Releases a COM object when the scope ends.
template <class T>
class CReleaseOnExit {
public:
    explicit CReleaseOnExit(T* object) : m_pObject(object) {}
    ~CReleaseOnExit()
    {
        if (m_pObject != nullptr)
            m_pObject->Release();
    }
    CReleaseOnExit(const CReleaseOnExit&) = delete;
    CReleaseOnExit& operator=(const CReleaseOnExit&) = delete;

private:
    T* m_pObject;
};

// A stream over a movable copy of the bytes; releasing the stream frees the
// copy.
IStream* StreamOverCopy(const void* bytes, size_t size)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr)
        return nullptr;
    void* data = ::GlobalLock(block);
    if (data == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(data, bytes, size);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || stream == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    return stream;
}

HBITMAP CreateWhiteDib(int width, int height, HDC& dc)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib == nullptr)
        return nullptr;
    std::memset(bits, 0xFF, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    dc = ::CreateCompatibleDC(nullptr);
    return dib;
}

// Icons and metafiles have no bitmap: the picture draws itself into one.
HBITMAP RenderPicture(IPicture* picture)
{
    OLE_XSIZE_HIMETRIC hmWidth = 0;
    OLE_YSIZE_HIMETRIC hmHeight = 0;
    if (FAILED(picture->get_Width(&hmWidth)) || FAILED(picture->get_Height(&hmHeight)) || hmWidth <= 0 ||
        hmHeight <= 0)
        return nullptr;
    HDC screen = ::GetDC(nullptr);
    const int width = ::MulDiv(hmWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int height = ::MulDiv(hmHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ::ReleaseDC(nullptr, screen);
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384)
        return nullptr;
    HDC dc = nullptr;
    HBITMAP dib = CreateWhiteDib(width, height, dc);
    if (dib == nullptr)
        return nullptr;
    if (dc == nullptr) {
        ::DeleteObject(dib);
        return nullptr;
    }
    HGDIOBJ old = ::SelectObject(dc, dib);
    // The source rectangle runs bottom-up in HIMETRIC.
    const HRESULT drawn = picture->Render(dc, 0, 0, width, height, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    if (FAILED(drawn)) {
        ::DeleteObject(dib);
        return nullptr;
    }
    return dib;
}

}  // namespace

HBITMAP DecodePicture(const void* bytes, size_t size)
{
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(LONG_MAX))
        return nullptr;
    IStream* stream = StreamOverCopy(bytes, size);
    if (stream == nullptr)
        return nullptr;
    CReleaseOnExit<IStream> releaseStream(stream);
    IPicture* picture = nullptr;
    if (FAILED(::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture))) ||
        picture == nullptr)
        return nullptr;
    CReleaseOnExit<IPicture> releasePicture(picture);

    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || FAILED(picture->get_Handle(&handle)))
        return nullptr;
    if (type != PICTYPE_BITMAP)
        return RenderPicture(picture);
    // The picture owns its bitmap and deletes it when released: keep a copy.
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}
