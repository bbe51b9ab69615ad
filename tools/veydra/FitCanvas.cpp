#include "FitCanvas.h"

#include <algorithm>
#include <cstring>

#include "RenderJob.h"
#include "engine/ShadowEngine.h"

namespace {

struct Margins {
    int left, top, right, bottom;
};

// The padding's bytes at canvas pixel (x, y) of a flat image grown by `m`.
const uint8_t* PaddingAt(const RasterImage& image, const Margins& m, const uint8_t* background, int x, int y)
{
    if (background)
        return background;
    const int sx = std::min(std::max(x - m.left, 0), image.width - 1);
    const int sy = std::min(std::max(y - m.top, 0), image.height - 1);
    return &image.pixels[(size_t(sy) * image.width + sx) * image.planes];
}

// Where the shadow changed the margins of `canvas` (grown by `m` around
// `original`), together with the original's own rectangle.
PixelRect ShadowedPart(const RasterImage& canvas, const RasterImage& original, const Margins& m,
                       const uint8_t* background)
{
    PixelRect part{m.left, m.top, m.left + original.width, m.top + original.height};
    const int planes = canvas.planes;
    const bool layer = planes >= 4;
    for (int y = 0; y < canvas.height; ++y) {
        const uint8_t* row = &canvas.pixels[size_t(y) * canvas.RowBytes()];
        const bool inside = y >= m.top && y < m.top + original.height;
        for (int x = 0; x < canvas.width; ++x) {
            if (inside && x == m.left) {
                x = m.left + original.width - 1;  // the original itself is always kept
                continue;
            }
            const uint8_t* p = row + size_t(x) * planes;
            // A layer's margins are fully transparent and a shadow pixel
            // there shows exactly when it leaves some opacity; a flat
            // image's show it when their colour changed.
            const bool changed = layer ? p[3] != 0 : std::memcmp(p, PaddingAt(original, m, background, x, y), 3) != 0;
            if (!changed)
                continue;
            part.left = std::min(part.left, x);
            part.right = std::max(part.right, x + 1);
            part.top = std::min(part.top, y);
            part.bottom = std::max(part.bottom, y + 1);
        }
    }
    return part;
}

// Cuts `image` down to `part` where it lies: each row moves to an earlier
// place (or stays), so going down the rows never overwrites one still to
// come, and no second canvas-sized buffer is needed.
void CropInPlace(RasterImage& image, const PixelRect& part)
{
    const size_t fromBytes = size_t(image.RowBytes());
    const size_t rowBytes = size_t(part.right - part.left) * size_t(image.planes);
    for (int y = part.top; y < part.bottom; ++y)
        std::memmove(&image.pixels[size_t(y - part.top) * rowBytes],
                     &image.pixels[size_t(y) * fromBytes + size_t(part.left) * image.planes], rowBytes);
    image.width = part.right - part.left;
    image.height = part.bottom - part.top;
    image.pixels.resize(rowBytes * size_t(image.height));
}

// Margins that hold the whole plane, and the 20-pixel surround the texture
// is cut from (so the crop box is never clipped and the shadow is built from
// all of it). Found on the picture padded by that surround on every side.
Margins PlaneMargins(const RasterImage& image, const RasterImage* mask, const RenderOptions& options, int limit)
{
    const int s = kCropMargin;
    RasterImage padded = PadImage(image, s, s, s, s, 0);
    RasterImage paddedMask;
    if (mask)
        paddedMask = PadImage(*mask, s, s, s, s, 0);
    const CShadowEngine engine(ImageDocument(padded, mask ? &paddedMask : nullptr));
    if (engine.Refusal() != RunRefusal::None)
        throw CliError(options.input + ": " + RefusalText(engine.Refusal()));
    const RunGeometry& g = engine.Geometry();
    const PixelRect reach = engine.PlaneReach(options.params, limit);

    // In the original's coordinates: the surround, then the plane.
    Margins m{std::max(0, s - g.cropLeft), std::max(0, s - g.cropTop), std::max(0, g.cropRight + 1 - s - image.width),
              std::max(0, g.cropBottom + 1 - s - image.height)};
    if (!reach.IsEmpty()) {
        m.left = std::max(m.left, s - reach.left);
        m.top = std::max(m.top, s - reach.top);
        m.right = std::max(m.right, reach.right - s - image.width);
        m.bottom = std::max(m.bottom, reach.bottom - s - image.height);
    }
    return m;
}

}  // namespace

