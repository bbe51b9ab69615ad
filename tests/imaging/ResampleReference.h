// A deliberately plain resampler, written straight from the algorithm with
// no table sharing, no classification of windows and no loop reordering.
// The production C2PassScale must match it bit for bit.
#pragma once

#include <cmath>
#include <cstring>
#include <vector>

#include "imaging/Argb.h"

namespace reference {

struct Window {
    int first = 0;
    int last = -1;
    std::vector<double> weights;
};

template <class CFilter>
Window WeightsFor(const CFilter& kernel, int i, int srcLength, double scale)
{
    double w = kernel.GetWidth();
    double f = 1.0;
    if (scale < 1.0) {
        w = w / scale;
        f = scale;
    }
    const int windowSize = 2 * static_cast<int>(std::ceil(w)) + 1;
    const double c = i / scale;
    Window win;
    win.first = std::max(0, static_cast<int>(std::floor(c - w)));
    win.last = std::min(static_cast<int>(std::ceil(c + w)), srcLength - 1);
    if (win.last - win.first + 1 > windowSize) {
        if (win.first < srcLength)
            win.first++;
        else
            win.last--;
    }
    double sum = 0;
    for (int j = win.first; j <= win.last; ++j) {
        win.weights.push_back(kernel.Evaluate(std::fabs((c - j) * f)) * f);
        sum += win.weights.back();
    }
    if (sum > 0)
        for (double& x : win.weights)
            x /= sum;
    return win;
}

inline uint32_t Store(double sum)
{
    const double v = std::trunc(sum + 0.5);
    return v < 0 ? 0 : v > 255 ? 255 : static_cast<uint32_t>(v);
}

inline ARGB Pixel32(const std::vector<ARGB>& p, const std::vector<double>& w)
{
    double t = 0;
    for (size_t k = 0; k < p.size(); ++k)
        if ((p[k] >> 24) == 0)
            t += w[k];
    const double g = t < 1 ? 1 / (1 - t) : t;
    double sums[4] = {0, 0, 0, 0};  // blue, green, red, alpha
    for (size_t k = 0; k < p.size(); ++k) {
        if ((p[k] >> 24) == 0)
            continue;
        sums[3] += (p[k] >> 24) * w[k];
        for (int ch = 0; ch < 3; ++ch)
            sums[ch] += ((p[k] >> (8 * ch)) & 0xFF) * w[k] * g;
    }
    return Store(sums[3]) << 24 | Store(sums[2]) << 16 | Store(sums[1]) << 8 | Store(sums[0]);
}

inline ARGB Pixel8(const std::vector<ARGB>& p, const std::vector<double>& w, ARGB current)
{
    double a = 0;
    for (size_t k = 0; k < p.size(); ++k)
        if ((p[k] >> 24) != 0)
            a += (p[k] >> 24) * w[k];
    return Store(a) << 24 | (current & 0x00FFFFFF);
}

// Resamples a tightly packed sw x sh image into dw x dh (same packing).
template <class CFilter>
std::vector<ARGB> Resize(const std::vector<ARGB>& src, int sw, int sh, std::vector<ARGB> dst, int dw, int dh,
                         double width, bool alphaOnly)
{
    const CFilter kernel(width);
    std::vector<ARGB> mid(static_cast<size_t>(dw) * sh, 0);
    if (dw == sw)
        mid = src;
    for (int y = 0; y < sh; ++y) {
        for (int x = 0; x < dw; ++x) {
            const Window win = WeightsFor(kernel, x, sw, static_cast<double>(dw) / sw);
            std::vector<ARGB> p;
            for (int j = win.first; j <= win.last; ++j)
                p.push_back(src[static_cast<size_t>(y) * sw + j]);
            ARGB& out = mid[static_cast<size_t>(y) * dw + x];
            out = alphaOnly ? Pixel8(p, win.weights, out) : Pixel32(p, win.weights);
        }
    }
    if (dh == sh)
        dst = mid;
    for (int x = 0; x < dw; ++x) {
        for (int y = 0; y < dh; ++y) {
            const Window win = WeightsFor(kernel, y, sh, static_cast<double>(dh) / sh);
            std::vector<ARGB> p;
            for (int j = win.first; j <= win.last; ++j)
                p.push_back(mid[static_cast<size_t>(j) * dw + x]);
            ARGB& out = dst[static_cast<size_t>(y) * dw + x];
            out = alphaOnly ? Pixel8(p, win.weights, out) : Pixel32(p, win.weights);
        }
    }
    return dst;
}

}  // namespace reference
