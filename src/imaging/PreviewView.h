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
