// CColorButton: the shadow-colour button. Its face is a flat swatch of the
// colour it holds, and it doubles as an eyedropper: press it and drag
// anywhere on the screen to pick the colour under the cursor, live.
//
// Every move of such a drag, and a release away from the button, posts
// WM_COMMAND (id, 0, handle) to the parent with click value 0: the face
// colour is a picked one. A release over the button restores the colour the
// press started with and clicks with click value 1: open the chooser.
#pragma once

#include "ui/controls/ButtonST.h"

class CColorButton : public CButtonST {
public:
    CColorButton();
    ~CColorButton() override;

    void DrawItem(DRAWITEMSTRUCT* item) override;

    // The pipette cursor at the button's display density (null if the
    // resource is missing); the button owns it.
    HCURSOR Pipette();
    // Its size at 96 DPI.
    static constexpr int kPipetteSize = 32;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPickMove(POINT point);
    void OnRelease(POINT point);

    HCURSOR m_hPipette;
    int m_nPipetteDpi;
    HCURSOR m_hArrow;
    COLORREF m_crSaved;
};
