#include "render/ReducedPreview.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "imaging/WorkerThreads.h"
#include "render/Compositing.h"
#include "render/ShadowScene.h"

namespace {

const int kTexturedMode = 9;
const ARGB kPlaneColour = 0x7F000000;  // unused by the textured mode
// The frame is rendered at twice the reduced size and averaged down: the
// engine places the plane's corners on whole pixels, and half a reduced
// pixel of that rounding would show along every hard edge. The texture
// matches the finer frame, a texel to a pixel.
const int kSuper = 2;
const double kTexelsPerPixel = kSuper;

// One grid pixel's source pixels along an axis, in units of 1/grid of a
// source pixel: grid pixel i covers [i * length, (i + 1) * length) of the
// length * grid units, source pixel j the units [j * grid, (j + 1) * grid).
// Source pixels outside the readable range weigh nothing.
struct AxisSpan {
    int first;
    int count;
    // Units of each source pixel first ... first + count - 1 inside the span.
    std::vector<uint32_t> parts;
};

AxisSpan SpanOf(int i, int origin, int length, int grid, int readableBegin, int readableEnd)
{
    AxisSpan s{0, 0, {}};
    const int64_t begin = int64_t(i) * length;
    const int64_t end = begin + length;
    const int first = static_cast<int>(begin / grid);
    for (int64_t j = first; j * grid < end; ++j) {
        const int source = origin + static_cast<int>(j);
        if (source < readableBegin || source >= readableEnd)
            continue;
        if (s.count == 0)
            s.first = source;
        const int64_t lo = std::max(begin, j * grid);
        const int64_t hi = std::min(end, (j + 1) * grid);
        // Readable pixels are contiguous, so the parts stay in order.
        s.parts.push_back(static_cast<uint32_t>(hi - lo));
        s.count += 1;
    }
    return s;
}

inline uint32_t AlphaAt(const HostBuffers& h, ReducedAlpha alpha, int x, int y)
{
    return alpha == ReducedAlpha::Unselected ? 255u - h.MaskAt(x, y) : h.ObjectOpacity(x, y);
}

}  // namespace

void ReduceHostArea(const HostBuffers& host, ReducedAlpha alpha, const PixelRect& extent, int gridWidth,
                    int gridHeight, const PixelRect& readable, const PixelRect& rows, CDib& out)
{
    const int length = extent.right - extent.left;
    const int height = extent.bottom - extent.top;
    if (out.IsEmpty() || length <= 0 || height <= 0 || gridWidth <= 0 || gridHeight <= 0)
        return;
    const PixelRect read = readable.Intersect(extent);
    std::vector<AxisSpan> xs;
    for (int tx = rows.left; tx < rows.right; ++tx)
        xs.push_back(SpanOf(tx, extent.left, length, gridWidth, read.left, read.right));
    const int width = rows.right - rows.left;
    const uint64_t total = uint64_t(length) * uint64_t(height);
    const bool silhouette = alpha == ReducedAlpha::Silhouette;
    const bool layerOnly = alpha != ReducedAlpha::Unselected && host.maskData == nullptr && host.HasTransparency();
    const int planes = host.planes;
    ParallelFor(rows.bottom - rows.top, LinesPerThread(width * std::max(1, length / gridWidth) *
                                                       std::max(1, height / gridHeight)),
                [&](int begin, int end) {
        // Per grid pixel: alpha, and red, green, blue each weighted by alpha.
        std::vector<uint64_t> sums(static_cast<size_t>(width) * 4);
        for (int r = begin; r < end; ++r) {
            std::fill(sums.begin(), sums.end(), 0);
            const AxisSpan ys = SpanOf(rows.top + r, extent.top, height, gridHeight, read.top, read.bottom);
            for (int k = 0; k < ys.count; ++k) {
                const int y = ys.first + k;
                const uint64_t wy = ys.parts[k];
                for (int i = 0; i < width; ++i) {
                    const AxisSpan& span = xs[i];
                    uint64_t a = 0, red = 0, green = 0, blue = 0;
                    const uint8_t* p = host.InPixel(span.first, y);
                    for (int m = 0; m < span.count; ++m, p += planes) {
                        // A layer's opacity is its own byte; anything else
                        // asks the host buffers.
                        const uint32_t pa = layerOnly ? p[3] : AlphaAt(host, alpha, span.first + m, y);
                        const uint64_t wa = uint64_t(pa) * span.parts[m];
                        a += wa;
                        if (silhouette)
                            continue;
                        red += wa * p[0];
                        green += wa * p[1];
                        blue += wa * p[2];
                    }
                    uint64_t* s = &sums[static_cast<size_t>(i) * 4];
                    s[0] += a * wy;
                    s[1] += red * wy;
                    s[2] += green * wy;
                    s[3] += blue * wy;
                }
            }
            ARGB* dst = out.Row(r);
            for (int i = 0; i < width; ++i) {
                const uint64_t* s = &sums[static_cast<size_t>(i) * 4];
                const uint64_t a = (s[0] + total / 2) / total;
                if (a == 0 || silhouette) {
                    dst[i] = static_cast<ARGB>(a) << 24;
                    continue;
                }
                uint8_t bytes[3];
                for (int c = 0; c < 3; ++c)
                    bytes[c] = static_cast<uint8_t>((s[c + 1] + s[0] / 2) / s[0]);
                dst[i] = HostBytesToArgb(bytes, static_cast<uint32_t>(a));
            }
        }
    });
}

