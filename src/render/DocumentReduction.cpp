#include "render/DocumentReduction.h"

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
void ReduceAll(const DocumentPlanes& d, const HostBuffers& b)
{
    const bool alpha = d.HasTransparency();
    const bool straight = kColours == 3 && d.planes == b.planes;
    ParallelFor(d.height, LinesPerThread(d.width), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const Sample* in = reinterpret_cast<const Sample*>(static_cast<const uint8_t*>(d.inData) +
                                                               static_cast<intptr_t>(y) * d.inRowBytes);
            uint8_t* out = b.outData + static_cast<intptr_t>(y) * b.outRowBytes;
            if (straight)
                ReduceRowStraight<Sample, kFull>(in, out, d.width * d.planes);
            else
                ReduceRow<Sample, kFull, kColours>(in, out, d.width, d.planes, alpha);
        }
    });
}

template <class Sample, uint32_t kFull>
void ReduceColours(const DocumentPlanes& d, const HostBuffers& b)
{
    if (d.IsGrey())
        ReduceAll<Sample, kFull, 1>(d, b);
    else
        ReduceAll<Sample, kFull, 3>(d, b);
}

}  // namespace

HostBuffers CDocumentReduction::Reduce(const DocumentPlanes& d)
{
    const int planes = d.HasTransparency() ? 4 : 3;
    m_pixels.resize(static_cast<size_t>(d.width) * static_cast<size_t>(d.height) * static_cast<size_t>(planes));
    HostBuffers b = HostBuffers::Packed(d.width, d.height, planes, m_pixels.data(), m_pixels.data(), d.maskData);
    b.maskRowBytes = d.maskData ? d.maskRowBytes : 0;
    if (d.depth == 8)
        ReduceColours<uint8_t, 255>(d, b);
    else if (d.fullScale == 65535)
        ReduceColours<uint16_t, 65535>(d, b);
    else
        ReduceColours<uint16_t, 32768>(d, b);
    return b;
}
