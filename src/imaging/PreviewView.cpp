#include "imaging/PreviewView.h"

#include <algorithm>
#include <cmath>

#include "imaging/PreviewZoom.h"
#include "imaging/WorkerThreads.h"

namespace {

void OffsetRect(PixelRect& r, int dx, int dy)
{
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
}

// One axis of ClampView; lo/hi are the view's edges, low/high the extent's.
void ClampAxis(int32_t& lo, int32_t& hi, int32_t low, int32_t high)
{
    if (hi - lo == high - low) {
        lo = low;
        hi = high;
        return;
    }
    if (lo < low) {
        hi += low - lo;
        lo = low;
    }
    if (hi > high) {
        lo -= hi - high;
        hi = high;
    }
}

}  // namespace

void CPreviewView::SetImage(CDib* buffer, const PixelRect& extent, bool keepCentre, int clientWidth,
                            int clientHeight)
{
    m_pImage = buffer;
    const PixelRect& centreOf = keepCentre ? m_rcView : extent;
    const int cx = (centreOf.left + centreOf.right) / 2;
    const int cy = (centreOf.top + centreOf.bottom) / 2;
    m_rcImage = extent;

    const int extentWidth = extent.right - extent.left;
    const int extentHeight = extent.bottom - extent.top;
    const double fit = PreviewZoom::FitScale(clientWidth - 1, clientHeight - 1, extentWidth, extentHeight);
    m_dScale = PreviewZoom::Scale(m_nZoom, fit);
    if (m_dScale != 1.0) {
        LayOutScaled(cx, cy, clientWidth, clientHeight);
        return;
    }

    // The client area less its 1-pixel frame, cut to the image size; the
    // frame's left and top pixels are then given back.
    PixelRect inner{1, 1, clientWidth - 1, clientHeight - 1};
    PixelRect r = inner.Intersect(PixelRect{0, 0, extent.right - extent.left, extent.bottom - extent.top});
    if (r.IsEmpty())
        r = PixelRect{0, 0, 0, 0};
    r.left -= 1;
    r.top -= 1;

    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    m_rcView = PixelRect{cx - width / 2, cy - height / 2, cx - width / 2 + width, cy - height / 2 + height};
    m_nViewWidth = width;
    m_nViewHeight = height;
    m_nShownWidth = width;
    m_nShownHeight = height;
    if (m_pImage)
        m_pImage->Create(width, height);
}

void CPreviewView::LayOutScaled(int cx, int cy, int clientWidth, int clientHeight)
{
    // As at 100 %, the client area less one pixel of its frame is what the
    // picture may cover; the view holds the image pixels that cover it.
    const int availWidth = std::max(0, clientWidth - 1);
    const int availHeight = std::max(0, clientHeight - 1);
    const int extentWidth = m_rcImage.right - m_rcImage.left;
    const int extentHeight = m_rcImage.bottom - m_rcImage.top;
    int width = extentWidth;
    int height = extentHeight;
    if (m_nZoom != PreviewZoom::kFit) {
        width = std::min(extentWidth, static_cast<int>(availWidth / m_dScale));
        height = std::min(extentHeight, static_cast<int>(availHeight / m_dScale));
    }
    width = std::max(0, width);
    height = std::max(0, height);
    if (m_dScale > 1.0) {
        // Whole-factor enlargements: every image pixel a square.
        const int factor = static_cast<int>(m_dScale);
        m_nShownWidth = width * factor;
        m_nShownHeight = height * factor;
    } else {
        m_nShownWidth = std::min(availWidth, std::max(1, static_cast<int>(width * m_dScale + 0.5)));
        m_nShownHeight = std::min(availHeight, std::max(1, static_cast<int>(height * m_dScale + 0.5)));
    }
    if (width == 0 || height == 0)
        m_nShownWidth = m_nShownHeight = 0;
    m_rcView = PixelRect{cx - width / 2, cy - height / 2, cx - width / 2 + width, cy - height / 2 + height};
    m_nViewWidth = width;
    m_nViewHeight = height;
    // Reduced, the view is rendered at the size it is shown at; enlarged,
    // it holds the image pixels that are then enlarged.
    if (m_pImage && m_dScale < 1.0)
        m_pImage->Create(m_nShownWidth, m_nShownHeight);
    else if (m_pImage)
        m_pImage->Create(width, height);
}

void CPreviewView::ImagePointAt(double sx, double sy, double& ix, double& iy) const
{
    const double rx = m_nShownWidth > 0 ? static_cast<double>(m_nViewWidth) / m_nShownWidth : 1.0;
    const double ry = m_nShownHeight > 0 ? static_cast<double>(m_nViewHeight) / m_nShownHeight : 1.0;
    ix = m_rcView.left + sx * rx;
    iy = m_rcView.top + sy * ry;
}

void CPreviewView::PlaceImagePointAt(double ix, double iy, double sx, double sy)
{
    double x = 0, y = 0;
    ImagePointAt(sx, sy, x, y);
    OffsetRect(m_rcView, static_cast<int>(std::floor(ix - x + 0.5)), static_cast<int>(std::floor(iy - y + 0.5)));
}

void CPreviewView::ClampView()
{
    ClampAxis(m_rcView.left, m_rcView.right, m_rcImage.left, m_rcImage.right);
    ClampAxis(m_rcView.top, m_rcView.bottom, m_rcImage.top, m_rcImage.bottom);
}

void CPreviewView::CentreOn(int x, int y)
{
    const int cx = (m_rcView.left + m_rcView.right) / 2;
    const int cy = (m_rcView.top + m_rcView.bottom) / 2;
    OffsetRect(m_rcView, x - cx, y - cy);
}

void ComposePreviewPaint(const CDib& view, ARGB background, CDib& out)
{
    const int width = view.GetWidth();
    const int height = view.GetHeight();
    if (view.IsEmpty() || (out.GetWidth() != width || out.GetHeight() != height || out.IsEmpty())) {
        if (view.IsEmpty() || !out.Create(width, height))
            return;
    }
    const ARGB ground = background | 0xFF000000u;
    // Rows are independent; a Fit view of a large image has millions.
    ParallelFor(height, LinesPerThread(width), [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const ARGB* from = view.Row(y);
            ARGB* to = out.Row(y);
            for (int x = 0; x < width; ++x) {
                const ARGB p = from[x];
                to[x] = (p >> 24) == 0 ? ground : BlendArgb(ground, p);
            }
        }
    });
}
