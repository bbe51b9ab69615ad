// The geometry of the preview: which part of the full-size image a control of
// a given client size shows at its zoom level (one image pixel per screen
// pixel at 100 %), and keeping that window inside the image while the user
// pans.
#pragma once

#include "imaging/Dib.h"
#include "imaging/PixelRect.h"

class CPreviewView {
public:
    // Makes `buffer` the view buffer, stores the image extent, recomputes the
    // view rectangle for a client area of clientWidth x clientHeight and
    // re-creates the buffer at the view size. The view is centred on the
    // extent, or on the current view when keepCentre is set. Does not clamp.
    void SetImage(CDib* buffer, const PixelRect& extent, bool keepCentre, int clientWidth, int clientHeight);

    // Moves the view back inside the extent, axis by axis; a view as wide as
    // the extent coincides with it.
    void ClampView();

    // Moves the view so that its centre lands on (x, y).
    void CentreOn(int x, int y);

    // The zoom level (PreviewZoom: 0 Fit, or a percentage) the next SetImage
    // lays the view out for.
    int m_nZoom = 100;
    // Screen pixels per image pixel since the last SetImage.
    double Scale() const { return m_dScale; }
    // The size the view buffer is shown at on screen (the view's size at
    // 100 %). Below 100 % the buffer is made at this size: the view is
    // rendered at its scale.
    int ShownWidth() const { return m_nShownWidth; }
    int ShownHeight() const { return m_nShownHeight; }
    // The image point under the shown picture's point (sx, sy), the picture's
    // top-left corner being (0, 0); and moving the view so that image point
    // (ix, iy) lies under (sx, sy) again.
    void ImagePointAt(double sx, double sy, double& ix, double& iy) const;
    void PlaceImagePointAt(double ix, double iy, double sx, double sy);

    CDib* Image() const { return m_pImage; }

    PixelRect m_rcImage{0, 0, 0, 0};
    PixelRect m_rcView{0, 0, 0, 0};
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;

private:
    // SetImage below 100 % or above it; the view at 100 % keeps its own
    // long-standing layout.
    void LayOutScaled(int cx, int cy, int clientWidth, int clientHeight);

    CDib* m_pImage = nullptr;
    double m_dScale = 1.0;
    int m_nShownWidth = 0;
    int m_nShownHeight = 0;
};

// The picture the preview paints: the view buffer laid over its background
// colour (ARGB, made opaque), a fully transparent pixel showing the
// background whatever its colour bytes hold. `out` is made the view's size.
// One pass over the pixels, with the same result as copying the view through
// the tent kernel of width 0.7 at its own size (which turns transparent
// pixels into 0) and blending the copy over a buffer of the background.
void ComposePreviewPaint(const CDib& view, ARGB background, CDib& out);
