// The geometry of the preview: which part of the full-size image a control of
// a given client size shows at one image pixel per screen pixel, and keeping
// that window inside the image while the user pans.
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

    CDib* Image() const { return m_pImage; }

    PixelRect m_rcImage{0, 0, 0, 0};
    PixelRect m_rcView{0, 0, 0, 0};
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;

private:
    CDib* m_pImage = nullptr;
};

// The picture the preview paints: the view buffer laid over its background
// colour (ARGB, made opaque), a fully transparent pixel showing the
// background whatever its colour bytes hold. `out` is made the view's size.
// One pass over the pixels, with the same result as copying the view through
// the tent kernel of width 0.7 at its own size (which turns transparent
// pixels into 0) and blending the copy over a buffer of the background.
void ComposePreviewPaint(const CDib& view, ARGB background, CDib& out);
