// CButtonST: the skinned push button of every dialog.
//
// An owner-drawn button whose face is painted by PaintSkinFace in the
// current style. It fades between its face and hover colours in five 30 ms
// steps when the mouse comes and goes, can latch down as a check button, and
// shows an icon beside or instead of its text.
#pragma once

#include <cstdint>

#include "ui/framework/Controls.h"

class CButtonST : public CButton {
public:
    static constexpr UINT_PTR kFadeTimer = 666;
    static constexpr UINT kFadeMilliseconds = 30;
    static constexpr UINT_PTR kTrackTimer = 10;
    static constexpr UINT kTrackMilliseconds = 40;
    static constexpr int32_t kFadeSteps = 5;

    CButtonST();
    ~CButtonST() override;

    // Face colour, a hover colour 25 lighter, and black or white text to
    // suit the face.
    void SetFaceColor(COLORREF color, bool redraw = true);
    void SetHoverColor(COLORREF color, bool redraw = true);
    COLORREF GetFaceColor() const { return m_crFace; }
    COLORREF GetHoverColor() const { return m_crHover; }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetHoverTextColor() const { return m_crHoverText; }

    // A latched button fades to its hover colour and stays drawn pressed.
    void SetLatched(bool latch, bool redraw = true);
    bool IsLatched() const { return m_bLatched; }

    // Loads icon resources of the module (`iconOut` 0: the same as `iconIn`),
    // `cx` x `cy` being their size at 96 DPI; the button's display density
    // picks the size that is loaded.
    void LoadIcons(int iconIn, int iconOut, int cx, int cy);
    bool HasIcon() const { return m_hIconOut != nullptr; }
    // The loaded icon's size in device pixels.
    SIZE GetIconSize() const { return SIZE{m_nIconWidth, m_nIconHeight}; }

    void SetFocusRectangle(bool draw) { m_bDrawFocus = draw; }

    bool IsHovered() const { return m_bHover; }
    int32_t GetHoverStep() const { return m_nHoverStep; }
    int32_t GetFadeDirection() const { return m_nFadeDirection; }
    // Read by the owner of a colour button after each notification.
    int32_t GetClickValue() const { return m_nClickValue; }

    void DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void Redraw();
    void StartFade();
    // The hover rules of a mouse move at `point` (client coordinates).
    void OnMouseMove(WPARAM keys, POINT point);

    int32_t m_nPendingClickValue;
    int32_t m_nClickValue;

private:
    void ResetColors();
    void OnFadeTimer();
    void OnTrackTimer();
    void DestroyIcons();
    // Draws the icon and moves the text rectangle's left edge past it.
    void DrawButtonIcon(HDC dc, const RECT& item, RECT& text, bool hasText, bool pressed, bool disabled,
                        CDpiScale scale);
    void DrawCaption(HDC dc, RECT text, const char* caption, bool pressed, bool disabled, COLORREF face,
                     CDpiScale scale);

    HICON m_hIconIn;
    HICON m_hIconOut;
    bool m_bHover;
    bool m_bDrawFocus;
    bool m_bLatched;
    // What LoadIcons was asked for, to load again at a new density.
    int m_nIconInId = 0;
    int m_nIconOutId = 0;
    int m_nIconSize96 = 0;
    uint8_t m_nIconHeight;
    uint8_t m_nIconWidth;
    COLORREF m_crFace;
    COLORREF m_crText;
    COLORREF m_crHover;
    COLORREF m_crHoverText;
    int32_t m_nHoverStep;
    int32_t m_nFadeDirection;
    INT_PTR m_nFadeTimer;
};
