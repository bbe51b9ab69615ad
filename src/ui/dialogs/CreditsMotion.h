// The arithmetic of the About box's scrolling credits, apart from any
// window so that it is tested on every build.
//
// Positions are in quarter pixels of the picture, as the credits are drawn
// at four times the picture's resolution. A line is 92 units (23 pixels)
// below the one before it; a line at y is drawn while 0 < y < bottom, where
// bottom = 4 x picture height - 64, fading in over its last 128 units and out
// over the first 128.
#pragma once

#include <cstdint>

const int32_t kCreditsLinePitch = 92;

// The bottom limit: where the credits start and how far a drag pulls them.
inline int32_t CreditsBottom(int32_t pictureHeight) { return pictureHeight * 4 - 64; }

// The brightness (0-256) of a line at y, for a line that is drawn.
int32_t CreditsFade(int32_t y, int32_t bottom);

class CCreditsMotion {
public:
    // Starts at the bottom of a picture of the given height, still.
    void Reset(int32_t pictureHeight);

    // On a dense display the lines are drawn larger: `pitch` units apart
    // (kCreditsLinePitch at 96 DPI), creeping `creep` units a tick so they
    // take the same time to cross the picture.
    void SetLineScale(int32_t pitch, int32_t creep);
    int32_t LinePitch() const { return m_nLinePitch; }

    // One tick of the animation: a fling left by an upward drag carries on
    // and decays by 1/1.1, then the credits creep up by one unit (or the
    // creep set above).
    void Tick();

    // The left button went down at row y of the picture.
    void BeginDrag(int32_t y);
    // The mouse moved to row y with the button down: the credits follow it
    // (never below the bottom limit) and its last step becomes the fling.
    // False when there is no drag.
    bool DragTo(int32_t y);
    void EndDrag();

    // Once the last of `lineCount` lines has left the top, the credits
    // start again from the bottom. True when they did.
    bool WrapAround(int32_t lineCount);

    bool IsDragging() const { return m_bDragging; }
    int32_t m_nScrollPos = 0;
    int32_t m_nDragY = -1;
    int32_t m_nFling = 0;
    int32_t m_nBottom = 0;

private:
    bool m_bDragging = false;
    int32_t m_nLinePitch = kCreditsLinePitch;
    int32_t m_nCreep = 1;
};
