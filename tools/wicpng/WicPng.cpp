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

bool ReadPngSamples(const std::string& path, PngSamples& image, std::string& error)
{
    {
        ComScope com;
        ComPtr<IWICImagingFactory> factory;
        if (!CreateFactory(factory, error))
            return false;
        ComPtr<IWICBitmapDecoder> decoder;
        ComPtr<IWICBitmapFrameDecode> frame;
        UINT width = 0, height = 0;
        WICPixelFormatGUID format = {};
        HRESULT hr = factory->CreateDecoderFromFilename(Widen(path).c_str(), nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, &decoder);
        if (SUCCEEDED(hr))
            hr = decoder->GetFrame(0, &frame);
        if (SUCCEEDED(hr))
            hr = frame->GetSize(&width, &height);
        if (SUCCEEDED(hr))
            hr = frame->GetPixelFormat(&format);
        // The decoder's own 16-bit formats hold the file's values in the
        // machine's byte order; they are copied as they are.
        int channels = 0;
        if (SUCCEEDED(hr) && IsEqualGUID(format, GUID_WICPixelFormat64bppRGBA))
            channels = 4;
        else if (SUCCEEDED(hr) && IsEqualGUID(format, GUID_WICPixelFormat48bppRGB))
            channels = 3;
        else if (SUCCEEDED(hr) && IsEqualGUID(format, GUID_WICPixelFormat16bppGray))
            channels = 1;
        if (channels != 0 && width > 0 && height > 0 && uint64_t(width) * height * 8 <= 0x7FFFFFFFu) {
            image.width = static_cast<int>(width);
            image.height = static_cast<int>(height);
            image.channels = channels;
            image.depth = 16;
            image.samples.assign(size_t(width) * height * channels, 0);
            const UINT stride = width * channels * 2;
            hr = frame->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(image.samples.data()));
            return SUCCEEDED(hr) || Fail(error, "cannot decode " + path, hr);
        }
    }
    PngImage eight;
    if (!ReadPng(path, eight, error))
        return false;
    image.width = eight.width;
    image.height = eight.height;
    image.channels = eight.hasAlpha ? 4 : 3;
    image.depth = 8;
    const size_t count = size_t(eight.width) * eight.height;
    image.samples.resize(count * image.channels);
    for (size_t i = 0; i < count; ++i)
        for (int c = 0; c < image.channels; ++c)
            image.samples[i * image.channels + c] = eight.rgba[i * 4 + c];
    return true;
}

namespace {

bool WritePngSamplesOrdered(const std::string& path, const PngSamples& image, bool swap, std::string& error);

}  // namespace

// Encoders disagree on the byte order of 16-bit samples handed to them:
// Wine 8's PNG encoder stores the buffer's bytes as they are, so samples
// must be handed most significant byte first, where the system's own takes
// them in the machine's order. The file is written one way, read back, and
// written the other way when its samples came back with their bytes
// exchanged.
bool WritePngSamples(const std::string& path, const PngSamples& image, std::string& error)
{
    if (!WritePngSamplesOrdered(path, image, false, error))
        return false;
    if (image.depth != 16)
        return true;
    PngSamples back;
    if (!ReadPngSamples(path, back, error))
        return false;
    if (back.samples.size() != image.samples.size() || back.depth != 16)
        return true;  // read back in another form: nothing to compare
    bool exchanged = false;
    for (size_t i = 0; i < image.samples.size(); ++i) {
        const uint16_t v = image.samples[i];
        const uint16_t swapped = static_cast<uint16_t>(v << 8 | v >> 8);
        if (back.samples[i] == v)
            continue;
        if (back.samples[i] != swapped)
            return true;  // neither order: leave it
        exchanged = true;
    }
    return !exchanged || WritePngSamplesOrdered(path, image, true, error);
}

namespace {

bool WritePngSamplesOrdered(const std::string& path, const PngSamples& image, bool swap, std::string& error)
{
    const size_t count = size_t(image.width) * image.height;
    if (image.width <= 0 || image.height <= 0 || image.channels < 1 || image.channels > 4 ||
        image.samples.size() < count * image.channels)
        return Fail(error, "no pixels to write to " + path, E_INVALIDARG);
    const bool alpha = image.channels == 2 || image.channels == 4;
    const bool grey = image.channels <= 2 && !alpha;
    WICPixelFormatGUID wanted;
    if (image.depth == 16)
        wanted = grey ? GUID_WICPixelFormat16bppGray : alpha ? GUID_WICPixelFormat64bppRGBA : GUID_WICPixelFormat48bppRGB;
    else if (grey)
        wanted = GUID_WICPixelFormat8bppGray;
    else {
        PngImage eight;
        eight.width = image.width;
        eight.height = image.height;
        eight.hasAlpha = alpha;
        eight.rgba.resize(count * 4);
        for (size_t i = 0; i < count; ++i) {
            const uint16_t* s = &image.samples[i * image.channels];
            const bool one = image.channels <= 2;
            for (int c = 0; c < 3; ++c)
                eight.rgba[i * 4 + c] = static_cast<uint8_t>(s[one ? 0 : c]);
            eight.rgba[i * 4 + 3] = static_cast<uint8_t>(alpha ? s[image.channels - 1] : 255);
        }
        return WritePng(path, eight, error);
    }
    auto fill = [&](const WICPixelFormatGUID& format, std::vector<uint8_t>& pixels, UINT& stride) {
        if (!IsEqualGUID(format, wanted))
            return false;
        const int out = grey ? 1 : alpha ? 4 : 3;
        const int bytes = image.depth / 8;
        stride = static_cast<UINT>(image.width * out * bytes);
        pixels.resize(size_t(stride) * image.height);
        for (size_t i = 0; i < count; ++i) {
            const uint16_t* s = &image.samples[i * image.channels];
            const bool one = image.channels <= 2;
            for (int c = 0; c < out; ++c) {
                uint16_t v = c == 3 ? s[image.channels - 1] : s[one ? 0 : c];
                if (swap && bytes == 2)
                    v = static_cast<uint16_t>(v << 8 | v >> 8);
                std::memcpy(&pixels[(i * out + c) * bytes], &v, size_t(bytes));
            }
        }
        return true;
    };
    return Encode(path, image.width, image.height, wanted, fill, error);
}

}  // namespace
