#include "render/DocumentReduction.h"

#include <algorithm>
#include <atomic>

#include "imaging/PixelRect.h"
#include "imaging/WorkerThreads.h"

namespace {

// One row, with the scale known to the compiler so the division becomes a
// multiplication.
// RGB or RGBA documents with no planes beyond: the row maps sample for
// sample, which the compiler turns into vector code.
template <class Sample, uint32_t kFull>
void ReduceRowStraight(const Sample* in, uint8_t* out, int samples)
{
    for (int i = 0; i < samples; ++i)
        out[i] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[i]));
}

template <class Sample, uint32_t kFull, int kColours>
void ReduceRow(const Sample* in, uint8_t* out, int width, int planes, bool alpha)
{
    for (int x = 0; x < width; ++x, in += planes, out += alpha ? 4 : 3) {
        if (kColours == 1) {
            out[0] = out[1] = out[2] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[0]));
        } else {
            out[0] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[0]));
            out[1] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[1]));
            out[2] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[2]));
        }
        if (alpha)
            out[3] = static_cast<uint8_t>(ReduceTo8Fixed<kFull>(in[kColours]));
    }
}

template <class Sample, uint32_t kFull, int kColours>
void ReduceAll(const DocumentPlanes& d, const HostBuffers& b, const PixelRect& part)
{
    const bool alpha = d.HasTransparency();
    const bool straight = kColours == 3 && d.planes == b.planes;
    const int width = part.right - part.left;
    ParallelFor(part.bottom - part.top, LinesPerThread(width), [&](int begin, int end) {
        for (int y = part.top + begin; y < part.top + end; ++y) {
            const Sample* in = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                               static_cast<intptr_t>(y) * d.inRowBytes) +
                               static_cast<intptr_t>(part.left) * d.planes;
            uint8_t* out = b.outData + static_cast<intptr_t>(y) * b.outRowBytes + static_cast<intptr_t>(part.left) * b.planes;
            if (straight)
                ReduceRowStraight<Sample, kFull>(in, out, width * d.planes);
            else
                ReduceRow<Sample, kFull, kColours>(in, out, width, d.planes, alpha);
        }
    });
}

template <class Sample, uint32_t kFull>
void ReduceColours(const DocumentPlanes& d, const HostBuffers& b, const PixelRect& part)
{
    if (d.IsGrey())
        ReduceAll<Sample, kFull, 1>(d, b, part);
    else
        ReduceAll<Sample, kFull, 3>(d, b, part);
}

void ReducePart(const DocumentPlanes& d, const HostBuffers& b, const PixelRect& part)
{
    if (d.depth == 8)
        ReduceColours<uint8_t, 255>(d, b, part);
    else if (d.fullScale == 65535)
        ReduceColours<uint16_t, 65535>(d, b, part);
    else
        ReduceColours<uint16_t, 32768>(d, b, part);
}

// The rows and columns holding a transparency sample that reduces to a
// non-zero byte (the engine's object on a layer without a selection): each
// row is read from the left up to its first such sample and from the right
// down to its last. Empty (right <= left) when there is none.
template <class Sample, uint32_t kFull>
PixelRect FindObject(const DocumentPlanes& d)
{
    const int n = kMaxWorkerThreads;
    PixelRect bands[n];
    for (PixelRect& band : bands)
        band = PixelRect{d.width, d.height, -1, -1};
    std::atomic<int> next{0};
    ParallelFor(d.height, LinesPerThread(d.width, kMinCopiedPixelsPerThread), [&](int begin, int end) {
        PixelRect box{d.width, d.height, -1, -1};
        for (int y = begin; y < end; ++y) {
            const Sample* alpha = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                                  static_cast<intptr_t>(y) * d.inRowBytes) +
                                  d.colours;
            const auto inObject = [&](int x) {
                return ReduceTo8Fixed<kFull>(alpha[static_cast<intptr_t>(x) * d.planes]) != 0;
            };
            int x = 0;
            while (x < d.width && !inObject(x))
                ++x;
            if (x == d.width)
                continue;
            int last = d.width - 1;
            while (!inObject(last))
                --last;
            box.left = std::min(box.left, x), box.right = std::max(box.right, last);
            box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
        }
        bands[next.fetch_add(1)] = box;
    });
    PixelRect box{d.width, d.height, -1, -1};
    for (const PixelRect& band : bands) {
        box.left = std::min(box.left, band.left), box.right = std::max(box.right, band.right);
        box.top = std::min(box.top, band.top), box.bottom = std::max(box.bottom, band.bottom);
    }
    return box;  // inclusive
}

}  // namespace

HostBuffers CDocumentReduction::Reduce(const DocumentPlanes& d)
{
    const int planes = d.HasTransparency() ? 4 : 3;
    m_pixels.resize(static_cast<size_t>(d.width) * static_cast<size_t>(d.height) * static_cast<size_t>(planes));
    HostBuffers b = HostBuffers::Packed(d.width, d.height, planes, m_pixels.data(), m_pixels.data(), d.maskData);
    b.maskRowBytes = d.maskData ? d.maskRowBytes : 0;
    ReducePart(d, b, PixelRect{0, 0, d.width, d.height});
    return b;
}

RunRefusal CDocumentReduction::ReduceLayerObject(const DocumentPlanes& d, HostBuffers& host, RunGeometry& g)
{
    const PixelRect box = d.depth == 8 ? FindObject<uint8_t, 255>(d)
                          : d.fullScale == 65535 ? FindObject<uint16_t, 65535>(d)
                                                 : FindObject<uint16_t, 32768>(d);
    if (box.right < box.left)
        return RunRefusal::EmptyObject;  // as on the whole reduction: a layer with no object
    const PixelRect crop{std::max(box.left - kCropMargin, 0), std::max(box.top - kCropMargin, 0),
                         std::min(box.right + kCropMargin, d.width - 1) + 1,
                         std::min(box.bottom + kCropMargin, d.height - 1) + 1};
    m_pixels.resize(static_cast<size_t>(d.width) * static_cast<size_t>(d.height) * 4);
    host = HostBuffers::Packed(d.width, d.height, 4, m_pixels.data(), m_pixels.data());
    ReducePart(d, host, crop);
    // The crop box holds the whole object and its margin (clipped as the
    // geometry clips it), so the geometry found there, moved back to its
    // place, is the one the whole picture gives.
    HostBuffers part = host;
    part.inData = host.InPixel(crop.left, crop.top);
    part.outData = host.OutPixel(crop.left, crop.top);
    part.width = crop.right - crop.left;
    part.height = crop.bottom - crop.top;
    const RunRefusal refusal = ComputeRunGeometry(part, g);
    if (refusal != RunRefusal::None)
        return refusal;
    g.imageWidth = d.width;
    g.imageHeight = d.height;
    g.cropLeft += crop.left, g.cropRight += crop.left;
    g.cropTop += crop.top, g.cropBottom += crop.top;
    return RunRefusal::None;
}
