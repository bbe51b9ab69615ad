// CResizableDialog: a dialog whose registered controls follow anchors in
// percent of the client area when it is resized, which cannot be made
// smaller than it opened, and which can show the standard size grip.
#pragma once

#include "ui/framework/Array.h"
#include "ui/framework/Dialog.h"
#include "ui/skin/AnchorMath.h"

class CResizableDialog : public CDialog {
public:
    CResizableDialog(int templateId, CWnd* parent);

    // Registers a control; call from OnInitDialog once the controls exist.
    void AddAnchor(HWND control, AnchorPoint topLeft, AnchorPoint bottomRight = kNoAnchor);
    void AddAnchor(int id, AnchorPoint topLeft, AnchorPoint bottomRight = kNoAnchor);
    // Takes the current rectangle of a registered control as the one its
    // anchors keep (a control that sized itself to a new text, say).
    void ReanchorControl(HWND control);
    void ShowSizeGrip(bool show);
    // Moves and sizes every registered control for the current client size.
    virtual void ArrangeLayout();

    int GetLayoutCount() const { return m_arrLayout.GetSize(); }
    // The density the layout and the minimum size are measured at.
    int GetLayoutDpi() const { return m_nLayoutDpi; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool IsLayoutReady() const { return m_bInitDone; }
    SIZE GetMinTrackSize() const { return m_szMinTrack; }

private:
    struct LayoutInfo {
        HWND window;
        bool refresh;
        AnchorLayout anchors;
    };

    void UpdateGripRect();
    // The dialog moved to a display of another density (WM_DPICHANGED):
    // the minimum size and the anchored distances follow, and the window
    // takes the rectangle the system suggests, which keeps its place
    // relative to the display.
    void OnDpiChanged(int dpi, const RECT& suggested, WPARAM wParam, LPARAM lParam);

    bool m_bShowGrip;
    bool m_bUseMinTrack;
    bool m_bInitDone;
    int m_nGripWidth;
    int m_nGripHeight;
    RECT m_rcGrip;
    SIZE m_szMinTrack;
    int m_nLayoutDpi;
    CArray<LayoutInfo> m_arrLayout;
};
