// Fuzz target: the run geometry and the shadow scene on host buffers of any
// shape — three to five planes, rows padded by odd amounts, with or without a
// selection mask, tiny and one-pixel images — and on every parameter value,
// out-of-range ones included (a host's descriptor hands the colour, the
// switch and the position over unchecked).
//
// Each buffer is allocated to end exactly at its last pixel byte, with no
// padding after the last row, so the sanitizer sees any read or write past
// what a host hands over. After the run, the input and the mask must be as
// they were, and so must the output's row padding (it is not the plug-in's);
// a refused run must leave the output untouched.
//
// Input: U8 width, U8 height (1-48 each), U8 planes (3-5), U8 input, output
// and mask padding (0-7 each), U8 mask present, 15 x I32 values in the order
// of kShadowParamTable, U8 x 2 preview client size, U8 pattern length and the
// pattern that fills the pixels, U8 mask pattern length and that pattern;
// then one byte per step of the dialog's life (new values, texture, plane,
// preview render, final render, a pan of the preview to a point given by
// two more bytes).
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzInput.h"
#include "imaging/WorkerThreads.h"
#include "render/RunGeometry.h"
#include "render/ShadowScene.h"

namespace {

const int kMaxSteps = 12;

struct HostBuffer {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
    int32_t rowBytes = 0;

    // Rows of `rowBytes`, the last one ending at its last used byte.
    void Allocate(int width, int height, int pixelBytes, int padding)
    {
        rowBytes = width * pixelBytes + padding;
        size = size_t(rowBytes) * (height - 1) + size_t(width) * pixelBytes;
        bytes.reset(new uint8_t[size]);
    }
    void Fill(const std::vector<uint8_t>& pattern, int usedBytes)
    {
        for (size_t i = 0; i < size; ++i) {
            const bool used = int(i % size_t(rowBytes)) < usedBytes;
            bytes[i] = used ? pattern[i % pattern.size()] : uint8_t(0xA5 ^ i);
        }
    }
    std::vector<uint8_t> Copy() const { return std::vector<uint8_t>(bytes.get(), bytes.get() + size); }
    bool Same(const std::vector<uint8_t>& copy) const { return std::memcmp(copy.data(), bytes.get(), size) == 0; }
};

ShadowParams RawParams(CFuzzInput& in)
{
    ShadowParams p{};
    for (const ShadowParamInfo& info : kShadowParamTable)
        p.*info.field = in.I32();
    return p;
}

std::vector<uint8_t> Pattern(CFuzzInput& in)
{
    std::vector<uint8_t> pattern = in.Bytes(in.Small(1, 64));
    if (pattern.empty())
        pattern.push_back(0xFF);
    return pattern;
}

void Check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

void RunScene(CFuzzInput& in, const HostBuffers& host, const RunGeometry& geometry, ShadowParams params,
              int clientWidth, int clientHeight)
{
    CShadowScene scene(host, geometry);
    scene.InitShadowRenderer(clientWidth, clientHeight);
    scene.BuildShadowTexture(params);
    scene.BuildShadowPlane();
    for (int step = 0; step < kMaxSteps && in.Left() > 0; ++step) {
        switch (in.U8() % 6) {
        case 0:
            params = RawParams(in);
            break;
        case 1:
            scene.BuildShadowTexture(params);
            break;
        case 2:
            scene.BuildShadowPlane();
            break;
        case 3:
            scene.RenderShadow(false, params);
            break;
        case 4: {
            // Anywhere, even outside the image: the view is clamped back.
            const int x = in.U8() - 64, y = in.U8() - 64;
            scene.m_preview.CentreOn(x, y);
            scene.m_preview.ClampView();
            scene.CompleteViewRows();
            scene.ComposePreview(params);
            break;
        }
        default:
            scene.RenderShadow(true, params);
            break;
        }
    }
    scene.RenderShadow(true, params);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One to seven threads, every job shared out however small: the bands
    // and runs of the threaded stages meet the odd shapes below. The count
    // comes from the input's length, so the inputs keep their meaning.
    SetWorkerThreadCount(1 + static_cast<int>(size % 7));
    SetSplitSmallJobs(true);
    CFuzzInput in(data, size);
    const int width = in.Small(1, 48);
    const int height = in.Small(1, 48);
    const int planes = in.Small(3, 5);
    const int inPadding = in.Small(0, 7);
    const int outPadding = in.Small(0, 7);
    const int maskPadding = in.Small(0, 7);
    const bool hasMask = in.Bit();
    const ShadowParams params = RawParams(in);
    const int clientWidth = in.U8();
    const int clientHeight = in.U8();
    const std::vector<uint8_t> pixels = Pattern(in);
    const std::vector<uint8_t> selection = Pattern(in);

    HostBuffer input, output, mask;
    input.Allocate(width, height, planes, inPadding);
    input.Fill(pixels, width * planes);
    output.Allocate(width, height, planes, outPadding);
    output.Fill(pixels, width * planes);
    if (hasMask) {
        mask.Allocate(width, height, 1, maskPadding);
        mask.Fill(selection, width);
    }
    const std::vector<uint8_t> inputBefore = input.Copy(), outputBefore = output.Copy(), maskBefore = mask.Copy();

    HostBuffers host;
    host.width = width;
    host.height = height;
    host.planes = planes;
    host.inData = input.bytes.get();
    host.inRowBytes = input.rowBytes;
    host.outData = output.bytes.get();
    host.outRowBytes = output.rowBytes;
    if (hasMask) {
        host.maskData = mask.bytes.get();
        host.maskRowBytes = mask.rowBytes;
    }

    RunGeometry geometry;
    const RunRefusal refusal = ComputeRunGeometry(host, geometry);
    if (refusal == RunRefusal::None) {
        Check(geometry.cropLeft >= 0 && geometry.cropTop >= 0 && geometry.cropRight < width &&
              geometry.cropBottom < height && geometry.cropLeft <= geometry.cropRight &&
              geometry.cropTop <= geometry.cropBottom);
        RunScene(in, host, geometry, params, clientWidth, clientHeight);
    } else {
        Check(output.Same(outputBefore));
    }
    Check(input.Same(inputBefore));
    Check(!hasMask || mask.Same(maskBefore));
    // The output's row padding belongs to the host.
    for (size_t i = 0; i < output.size; ++i)
        if (int(i % size_t(output.rowBytes)) >= width * planes)
            Check(output.bytes[i] == outputBefore[i]);
    return 0;
}