int FitGrowthLimit(int width, int height) { return std::max(std::max(width, height), 2048); }

RasterImage PadImage(const RasterImage& image, int left, int top, int right, int bottom, int32_t background)
{
    RasterImage out;
    out.width = image.width + left + right;
    out.height = image.height + top + bottom;
    out.planes = image.planes;
    const size_t rowBytes = size_t(out.RowBytes());
    out.pixels.resize(rowBytes * out.height);
    const int planes = image.planes;
    const bool flat = planes == 3;
    uint8_t colour[3] = {uint8_t(background & 0xFF), uint8_t(background >> 8 & 0xFF), uint8_t(background >> 16 & 0xFF)};
    const Margins m{left, top, right, bottom};
    for (int y = 0; y < out.height; ++y) {
        uint8_t* row = &out.pixels[size_t(y) * rowBytes];
        const int sy = y - top;
        if (!flat) {
            // Transparent (or unselected) margins.
            std::memset(row, 0, rowBytes);
            if (sy >= 0 && sy < image.height)
                std::memcpy(row + size_t(left) * planes, &image.pixels[size_t(sy) * image.RowBytes()],
                            size_t(image.RowBytes()));
            continue;
        }
        for (int x = 0; x < out.width; ++x)
            std::memcpy(row + size_t(x) * 3, PaddingAt(image, m, background >= 0 ? colour : nullptr, x, y), 3);
        if (sy >= 0 && sy < image.height)
            std::memcpy(row + size_t(left) * 3, &image.pixels[size_t(sy) * image.RowBytes()], size_t(image.RowBytes()));
    }
    return out;
}

FitPlacement ApplyShadowFitted(RasterImage& image, const RasterImage* mask, const RenderOptions& options,
                               const std::function<void(const char*)>& lap)
{
    CheckMaskFits(image, mask, options);
    const int limit = FitGrowthLimit(image.width, image.height);
    const Margins wanted = PlaneMargins(image, mask, options, limit);
    const Margins m{std::min(wanted.left, limit), std::min(wanted.top, limit), std::min(wanted.right, limit),
                    std::min(wanted.bottom, limit)};
    lap("fit: shadow reach");
    const uint64_t canvasWidth = uint64_t(image.width) + m.left + m.right;
    const uint64_t canvasHeight = uint64_t(image.height) + m.top + m.bottom;
    if (canvasWidth * canvasHeight * 4 > kMaxImageBytes)
        throw CliError(options.input + ": the canvas --fit needs, " + std::to_string(canvasWidth) + "x" +
                       std::to_string(canvasHeight) + ", is too large to hold in memory");

    RasterImage canvas = PadImage(image, m.left, m.top, m.right, m.bottom, options.background);
    RasterImage canvasMask;
    if (mask)
        canvasMask = PadImage(*mask, m.left, m.top, m.right, m.bottom, 0);
    lap("fit: padding");
    ApplyShadowInPlace(canvas, mask ? &canvasMask : nullptr, options, lap);

    const uint8_t colour[3] = {uint8_t(options.background & 0xFF), uint8_t(options.background >> 8 & 0xFF),
                               uint8_t(options.background >> 16 & 0xFF)};
    const PixelRect part = ShadowedPart(canvas, image, m, options.background >= 0 ? colour : nullptr);
    FitPlacement placement;
    placement.canvasWidth = part.right - part.left;
    placement.canvasHeight = part.bottom - part.top;
    placement.offsetX = m.left - part.left;
    placement.offsetY = m.top - part.top;
    placement.cut = (wanted.left > limit && part.left == 0) || (wanted.top > limit && part.top == 0) ||
                    (wanted.right > limit && part.right == canvas.width) ||
                    (wanted.bottom > limit && part.bottom == canvas.height);
    CropInPlace(canvas, part);
    image = std::move(canvas);
    lap("fit: trim");
    return placement;
}

std::string DescribePlacement(const FitPlacement& p)
{
    std::string text = "canvas " + std::to_string(p.canvasWidth) + "x" + std::to_string(p.canvasHeight) +
                       ", original at (" + std::to_string(p.offsetX) + ", " + std::to_string(p.offsetY) + ")";
    if (p.cut)
        text += "; the shadow reaches past the --fit limit and is cut there";
    return text;
}
