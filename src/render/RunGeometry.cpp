#include "render/RunGeometry.h"

#include <algorithm>

const char* RefusalKey(RunRefusal refusal)
{
    switch (refusal) {
    case RunRefusal::NoSelection:
        return "err_no_sel";
    case RunRefusal::EmptyObject:
        return "err_empty";
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
};

Box ScanObject(const HostBuffers& b)
{
    Box box{b.width, b.height, -1, -1};
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < b.width; ++x) {
            const bool inObject = b.HasTransparency() ? b.ObjectOpacity(x, y) != 0 : b.MaskAt(x, y) != 0;
            if (inObject)
                box.Include(x, y);
        }
    }
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
