// CIconSlider: the parameter slider. A trackbar the plug-in draws entirely
// itself: a sunken track, an arrow button at each end that steps by one
// (repeating after 300 ms, then every 40 ms, while held), and a thumb in the
// current style that shows the value. Every change the user makes posts
// WM_COMMAND (id, 0, handle) to the parent, which reads the position back.
#pragma once

#include <cstdint>
#include <string>

#include "ui/controls/SliderGeometry.h"
#include "ui/framework/Controls.h"

class CIconSlider : public CSliderCtrl {
public:
    static constexpr UINT_PTR kRepeatDelayTimer = 967;
    static constexpr UINT kRepeatDelayMilliseconds = 300;
    static constexpr UINT_PTR kRepeatTimer = 966;
    static constexpr UINT kRepeatMilliseconds = 40;

    CIconSlider();

    // Track (and arrow buttons) and thumb colours; the slider leaves the tab
    // order.
    void SetSliderColours(COLORREF track, COLORREF thumb);
    // Range and position at once; always notifies the parent.
    void SetRangeAndValue(int min, int max, int pos);
    void SetValueFormat(const std::string& format) { m_strFormat = format; }

    COLORREF GetTrackColour() const { return m_crTrack; }
    COLORREF GetThumbColour() const { return m_crThumb; }
    bool IsDragging() const { return m_bDragging; }
    bool IsThumbHot() const { return (m_nHoverFlags & 1) != 0; }
    // The thumb in client coordinates (empty when min equals max).
    RECT GetThumbRect() const;

    // Paints the whole control into `dc`.
    void Paint(HDC dc);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    SliderMetrics Metrics() const;
    // Steps for a press at x; false when x asks for no step.
    bool StepAt(int x);
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void PaintArrows(HDC dc, const RECT& client, const SliderMetrics& metrics);
    void PaintThumb(HDC dc, const SliderMetrics& metrics);
    void Redraw();

    std::string m_strFormat;
    COLORREF m_crTrack;
    COLORREF m_crThumb;
    int32_t m_nThumbLength;
    int32_t m_nArrowSize;
    int32_t m_nDragOffset;
    uint32_t m_nHoverFlags;
    bool m_bDragging;
};