namespace {

// The grid pixels [first, end) that cover source pixels [begin, end) of an
// axis of `length` pixels reduced to `grid`.
void GridCover(int begin, int endPixel, int length, int grid, int& first, int& end)
{
    first = static_cast<int>(int64_t(begin) * grid / length);
    end = static_cast<int>((int64_t(endPixel) * grid + length - 1) / length);
    end = std::min(std::max(end, first + 1), grid);
}

int ReducedLength(int length, double scale) { return std::max(2, static_cast<int>(length * scale + 0.5)); }

}  // namespace

size_t ReducedSources::Bytes() const
{
    size_t bytes = 0;
    for (const CDib* dib : {&image, &object, &silhouette})
        bytes += size_t(dib->GetWidth()) * size_t(dib->GetHeight()) * sizeof(ARGB);
    return bytes;
}

std::shared_ptr<const ReducedSources> ReduceSources(const HostBuffers& host, const RunGeometry& full, bool imageShows,
                                                    int width, int height)
{
    std::shared_ptr<ReducedSources> s = std::make_shared<ReducedSources>();
    s->width = width;
    s->height = height;
    s->imageShows = imageShows;
    RunGeometry& reduced = s->reduced;
    reduced = full;
    reduced.imageWidth = width;
    reduced.imageHeight = height;
    int right = 0, bottom = 0;
    GridCover(full.cropLeft, full.cropRight + 1, full.imageWidth, width, reduced.cropLeft, right);
    GridCover(full.cropTop, full.cropBottom + 1, full.imageHeight, height, reduced.cropTop, bottom);
    reduced.cropRight = right - 1;
    reduced.cropBottom = bottom - 1;
    const PixelRect image{0, 0, full.imageWidth, full.imageHeight};
    const PixelRect crop{full.cropLeft, full.cropTop, full.cropRight + 1, full.cropBottom + 1};
    // A layer's reduction may hold only the crop box: nothing outside it is
    // read but the unselected picture of a flat image.
    if (imageShows && s->image.Create(width, height))
        ReduceHostArea(host, ReducedAlpha::Unselected, image, width, height, image, PixelRect{0, 0, width, height},
                       s->image);
    if (s->object.Create(reduced.CropWidth(), reduced.CropHeight()))
        ReduceHostArea(host, ReducedAlpha::Object, image, width, height, crop,
                       PixelRect{reduced.cropLeft, reduced.cropTop, right, bottom}, s->object);
    // The silhouette spans the crop box alone, as the full texture does.
    const double scale = kTexelsPerPixel * width / full.imageWidth;
    const int tw = ReducedLength(full.CropWidth(), scale);
    const int th = ReducedLength(full.CropHeight(), kTexelsPerPixel * height / full.imageHeight);
    if (s->silhouette.Create(tw, th))
        ReduceHostArea(host, ReducedAlpha::Silhouette, crop, tw, th, crop, PixelRect{0, 0, tw, th}, s->silhouette);
    return s;
}

