#include "render/TexturedQuad.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/BlendTexel.h"
#include "render/LerpArgb.h"
#include "render/TruncToInt.h"

namespace {

int Next(int k) { return (k + 1) & 3; }
int Prev(int k) { return (k + 3) & 3; }

// Topmost corner; on a tie the next corner along the forward (right) chain
// wins when it is not left of the current one, so a horizontal top edge is
// entered from its left end by the backward walk.
int TopCorner(const QuadCorner3D* c)
{
    int t = 0;
    for (int i = 1; i < 4; ++i) {
        if (c[i].sy < c[t].sy)
            t = i;
        else if (c[i].sy == c[t].sy && c[i].sx >= c[t].sx && i == Next(t))
            t = i;
    }
    return t;
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

SpanEnd3D EdgeStep(const SpanEnd3D& from, const SpanEnd3D& to, int64_t dy)
{
    const double d = static_cast<double>(dy);
    return {(to.x - from.x) / d, (to.iz - from.iz) / d, (to.uz - from.uz) / d, (to.vz - from.vz) / d};
}

void Advance(SpanEnd3D& value, const SpanEnd3D& step)
{
    value.x += step.x;
    value.iz += step.iz;
    value.uz += step.uz;
    value.vz += step.vz;
}

// Where a span of row y starts and ends on the frame, and its values at
// its first pixel. False when it draws nothing.
struct SpanStart {
    int32_t first, last;
    double iz, uz, vz;
    double diz, duz, dvz;
};

bool StartSpan(const FrameTarget3D& frame, int32_t y, SpanEnd3D a, SpanEnd3D b, SpanStart& span)
{
    if (y < 0 || y >= frame.height || frame.width <= 0 || !(a.iz > 0) || !(b.iz > 0))
        return false;
    int32_t p0 = TruncToInt(a.x + 0.5);
    int32_t p1 = TruncToInt(b.x + 0.5);
    if (p0 == p1)
        return false;
    if (p0 > p1) {
        std::swap(a, b);
        std::swap(p0, p1);
    }
    const double dx = b.x - a.x;
    if (dx < 0.0000001)
        return false;
    span.diz = (b.iz - a.iz) / dx;
    span.duz = (b.uz - a.uz) / dx;
    span.dvz = (b.vz - a.vz) / dx;
    span.iz = a.iz + (p0 - a.x) * span.diz;
    span.uz = a.uz + (p0 - a.x) * span.duz;
    span.vz = a.vz + (p0 - a.x) * span.dvz;
    if (p0 < 0) {
        span.iz = span.iz - p0 * span.diz;
        span.uz = span.uz - p0 * span.duz;
        span.vz = span.vz - p0 * span.dvz;
    }
    // Clamping alone would fold a span lying wholly left or right of the
    // frame onto the edge column and paint one stray pixel there.
    if (p1 < 0 || p0 > frame.width - 1)
        return false;
    span.first = Clamp(p0, 0, frame.width - 1);
    span.last = Clamp(p1, 0, frame.width - 1);
    return span.first <= span.last;
}

void SpanPixels(const FrameTarget3D& frame, int32_t y, SpanEnd3D a, SpanEnd3D b, const CTexture3D& texture,
                double nearCutIz)
{
    SpanStart span;
    if (!StartSpan(frame, y, a, b, span))
        return;
    double iz = span.iz, uz = span.uz, vz = span.vz;
    const double diz = span.diz, duz = span.duz, dvz = span.dvz;
    const int32_t first = span.first, last = span.last;

    const ARGB* tex = texture.pixels.data();
    const intptr_t texWidth = texture.width;
    const double w1 = texture.width - 1;
    const double h1 = texture.height - 1;
    // Row y of the buffer; column x of the frame is its pixel x - originX.
    ARGB* row = frame.pixels + static_cast<intptr_t>(y - frame.originY) * frame.stride;
    const int32_t storedFirst = frame.firstColumn > frame.originX ? frame.firstColumn : frame.originX;
    const int32_t storedLast = frame.endColumn - 1;
    for (int32_t x = first; x <= last; ++x) {
        // Nothing nearer than depth 5.5; the rest of the row goes too, so
        // geometry crossing the viewer is cut rather than mirrored.
        if (!(iz > 0 && iz < nearCutIz))
            break;
        if (x < storedFirst || x > storedLast) {
            // Outside the buffer: the values still step as they would.
            iz += diz;
            uz += duz;
            vz += dvz;
            continue;
        }
        double u = uz / iz;
        double v = vz / iz;
        // Written so that a NaN lands on 0 rather than reaching the
        // conversions below.
        if (!(u >= 0))
            u = 0;
        if (u > w1)
            u = w1;
        if (!(v >= 0))
            v = 0;
        if (v > h1)
            v = h1;
        double uR = u + 1;
        double vB = v + 1;
        if (uR > w1)
            uR = w1;
        if (vB > h1)
            vB = h1;
        const intptr_t iu = static_cast<intptr_t>(u);
        const intptr_t iv = static_cast<intptr_t>(v);
        const ARGB* top = tex + iv * texWidth;
        const ARGB* bottom = tex + static_cast<intptr_t>(vB) * texWidth;
        const intptr_t iuR = static_cast<intptr_t>(uR);
        const ARGB c00 = top[iu], c10 = top[iuR], c01 = bottom[iu], c11 = bottom[iuR];
        ARGB s = c00;
        // Interpolating a value with itself gives it back to the bit, so a
        // uniform neighbourhood (most of a shadow texture) skips the filter.
        if (c10 != c00 || c01 != c00 || c11 != c00) {
            const double fx = 1 - (u - iu);
            const double fy = 1 - (v - iv);
            s = LerpArgb(LerpArgb(c00, c10, fx), LerpArgb(c01, c11, fx), fy);
        }
        ARGB& pixel = row[x - frame.originX];
        pixel = BlendTexel(pixel, s);
        iz += diz;
        uz += duz;
        vz += dvz;
    }
}

}  // namespace

double NearCutIz()
{
    static const double threshold = [] {
        // The literal rule, searched once: 1 / iz falls as iz grows, so the
        // positive iz it removes are exactly those from one double upwards.
        auto cut = [](double iz) { return TruncToInt(1 / iz + 0.5) <= 5; };
        double t = 1 / 5.5;
        while (!cut(t))
            t = std::nextafter(t, 1.0);
        while (cut(std::nextafter(t, 0.0)))
            t = std::nextafter(t, 0.0);
        return t;
    }();
    return threshold;
}

void DrawTexturedSpan(const FrameTarget3D& frame, int32_t y, SpanEnd3D a, SpanEnd3D b, const CTexture3D& texture)
{
    if (texture.width <= 0 || texture.height <= 0)
        return;
    SpanPixels(frame, y, a, b, texture, NearCutIz());
}

namespace {

// Walks the quad's rows down its two chains of edges and hands each row's
// two ends to `span`, exactly as the quad is drawn.
template <class SpanFn>
void WalkQuad(const FrameTarget3D& frame, const QuadCorner3D* c, const CTexture3D& texture, const SpanFn& span)
{
    const double w1 = texture.width - 1;
    const double h1 = texture.height - 1;
    SpanEnd3D q[4];
    for (int k = 0; k < 4; ++k)
        q[k] = {static_cast<double>(c[k].sx), 1 / c[k].depth, c[k].u * w1 / c[k].depth, c[k].v * h1 / c[k].depth};

    const int t = TopCorner(c);
    // The backward chain starts at the far (left) end of a horizontal top
    // edge; the forward chain starts at t.
    int l0 = t;
    while (c[Prev(l0)].sy == c[l0].sy && Prev(l0) != t)
        l0 = Prev(l0);
    int l1 = Prev(l0);
    int r1 = Next(t);
    const int64_t dyL = int64_t(c[l1].sy) - c[l0].sy;
    const int64_t dyR = int64_t(c[r1].sy) - c[t].sy;
    if (dyL == 0 || dyR == 0)
        return;
    SpanEnd3D left = q[l0], leftStep = EdgeStep(q[l0], q[l1], dyL);
    SpanEnd3D right = q[t], rightStep = EdgeStep(q[t], q[r1], dyR);

    int32_t y = c[t].sy;
    for (;;) {
        if (right.x < left.x)
            break;
        if (y >= frame.height || y >= frame.endRow)
            break;
        if (y >= 0 && y >= frame.firstRow)
            span(y, left, right);
        ++y;
        Advance(left, leftStep);
        Advance(right, rightStep);
        if (y > c[l1].sy) {
            if (l1 == r1)
                break;
            const int l0Next = l1;
            l1 = Prev(l0Next);
            const int64_t dy = int64_t(c[l1].sy) - c[l0Next].sy;
            if (dy == 0)
                break;
            leftStep = EdgeStep(q[l0Next], q[l1], dy);
            left = q[l0Next];
            Advance(left, leftStep);
        }
        if (y > c[r1].sy) {
            const int r0 = r1;
            r1 = Next(r0);
            const int64_t dy = int64_t(c[r1].sy) - c[r0].sy;
            if (dy == 0)
                break;
            rightStep = EdgeStep(q[r0], q[r1], dy);
            right = q[r0];
            Advance(right, rightStep);
        }
    }
}

}  // namespace

void DrawTexturedQuad(const FrameTarget3D& frame, const QuadCorner3D* c, const CTexture3D& texture)
{
    if (texture.width <= 0 || texture.height <= 0)
        return;
    const double nearCutIz = NearCutIz();
    WalkQuad(frame, c, texture, [&](int32_t y, const SpanEnd3D& left, const SpanEnd3D& right) {
        SpanPixels(frame, y, left, right, texture, nearCutIz);
    });
}

PixelRect QuadReach(const FrameTarget3D& frame, const QuadCorner3D* c, const CTexture3D& texture)
{
    PixelRect reach{0, 0, 0, 0};
    if (texture.width <= 0 || texture.height <= 0)
        return reach;
    bool any = false;
    WalkQuad(frame, c, texture, [&](int32_t y, const SpanEnd3D& left, const SpanEnd3D& right) {
        SpanStart span;
        if (!StartSpan(frame, y, left, right, span))
            return;
        if (!any) {
            reach = PixelRect{span.first, y, span.last + 1, y + 1};
            any = true;
            return;
        }
        reach.left = std::min(reach.left, span.first);
        reach.right = std::max(reach.right, span.last + 1);
        reach.top = std::min(reach.top, y);
        reach.bottom = std::max(reach.bottom, y + 1);
    });
    return reach;
}
