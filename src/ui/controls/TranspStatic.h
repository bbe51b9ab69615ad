// CTranspStatic: a label drawn straight onto the dialog's striped
// background, its text engraved (a light copy one pixel down and right, the
// dark text on top; on a window colour too dark for dark text, light text
// that reads), or an icon when it has no text.
#pragma once

#include "ui/framework/Controls.h"

class CTranspStatic : public CStatic {
public:
    CTranspStatic();

    // The icon shown while the label has no text; the owner keeps it.
    void SetIcon(HICON icon);
    HICON GetIcon() const { return m_hIcon; }

    void Paint(HDC dc);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HICON m_hIcon;
};