CReducedPreview::CReducedPreview(const HostBuffers& host, const RunGeometry& full, bool imageShows, int width,
                                 int height)
    : CReducedPreview(full, ReduceSources(host, full, imageShows, width, height))
{
}

CReducedPreview::CReducedPreview(const RunGeometry& full, std::shared_ptr<const ReducedSources> sources)
    : m_full(full), m_sources(std::move(sources)), m_reduced(m_sources->reduced), m_image(m_sources->image),
      m_object(m_sources->object), m_silhouette(m_sources->silhouette)
{
    const int width = m_reduced.imageWidth, height = m_reduced.imageHeight;
    if (m_render.Create(width, height) && m_frame.Create(width * kSuper, height * kSuper))
        m_engine.Init(m_frame.GetWidth(), m_frame.GetHeight(), m_frame.GetPixels(), m_frame.GetStride(), &m_frame,
                      true);
    m_engine.AddObject(kTexturedMode, kPlaneColour);
}

bool CReducedPreview::IsValid() const
{
    return !m_object.IsEmpty() && !m_silhouette.IsEmpty() && !m_render.IsEmpty() && !m_frame.IsEmpty();
}

void CReducedPreview::BuildTexture(ARGB colour, const ShadowParams& params, SoftBlurSpan span)
{
    if (!IsValid())
        return;
    const int w = m_silhouette.GetWidth();
    const int h = m_silhouette.GetHeight();
    const int fullH = m_full.CropHeight();
    CTexture3D& texture = m_spareTexture;
    const std::vector<ARGB*> rows = texture.Resize(w, h);
    // Each texel row fades as the full texture's row under its centre.
    for (int y = 0; y < h; ++y) {
        const int fullRow = std::min(fullH - 1, static_cast<int>((y + 0.5) * fullH / h));
        const uint32_t f = ShadowFadeFactor(fullRow, fullH, params.intensity, params.Position());
        const ARGB* from = m_silhouette.Row(y);
        for (int x = 0; x < w; ++x)
            rows[y][x] = colour | ((from[x] >> 24) * f / 255) << 24;
    }
    // The blur's radius and its span in texels of the reduced size.
    const double sx = static_cast<double>(w) / m_full.CropWidth();
    const double sy = static_cast<double>(h) / fullH;
    const auto row = [&](int fullRow) { return static_cast<int>(std::floor((fullRow + 0.5) * sy)); };
    const SoftBlurSpan reduced{row(span.hingeRow), row(span.farRow)};
    SoftBlurInPlace(rows.data(), w, h, params.blur / 5.0 * 0.5 * (sx + sy), params.softness, reduced);
    m_engine.ExchangeTexture(0, texture);
}

void CReducedPreview::Render(CRender3D& full, const PixelRect& view)
{
    m_rcHeld = PixelRect{0, 0, 0, 0};
    if (!IsValid() || m_engine.GetTextureCount() == 0 || full.GetObjectCount() == 0)
        return;
    CObject3D& plane = m_engine.Object(0);
    plane = full.Object(0);
    plane.texture = 0;
    // Texel centres where the full texture's pixels they average lie: the
    // plane's nodes run from the first texel's centre to the last's.
    const double w = m_full.CropWidth(), h = m_full.CropHeight();
    const double tw = m_silhouette.GetWidth(), th = m_silhouette.GetHeight();
    const double insetX = 0.5 * w / tw - 0.5, insetY = 0.5 * h / th - 0.5;
    for (int32_t n = 0; n < plane.nodes.GetCount(); ++n) {
        CNode3D& node = plane.nodes[n];
        node.x += node.u < 0.5 ? insetX : -insetX;
        node.y += node.v < 0.5 ? insetY : -insetY;
    }
    // The camera of the full frame, shrunk: a frame position p (pixel
    // centres on whole numbers) lands at (p + 0.5) x scale - 0.5.
    const double sx = static_cast<double>(m_frame.GetWidth()) / m_full.imageWidth;
    const double sy = static_cast<double>(m_frame.GetHeight()) / m_full.imageHeight;
    m_engine.m_matScene = full.m_matScene;
    m_engine.m_dFocal = full.m_dFocal * sx;
    m_engine.m_dCenterX = (full.m_dCenterX + 0.5) * sx - 0.5;
    m_engine.m_dCenterY = (full.m_dCenterY + 0.5) * sy - 0.5;
    RenderPart(view.Intersect(PixelRect{0, 0, m_reduced.imageWidth, m_reduced.imageHeight}));
}

