#include "WicPng.h"

#include <windows.h>
#include <wincodec.h>

#include <cstring>

namespace {

// Releases a COM interface when it leaves scope.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (m_p)
            m_p->Release();
    }
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }

private:
    T* m_p = nullptr;
};

// COM for the calling thread, for as long as one call needs it.
class ComScope {
public:
    ComScope() : m_hr(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

std::wstring Widen(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(wcslen(wide.c_str()));
    return wide;
}

bool Fail(std::string& error, const std::string& what, HRESULT hr)
{
    char code[16];
    wsprintfA(code, "0x%08lX", static_cast<unsigned long>(hr));
    error = what + " (" + code + ")";
    return false;
}

bool CreateFactory(ComPtr<IWICImagingFactory>& factory, std::string& error)
{
    const HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
    return SUCCEEDED(hr) || Fail(error, "imaging component unavailable", hr);
}

bool FormatHasAlpha(IWICImagingFactory* factory, const WICPixelFormatGUID& format)
{
    ComPtr<IWICComponentInfo> component;
    if (FAILED(factory->CreateComponentInfo(format, &component)))
        return false;
    ComPtr<IWICPixelFormatInfo2> info;
    if (FAILED(component->QueryInterface(IID_IWICPixelFormatInfo2, reinterpret_cast<void**>(&info))))
        return false;
    BOOL transparent = FALSE;
    return SUCCEEDED(info->SupportsTransparency(&transparent)) && transparent;
}

// Writes one frame of `width` x `height` pixels in the format `wanted`; the
// encoder may answer with a different format, which `fill` must honour.
template <class Fill>
bool Encode(const std::string& path, int width, int height, WICPixelFormatGUID wanted, Fill fill,
            std::string& error)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (!CreateFactory(factory, error))
        return false;
    ComPtr<IWICStream> stream;
    HRESULT hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(Widen(path).c_str(), GENERIC_WRITE);
    if (FAILED(hr))
        return Fail(error, "cannot create " + path, hr);
    ComPtr<IWICBitmapEncoder> encoder;
    hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> frame;
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, nullptr);
    if (SUCCEEDED(hr))
        hr = frame->Initialize(nullptr);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = wanted;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    if (FAILED(hr))
        return Fail(error, "cannot encode " + path, hr);
    std::vector<uint8_t> pixels;
    UINT stride = 0;
    if (!fill(format, pixels, stride))
        return Fail(error, "unsupported encoder format for " + path, E_FAIL);
    hr = frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data());
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return SUCCEEDED(hr) || Fail(error, "cannot write " + path, hr);
}

}  // namespace

bool ReadPng(const std::string& path, PngImage& image, std::string& error)
{
    ComScope com;
    ComPtr<IWICImagingFactory> factory;
    if (!CreateFactory(factory, error))
        return false;
    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT hr = factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, &decoder);
    if (FAILED(hr))
        return Fail(error, "cannot read " + path, hr);
    GUID container = {};
    if (FAILED(decoder->GetContainerFormat(&container)) || !IsEqualGUID(container, GUID_ContainerFormatPng))
        return Fail(error, path + " is not a PNG file", E_FAIL);
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    hr = decoder->GetFrame(0, &frame);
    if (SUCCEEDED(hr))
        hr = frame->GetSize(&width, &height);
    if (SUCCEEDED(hr))
        hr = frame->GetPixelFormat(&format);
    if (FAILED(hr))
        return Fail(error, "cannot decode " + path, hr);
    const uint64_t bytes = uint64_t(width) * height * 4;
    if (width == 0 || height == 0 || bytes > 0x7FFFFFFFu)
        return Fail(error, path + " has an unsupported size", E_FAIL);

    ComPtr<IWICFormatConverter> converter;
    hr = factory->CreateFormatConverter(&converter);
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppRGBA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.hasAlpha = FormatHasAlpha(factory.get(), format);
    image.rgba.assign(static_cast<size_t>(bytes), 0);
    if (SUCCEEDED(hr))
        hr = converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bytes), image.rgba.data());
    return SUCCEEDED(hr) || Fail(error, "cannot decode " + path, hr);
}

bool WritePng(const std::string& path, const PngImage& image, std::string& error)
{
    const size_t count = size_t(image.width) * image.height;
    if (image.width <= 0 || image.height <= 0 || image.rgba.size() < count * 4)
        return Fail(error, "no pixels to write to " + path, E_INVALIDARG);
    // The blue-first formats are the ones encoders take natively.
    const WICPixelFormatGUID wanted = image.hasAlpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
    auto fill = [&](const WICPixelFormatGUID& format, std::vector<uint8_t>& pixels, UINT& stride) {
        // Honour whichever of the four layouts the encoder settled on.
        const bool four = IsEqualGUID(format, GUID_WICPixelFormat32bppRGBA) ||
                          IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA);
        const bool three = IsEqualGUID(format, GUID_WICPixelFormat24bppRGB) ||
                           IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
        if (!four && !three)
            return false;
        const bool swap = IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) ||
                          IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
        const int channels = four ? 4 : 3;
        stride = static_cast<UINT>(image.width * channels);
        pixels.resize(size_t(stride) * image.height);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* s = &image.rgba[i * 4];
            uint8_t* d = &pixels[i * channels];
            d[0] = swap ? s[2] : s[0];
            d[1] = s[1];
            d[2] = swap ? s[0] : s[2];
            if (four)
                d[3] = s[3];
        }
        return true;
    };
    return Encode(path, image.width, image.height, wanted, fill, error);
}

bool WritePngFromBgrx(const std::string& path, int width, int height, const uint8_t* bgrx, int stride,
                      std::string& error)
{
    PngImage image;
    image.width = width;
    image.height = height;
    image.rgba.resize(size_t(width) * (height > 0 ? height : 0) * 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint8_t* s = bgrx + size_t(y) * stride + size_t(x) * 4;
            uint8_t* d = &image.rgba[(size_t(y) * width + x) * 4];
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
            d[3] = 255;
        }
    return WritePng(path, image, error);
}
