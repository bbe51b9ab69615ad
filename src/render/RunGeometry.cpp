#include "render/RunGeometry.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "imaging/WorkerThreads.h"

const char* RefusalKey(RunRefusal refusal)
{
    switch (refusal) {
    case RunRefusal::NoSelection:
        return "err_no_sel";
    case RunRefusal::EmptyObject:
        return "err_empty";
    case RunRefusal::ShadowOnlyOnFlatImage:
        return "err_shadow_only";
    case RunRefusal::None:
        break;
    }
    return "";
}

const char* RefusalText(RunRefusal refusal)
{
    switch (refusal) {
    case RunRefusal::NoSelection:
        return "This filter requires a selection or a layer with transparency!";
    case RunRefusal::EmptyObject:
        return "Sorry, the selected area is empty!";
    case RunRefusal::ShadowOnlyOnFlatImage:
        return "Shadow Only needs a layer with transparency.";
    case RunRefusal::None:
        break;
    }
    return "";
}

namespace {

struct Box {
    int minX, minY, maxX, maxY;

    void Include(int x, int y)
    {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }

    void Merge(const Box& other)
    {
        minX = std::min(minX, other.minX);
        maxX = std::max(maxX, other.maxX);
        minY = std::min(minY, other.minY);
        maxY = std::max(maxY, other.maxY);
    }
};

// A layer without a selection: the object is where the transparency byte
// is not 0. Only the columns that could still widen the box need a look:
// a row is read from the left up to its first object pixel and from the
// right down to its last; a row without any is read whole, eight pixels at
// a time.
void ScanLayerRows(const HostBuffers& b, int begin, int end, Box& box)
{
    const int planes = b.planes;
    for (int y = begin; y < end; ++y) {
        const uint8_t* alpha = b.InPixel(0, y) + 3;
        int x = 0;
        if (planes == 4) {
            for (; x + 8 <= b.width; x += 8) {
                uint64_t block[4];
                std::memcpy(block, alpha - 3 + static_cast<intptr_t>(x) * 4, sizeof block);
                const uint64_t kAlphas = 0xFF000000FF000000ull;
                if (((block[0] | block[1] | block[2] | block[3]) & kAlphas) != 0)
                    break;
            }
        }
        while (x < b.width && alpha[static_cast<intptr_t>(x) * planes] == 0)
            ++x;
        if (x == b.width)
            continue;
        int last = b.width - 1;
        while (alpha[static_cast<intptr_t>(last) * planes] == 0)
            --last;
        box.Include(x, y);
        box.Include(last, y);
    }
}

// Any other case, pixel by pixel: the selection weights the transparency,
// or stands alone on a flat image.
void ScanRows(const HostBuffers& b, int begin, int end, Box& box)
{
    for (int y = begin; y < end; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const bool inObject = b.HasTransparency() ? b.ObjectOpacity(x, y) != 0 : b.MaskAt(x, y) != 0;
            if (inObject)
                box.Include(x, y);
        }
    }
}

// Bands of rows are scanned side by side; the box of the whole is the box
// of the bands' boxes, whatever the bands.
Box ScanObject(const HostBuffers& b)
{
    const Box empty{b.width, b.height, -1, -1};
    Box bands[kMaxWorkerThreads];
    for (Box& band : bands)
        band = empty;
    std::atomic<int> next{0};
    const bool layerOnly = b.HasTransparency() && b.maskData == nullptr;
    ParallelFor(b.height, LinesPerThread(b.width, kMinCopiedPixelsPerThread), [&](int begin, int end) {
        Box box = empty;
        if (layerOnly)
            ScanLayerRows(b, begin, end, box);
        else
            ScanRows(b, begin, end, box);
        bands[next.fetch_add(1)] = box;
    });
    Box box = empty;
    for (const Box& band : bands)
        box.Merge(band);
    return box;
}

}  // namespace

RunRefusal ComputeRunGeometry(const HostBuffers& b, RunGeometry& g)
{
    if (b.maskData == nullptr && !b.HasTransparency())
        return RunRefusal::NoSelection;

    Box box = ScanObject(b);
    // With transparency, a box one pixel wide or tall counts as empty too; a
    // flat image with a selection is never refused here.
    if (b.HasTransparency() && (box.minX >= box.maxX || box.minY >= box.maxY))
        return RunRefusal::EmptyObject;
    if (box.maxX < box.minX)
        box.minX = box.maxX = 0;
    if (box.maxY < box.minY)
        box.minY = box.maxY = 0;

    g.imageWidth = b.width;
    g.imageHeight = b.height;
    g.objectWidth = box.maxX - box.minX + 1;
    g.objectHeight = box.maxY - box.minY + 1;
    g.cropLeft = std::max(box.minX - kCropMargin, 0);
    g.cropTop = std::max(box.minY - kCropMargin, 0);
    g.cropRight = std::min(box.maxX + kCropMargin, b.width - 1);
    g.cropBottom = std::min(box.maxY + kCropMargin, b.height - 1);
    return RunRefusal::None;
}
