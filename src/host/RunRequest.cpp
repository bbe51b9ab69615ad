#include "host/RunRequest.h"

#include "host/DocumentKind.h"

void RequestWholeImage(FilterRecord& r)
{
    // filterCase 0 (the host did not say) counts as no transparency; hosts
    // that deliver four planes anyway are recognised by `planes` alone.
    const DocumentKind kind = KindOf(r);
    if (r.filterCase > FilterCase::kFloatingSelection && r.planes == kind.colours)
        r.planes = static_cast<int16_t>(kind.colours + 1);
    r.inRect = r.filterRect;
    r.outRect = r.filterRect;
    r.maskRect = r.haveMask ? r.filterRect : Rect16{0, 0, 0, 0};
    r.autoMask = 0;
    r.inLoPlane = 0;
    r.inHiPlane = static_cast<int16_t>(r.planes - 1);
    r.outLoPlane = 0;
    r.outHiPlane = static_cast<int16_t>(r.planes - 1);
}

void RequestNoMoreData(FilterRecord& r)
{
    r.inRect = Rect16{0, 0, 0, 0};
    r.outRect = Rect16{0, 0, 0, 0};
    r.maskRect = Rect16{0, 0, 0, 0};
}

BufferProblem CheckBuffers(const FilterRecord& r)
{
    const int64_t pixelBytes = int64_t(r.filterRect.Width()) * r.planes * (KindOf(r).depth / 8);
    if (r.outData == nullptr || r.outRowBytes < pixelBytes)
        return BufferProblem::NoOutput;
    if (r.inData == nullptr || r.inRowBytes < pixelBytes)
        return BufferProblem::NoInput;
    if (r.haveMask && (r.maskData == nullptr || r.maskRowBytes < r.filterRect.Width()))
        return BufferProblem::NoMask;
    return BufferProblem::None;
}

const char* BufferProblemText(BufferProblem problem)
{
    switch (problem) {
    case BufferProblem::NoOutput:
        return "error out";
    case BufferProblem::NoInput:
        return "error in";
    case BufferProblem::NoMask:
        return "error mask";
    case BufferProblem::None:
        break;
    }
    return "";
}
