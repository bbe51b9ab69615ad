// The preview window of the main dialog until the preview control lands:
// a one-to-one view onto the view buffer, panned by dragging, reporting
// each pan step to its parent as WM_COMMAND (id, 0, handle).
#pragma once

#include "imaging/Dib.h"
#include "imaging/PreviewView.h"
#include "ui/framework/Controls.h"

class CPreviewStandIn : public CButton {
public:
    void SetImage(CDib* buffer, const RECT& extent, bool keepCentre);
    void ClampView() { m_view.ClampView(); }
    CPreviewView m_view;

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    bool m_bDragging = false;
    POINT m_ptLast{0, 0};
};
