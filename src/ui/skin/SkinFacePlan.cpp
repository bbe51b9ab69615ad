#include "ui/skin/SkinFacePlan.h"

#include "render/TruncToInt.h"
#include "ui/skin/ShiftColor.h"

namespace {

// One gradient style: the shades are offsets from the face colour.
struct GradientStyle {
    int32_t a, c;           // band 1 runs from c+a toward c+c
    int32_t band1Divisor;   // band 1 covers h / divisor rows from the top
    int32_t d, b;           // band 2 runs from c+d toward c+b
    int32_t band2Divisor;   // band 2 starts at h / divisor ...
    bool band2FromBottom;   // ... counted from the bottom (h - h / divisor)
    int32_t fill;           // rows in neither band
};

const GradientStyle kGradients[10] = {
    {24, 0, 8, 0, -16, 8, true, 0},      // 1
    {32, 0, 6, 0, 32, 6, true, 0},       // 2
    {-16, 0, 6, 0, -24, 6, true, 0},     // 3
    {16, 0, 2, 0, -8, 2, true, 0},       // 4
    {-16, 0, 4, 0, 32, 4, true, 0},      // 5
    {-8, 0, 2, 0, 16, 2, true, 0},       // 6
    {0, -24, 6, -24, 24, 6, false, -24}, // 7
    {24, -24, 10, -24, 24, 10, false, -24}, // 8
    {24, 0, 2, -24, 0, 2, false, 0},     // 9, Chrome
    {0, 24, 3, -24, 0, 3, false, 24},    // 10
};

uint32_t Mix(uint32_t from, uint32_t to, double t)
{
    auto channel = [t](uint32_t s, uint32_t e) {
        return static_cast<uint32_t>(TruncToInt(static_cast<double>(s) * (1.0 - t) + static_cast<double>(e) * t));
    };
    return MakeColor(channel(RedOf(from), RedOf(to)), channel(GreenOf(from), GreenOf(to)),
                     channel(BlueOf(from), BlueOf(to)));
}

// Rows first .. first + length - 1 (clipped to the face) run from `from` at
// the first row toward `to`.
void FillBand(std::vector<uint32_t>& rows, int32_t first, int32_t length, uint32_t from, uint32_t to)
{
    const int32_t height = static_cast<int32_t>(rows.size());
    for (int32_t y = first; y < first + length && y < height; ++y) {
        if (y < 0)
            continue;
        const double t = static_cast<double>(y - first) / static_cast<double>(length);
        rows[static_cast<size_t>(y)] = Mix(from, to, t);
    }
}

void GradientRows(const GradientStyle& g, uint32_t c, int32_t h, std::vector<uint32_t>& rows)
{
    rows.assign(static_cast<size_t>(h), ShiftColor(c, g.fill));
    const int32_t band1Rows = h / g.band1Divisor;
    FillBand(rows, 0, band1Rows, ShiftColor(c, g.a), ShiftColor(c, g.c));
    const int32_t band2First = g.band2FromBottom ? h - h / g.band2Divisor : h / g.band2Divisor;
    FillBand(rows, band2First, h - band2First, ShiftColor(c, g.d), ShiftColor(c, g.b));
}

void AquaRows(uint32_t c, int32_t h, int32_t line, std::vector<uint32_t>& rows)
{
    const uint32_t base = ShiftColor(c, 0);
    rows.assign(static_cast<size_t>(h), base);
    const int32_t half = h / 2;
    FillBand(rows, h - half, half, base, ShiftColor(c, 16));
    // The glossy edges are as thick as the rings around them.
    const uint32_t gloss = ShiftColor(c, 24);
    for (int32_t i = 0; i < line && i < h; ++i) {
        rows[static_cast<size_t>(i)] = gloss;
        rows[static_cast<size_t>(h - 1 - i)] = gloss;
    }
}

PixelRect Deflate(const PixelRect& r, int32_t by) { return PixelRect{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

int32_t ClampSkinState(int32_t state)
{
    if (state < kStateNormal)
        return kStateNormal;
    if (state > kStatePressed)
        return kStatePressed;
    return state;
}

int32_t SkinFaceInset(const RingRow& row)
{
    int32_t inset = 3;
    if (row.r[4] == 0) {
        --inset;
        if (row.r[2] == 0) {
            --inset;
            if (row.r[0] == 0)
                --inset;
        }
    }
    return inset;
}

bool SkinFaceRows(int32_t style, uint32_t color, int32_t height, std::vector<uint32_t>& rows, int32_t line)
{
    rows.clear();
    if (height < 0)
        height = 0;
    if (style == kStyleFlat) {
        rows.assign(static_cast<size_t>(height), ShiftColor(color, 0));
        return true;
    }
    if (style == kStyleAqua) {
        AquaRows(color, height, line, rows);
        return true;
    }
    if (style >= 1 && style <= 10) {
        GradientRows(kGradients[style - 1], color, height, rows);
        return true;
    }
    return false;
}

RingRow BlendRingRows(const RingRow& normal, const RingRow& hotRow, double hot)
{
    RingRow out{};
    for (int i = 0; i < 6; ++i)
        out.r[i] = TruncToInt(normal.r[i] * (1.0 - hot) + hotRow.r[i] * hot);
    return out;
}

SkinFacePlan PlanSkinFace(const RingTable& table, int32_t style, uint32_t ringBase, const PixelRect& rect,
                          uint32_t color, int32_t state, double hot, int32_t line)
{
    SkinFacePlan plan;
    if (line < 1)
        line = 1;
    plan.line = line;
    state = ClampSkinState(state);
    const RingRow& row = table.rows[state];
    plan.face = Deflate(rect, SkinFaceInset(row) * line);
    plan.hasFill = SkinFaceRows(style, color, plan.face.bottom - plan.face.top, plan.rowColors, line);

    const RingRow offsets = state == kStateHot ? BlendRingRows(table.rows[kStateNormal], row, hot) : row;
    plan.ringDrawn[0] = RingIsDrawn(row.r[0]);
    plan.rings[0] = {rect, ShiftColor(ringBase, offsets.r[0]), ShiftColor(ringBase, offsets.r[1])};
    plan.ringDrawn[1] = RingIsDrawn(row.r[2]);
    plan.rings[1] = {Deflate(rect, line), ShiftColor(color, offsets.r[2]), ShiftColor(color, offsets.r[3])};
    plan.ringDrawn[2] = RingIsDrawn(row.r[4]);
    plan.rings[2] = {Deflate(rect, 2 * line), ShiftColor(color, offsets.r[4]), ShiftColor(color, offsets.r[5])};
    return plan;
}
