// CAboutDib: the About box's picture. The logo with the credits scrolling
// up over its left part, dark grey text anti-aliased by drawing it at four
// times the resolution, fading in at the bottom and out at the top. The
// user can drag the credits and fling them upward; timer 766 moves them a
// quarter pixel every 10 ms and they wrap around once all have gone.
#pragma once

#include <vector>

#include "imaging/Dib.h"
#include "ui/controls/BitmapView.h"
#include "ui/dialogs/CreditsMotion.h"

class CAboutDib : public CBitmapView {
public:
    static constexpr UINT_PTR kTimer = 766;
    static constexpr UINT kTimerMilliseconds = 10;

    CAboutDib();
    ~CAboutDib() override;

    // Loads the logo, prepares the pictures and the font for `credits` (a
    // null-terminated array that outlives the control) and starts the timer.
    void Init(const char* const* credits);

    // The scrolling state, for the owner and for tests.
    CCreditsMotion& Motion() { return m_motion; }
    const CDib& WorkingPicture() const { return m_dibWorking; }
    const CDib& PristinePicture() const { return m_dibPristine; }
    // The credits part of the picture: its left 150/185.
    int CreditsWidth() const { return m_dibSource.GetWidth() * 150 / 185; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc) override;

private:
    bool MakeSourcePicture();
    void OpenMask();
    void CloseMask();
    void DrawCredits();
    int DrawMask();
    void OnTimer();

    HFONT m_hFont;
    CDib m_dibWorking;
    CDib m_dibPristine;
    CDib m_dibSource;
    CDib m_dibMask;
    CDib m_dibGrey;
    CCreditsMotion m_motion;
    const char* const* m_pCredits;
    bool m_bPicture;
    // The mask's open context, and where the last frame's lines went.
    HDC m_hMaskDC;
    HGDIOBJ m_hOldFont;
    std::vector<int32_t> m_lineWidths;
    std::vector<PixelRect> m_textRects;
    // The credits' sizes in mask pixels at the display's density.
    int m_nFontHeight = 0;
    int m_nTextLeft = 0;
    int m_nTextMargin = 0;
    int m_nTextSlack = 0;
};
