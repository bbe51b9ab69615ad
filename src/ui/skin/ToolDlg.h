// CToolDlg: the skinned frame every dialog of the plug-in is built on.
//
// The templates have no system caption or border; the frame paints them: a
// striped background in the window colour, a bevelled border, a caption bar
// in the current style with an outlined title, and (for a resizable frame)
// a size grip. The caption drags the dialog, the edges of a resizable one
// size it, and a frame with a close button 1005 rolls up to its caption on
// a double-click. Enter and Escape do nothing unless a derived dialog says
// otherwise.
#pragma once

#include "ui/skin/ResizableDialog.h"

class CToolDlg : public CResizableDialog {
public:
    CToolDlg(int templateId, CWnd* parent);
    ~CToolDlg() override;

    // Rolls the dialog up to its caption bar, or restores it.
    virtual void SetMinimized(bool minimize);
    bool IsMinimized() const { return m_bMinimized; }
    bool IsResizable() const { return m_bResizable; }

    // The caption bar: the window rectangle of control 1004 in client
    // coordinates (empty without one).
    RECT GetCaptionRect() const;

    bool PreTranslateMessage(MSG* msg) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Only the main dialog is resizable; it says so in its constructor.
    void SetResizable(bool resizable) { m_bResizable = resizable; }

    // Paints the whole client area (background, grip, border, caption).
    void PaintFrame(HDC dc);

private:
    void PaintStripes(HDC dc, const RECT& client, CDpiScale scale);
    void PaintGrip(HDC dc, const RECT& client, CDpiScale scale);
    void PaintCaption(HDC dc, CDpiScale scale);
    void OnLButtonDown(POINT point);
    bool OnLButtonDblClk(POINT point);
    void UpdateCursor();
    bool IsMainDialog() const;

    bool m_bSkipNextSize;
    bool m_bMinimized;
    int m_nSavedHeight;
    bool m_bResizable;
    HCURSOR m_hCursors[5];
    HACCEL m_hAccel;
};
