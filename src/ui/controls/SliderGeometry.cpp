#include "ui/controls/SliderGeometry.h"

PixelRect SliderThumbRect(const SliderMetrics& m)
{
    if (m.min == m.max)
        return PixelRect{0, 0, 0, 0};
    const PixelRect& c = m.client;
    const int64_t travel = static_cast<int64_t>(c.right) - 2 * m.arrow - 2 * m.frame - c.left - m.thumb;
    const int64_t offset = (static_cast<int64_t>(m.pos) - m.min) * travel / (static_cast<int64_t>(m.max) - m.min);
    const int32_t left = static_cast<int32_t>(m.arrow + offset + m.frame);
    return PixelRect{left, c.top + m.frame, left + m.thumb, c.bottom - m.frame};
}

int32_t SliderStepAt(const SliderMetrics& m, int32_t x)
{
    if (x < m.client.left + m.arrow)
        return -1;
    if (x > m.client.right - m.arrow)
        return 1;
    const PixelRect thumb = SliderThumbRect(m);
    if (thumb.IsEmpty())
        return 0;
    if (x < thumb.left)
        return -m.page;
    if (x >= thumb.right)
        return m.page;
    return 0;
}

int32_t SliderDragValue(const SliderMetrics& m, int32_t mouseX, int32_t dragOffset)
{
    const PixelRect& c = m.client;
    const int32_t half = m.thumb / 2;
    const int64_t low = static_cast<int64_t>(m.arrow) + half;
    const int64_t high = static_cast<int64_t>(c.right) - m.arrow - half - c.left;
    const int64_t travel = static_cast<int64_t>(c.right) - 2 * m.arrow - m.thumb - c.left;
    // A slider too narrow to drag in keeps its value.
    if (travel <= 0 || high < low)
        return m.pos;
    int64_t x = static_cast<int64_t>(mouseX) + dragOffset;
    if (x < low)
        x = low;
    if (x > high)
        x = high;
    return static_cast<int32_t>(m.min + (static_cast<int64_t>(m.max) - m.min) * (x - low) / travel);
}