void CReducedPreview::RenderPart(const PixelRect& part)
{
    if (part.IsEmpty())
        return;
    m_engine.RenderRect(PixelRect{part.left * kSuper, part.top * kSuper, part.right * kSuper, part.bottom * kSuper});
    AverageDown(part);
    m_rcHeld = m_rcHeld.IsEmpty() ? part
                                  : PixelRect{std::min(part.left, m_rcHeld.left), std::min(part.top, m_rcHeld.top),
                                              std::max(part.right, m_rcHeld.right),
                                              std::max(part.bottom, m_rcHeld.bottom)};
}

void CReducedPreview::CompleteView(const PixelRect& given)
{
    const PixelRect view = given.Intersect(PixelRect{0, 0, m_reduced.imageWidth, m_reduced.imageHeight});
    const PixelRect held = m_rcHeld;
    if (held.IsEmpty() || view.IsEmpty())
        return;  // nothing rendered yet: the next render draws the view
    if (view.left >= held.left && view.top >= held.top && view.right <= held.right && view.bottom <= held.bottom)
        return;
    const PixelRect grown{std::min(view.left, held.left), std::min(view.top, held.top),
                          std::max(view.right, held.right), std::max(view.bottom, held.bottom)};
    const int64_t viewArea = int64_t(view.right - view.left) * (view.bottom - view.top);
    const int64_t grownArea = int64_t(grown.right - grown.left) * (grown.bottom - grown.top);
    const int64_t heldArea = int64_t(held.right - held.left) * (held.bottom - held.top);
    if (grownArea - heldArea > 2 * viewArea) {
        // Far from what is held: that is dropped.
        m_rcHeld = PixelRect{0, 0, 0, 0};
        RenderPart(view);
        return;
    }
    // A drag draws the strips it uncovers: above and below the part held,
    // across the grown width, then left and right of it.
    const PixelRect strips[] = {
        {grown.left, grown.top, grown.right, held.top},
        {grown.left, held.bottom, grown.right, grown.bottom},
        {grown.left, held.top, held.left, held.bottom},
        {held.right, held.top, grown.right, held.bottom},
    };
    for (const PixelRect& strip : strips)
        RenderPart(strip);
    m_rcHeld = grown;
}

void CReducedPreview::AverageDown(const PixelRect& part)
{
    // Each reduced pixel the average of its kSuper x kSuper frame pixels,
    // the colour weighted by alpha (an untouched frame pixel is transparent
    // black and must not darken the shadow's colour).
    const int n = kSuper * kSuper;
    ParallelFor(part.bottom - part.top, LinesPerThread((part.right - part.left) * n), [&](int begin, int end) {
        for (int y = part.top + begin; y < part.top + end; ++y) {
            ARGB* out = m_render.Row(y);
            for (int x = part.left; x < part.right; ++x) {
                uint32_t a = 0, r = 0, g = 0, b = 0;
                for (int dy = 0; dy < kSuper; ++dy) {
                    const ARGB* in = m_frame.Row(y * kSuper + dy) + x * kSuper;
                    for (int dx = 0; dx < kSuper; ++dx) {
                        const ARGB v = in[dx];
                        const uint32_t va = v >> 24;
                        a += va;
                        r += va * (v >> 16 & 0xFF);
                        g += va * (v >> 8 & 0xFF);
                        b += va * (v & 0xFF);
                    }
                }
                if (a == 0) {
                    out[x] = 0;
                    continue;
                }
                out[x] = (a + n / 2) / n << 24 | (r + a / 2) / a << 16 | (g + a / 2) / a << 8 | (b + a / 2) / a;
            }
        }
    });
}

void CReducedPreview::Compose(CDib& view, int left, int top, const ShadowParams& params, bool withObject) const
{
    // No object over or under the shadow alone: an empty cut-out blends
    // nothing.
    static const CDib kNoObject;
    ::ComposePreview(view, left, top, m_image, m_render, withObject ? m_object : kNoObject, m_reduced,
                     params.transparency, params.IsOutside());
}
