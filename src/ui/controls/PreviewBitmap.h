// CPreviewBitmap: the main dialog's window onto the full-size result at its
// zoom level (one image pixel per screen pixel at 100 %), panned by dragging
// with the left button. Holding the right button asks the owner to show the
// original image in the same place until it is released; the control then
// says "Original" in its corner.
//
// The control holds no image of its own: it keeps the geometry of the view
// (CPreviewView: the image extent and the visible rectangle) and a pointer
// to a view-sized buffer that its owner fills with the composite pixels
// under the view rectangle. Painting only blends that ready buffer over the
// background and copies it; it never composes the shadow. Until a buffer is
// set the control says "Preparing data...".
//
// Besides its window the control keeps one bitmap of the view's size, the
// picture it paints from.
//
// The geometry is the control's own unless the owner binds it to the one
// its shadow scene composes from (BindView), so there is one view rectangle
// for both.
#pragma once

#include "imaging/Dib.h"
#include "imaging/PreviewView.h"
#include "ui/framework/Controls.h"

class CPreviewBitmap : public CButton {
public:
    CPreviewBitmap();

    // Makes `buffer` the view buffer, stores the extent and recomputes the
    // view rectangle for the current client size (centred on the extent, or
    // on the current view with keepCentre), then re-creates the buffer at
    // the view size. Neither paints nor fills the buffer; callers follow it
    // with ClampView.
    void SetImage(CDib* buffer, const PixelRect& extent, bool keepCentre);
    // Moves the view back inside the extent.
    void ClampView() { m_pView->ClampView(); }

    // The geometry the control works on: its own, or the one bound to it.
    CPreviewView& View() { return *m_pView; }
    const CPreviewView& View() const { return *m_pView; }
    // Works on `view` from now on (null: the control's own again).
    void BindView(CPreviewView* view) { m_pView = view != nullptr ? view : &m_ownView; }
    // The visible part of the image, in image coordinates; the owner may
    // move it and then call ClampView.
    PixelRect& ViewRect() { return m_pView->m_rcView; }
    const PixelRect& ImageRect() const { return m_pView->m_rcImage; }

    COLORREF GetBackgroundColor() const { return m_crBackground; }
    void SetBackgroundColor(COLORREF color) { m_crBackground = color & 0x00FFFFFF; }
    bool IsDragging() const { return m_bDragging; }

    // The notification (WM_COMMAND's high word) sent when the right button
    // goes down or up on the control; ShowsOriginal tells which.
    static constexpr WORD kOriginalChanged = 0x4001;
    bool ShowsOriginal() const { return m_bOriginal; }
    // Where the picture's top-left corner lies in the client area.
    POINT PictureOrigin() const;

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void Paint(HDC dc, const RECT& client);
    void PaintImage(HDC dc, const RECT& client, const CDib& image);
    void PaintPreparing(HDC dc, const RECT& client);
    void PaintOriginalLabel(HDC dc, const RECT& client);
    void OnMouseMove(POINT point);
    void SetOriginal(bool shown);

    COLORREF m_crBackground;
    bool m_bDragging;
    POINT m_ptLast;
    // The parts of an image pixel the mouse has moved but the view not yet,
    // when a screen pixel is less than an image pixel.
    double m_dPanRestX = 0;
    double m_dPanRestY = 0;
    bool m_bOriginal = false;
    CPreviewView m_ownView;
    CPreviewView* m_pView;
    // The picture of the last paint, kept so that panning does not make a
    // new bitmap for every step; re-made when the view's size changes.
    CDib m_dibPaint;
    // Away from 100 %: the view's picture at its own size before scaling.
    CDib m_dibUnscaled;
};
