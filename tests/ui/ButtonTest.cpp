// The skinned buttons under Wine: colours, painting, the hover fade as a
// state machine of WM_TIMER deliveries, latching, icons, and the colour
// button's eyedropper.
#include "ControlsHost.h"

#include "resources/ControlResources.h"
#include "ui/controls/ButtonColors.h"
#include "ui/skin/ShiftColor.h"

namespace {

using ButtonTest = ControlsTest;

LRESULT CALLBACK RedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        HBRUSH brush = ::CreateSolidBrush(RGB(255, 0, 0));
        ::FillRect(dc, &paint.rcPaint, brush);
        ::DeleteObject(brush);
        ::EndPaint(window, &paint);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(ButtonTest, AttachingTakesTheSkinColoursAndOwnerDraw)
{
    CButtonST& b = m_host.m_button;
    EXPECT_EQ(b.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(b.GetFaceColor(), kControl);
    EXPECT_EQ(b.GetHoverColor(), ShiftColor(kControl, 16));
    // The dialog manager's default-button restyling keeps it owner-drawn.
    ::SendMessageA(b.m_hWnd, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(b.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST(ButtonWithoutSkin, FallsBackToTheSystemFace)
{
    ASSERT_EQ(CurrentSkin(), nullptr);
    CButtonST b;
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(b.GetFaceColor(), ShiftColor(face, 5));
    EXPECT_EQ(b.GetHoverColor(), ShiftColor(face, 25));
}

TEST_F(ButtonTest, FaceColourSetsHoverAndTextColours)
{
    CButtonST& b = m_host.m_button;
    b.SetFaceColor(0x00404040);
    EXPECT_EQ(b.GetTextColor(), kWhite);
    EXPECT_EQ(b.GetHoverTextColor(), kWhite);
    EXPECT_EQ(b.GetHoverColor(), 0x00595959u);
    b.SetFaceColor(0x00400090);
    EXPECT_EQ(b.GetTextColor(), kBlack);
    b.SetFaceColor(0x00F0E6C8);
    EXPECT_EQ(b.GetHoverColor(), 0x00FFFFE1u);  // channels above 230 stop at 255

    // Painted: white letters on the dark face, none on the light one.
    CDib dib;
    b.SetFaceColor(0x00404040, false);
    Print(b.m_hWnd, dib, kWindow);
    EXPECT_GT(CountColor(dib, kWhite), 10);
    b.SetFaceColor(0x00F0E6C8, false);
    Print(b.m_hWnd, dib, kWindow);
    EXPECT_EQ(CountColor(dib, kWhite), 0);
    EXPECT_GT(CountColor(dib, kBlack), 10);
}

TEST_F(ButtonTest, HoverStepBlendsFaceAndHover)
{
    CButtonST& b = m_host.m_button;
    b.SetText("");
    const COLORREF face = 0x00305070, hover = 0x00B0D0F0;
    b.SetFaceColor(face, false);
    b.SetHoverColor(hover, false);
    SendMouse(b.m_hWnd, WM_MOUSEMOVE, 5, 5);
    ASSERT_TRUE(b.IsHovered());
    EXPECT_EQ(m_timers.Period(b.m_hWnd, CButtonST::kFadeTimer), 30u);
    EXPECT_EQ(m_timers.Period(b.m_hWnd, CButtonST::kTrackTimer), 40u);
    CRecordingTimers::Fire(b.m_hWnd, CButtonST::kFadeTimer);
    CRecordingTimers::Fire(b.m_hWnd, CButtonST::kFadeTimer);
    ASSERT_EQ(b.GetHoverStep(), 2);

    CDib dib;
    Print(b.m_hWnd, dib, kWindow);
    const COLORREF mixed = ButtonFadeColor(face, hover, 2);
    EXPECT_EQ(mixed, RGB((3 * 0x70 + 2 * 0xF0) / 5, (3 * 0x50 + 2 * 0xD0) / 5, (3 * 0x30 + 2 * 0xB0) / 5));
    EXPECT_EQ(PixelColor(dib, dib.GetWidth() / 2, dib.GetHeight() / 2), mixed);
    // The middle ring is 2/5 of the way from Normal (-64) to Hot (-48).
    EXPECT_EQ(PixelColor(dib, dib.GetWidth() / 2, 1), ShiftColor(mixed, -57));
}

TEST_F(ButtonTest, FadeClimbsToFiveAndReversesWithoutJumping)
{
    CButtonST& b = m_host.m_button;
    const HWND w = b.m_hWnd;
    SendMouse(w, WM_MOUSEMOVE, 5, 5);
    std::vector<int> steps;
    for (int i = 0; i < 3; ++i) {
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
        steps.push_back(b.GetHoverStep());
    }
    // The mouse leaves halfway: the fade turns back from where it is.
    RECT window;
    ::GetWindowRect(w, &window);
    ::SetCursorPos(window.right + 200, window.bottom + 200);
    CRecordingTimers::Fire(w, CButtonST::kTrackTimer);
    EXPECT_FALSE(b.IsHovered());
    EXPECT_FALSE(m_timers.IsRunning(w, CButtonST::kTrackTimer));
    EXPECT_EQ(b.GetFadeDirection(), -1);
    while (m_timers.IsRunning(w, CButtonST::kFadeTimer) && steps.size() < 20) {
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
        steps.push_back(b.GetHoverStep());
    }
    EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 2, 1, 0, 0}));
    EXPECT_EQ(b.GetFadeDirection(), 0);

    // A full fade in: five steps up, and the tick after the fifth, finding
    // nowhere to go, stops the timer.
    SendMouse(w, WM_MOUSEMOVE, 5, 5);
    for (int i = 0; i < 5; ++i)
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
    EXPECT_EQ(b.GetHoverStep(), 5);
    EXPECT_TRUE(m_timers.IsRunning(w, CButtonST::kFadeTimer));
    CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
    EXPECT_EQ(b.GetHoverStep(), 5);
    EXPECT_FALSE(m_timers.IsRunning(w, CButtonST::kFadeTimer));
}

TEST_F(ButtonTest, DisabledButtonNeitherHoversNorFadesAndIsEmbossed)
{
    CButtonST& b = m_host.m_button;
    ::EnableWindow(b.m_hWnd, FALSE);
    SendMouse(b.m_hWnd, WM_MOUSEMOVE, 5, 5);
    EXPECT_FALSE(b.IsHovered());
    EXPECT_FALSE(m_timers.IsRunning(b.m_hWnd, CButtonST::kFadeTimer));

    CDib dib;
    Print(b.m_hWnd, dib, kWindow);
    EXPECT_GT(CountColor(dib, ShiftColor(kControl, 48)), 5);   // the light copy
    EXPECT_GT(CountColor(dib, ShiftColor(kControl, -80)), 5);  // the text on top
    EXPECT_EQ(CountColor(dib, b.GetTextColor()), 0);
}

TEST_F(ButtonTest, LatchedButtonStaysLitAndLooksPressed)
{
    CButtonST& b = m_host.m_button;
    const HWND w = b.m_hWnd;
    b.SetLatched(true);
    EXPECT_TRUE(m_timers.IsRunning(w, CButtonST::kFadeTimer));
    for (int i = 0; i < 6; ++i)
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
    EXPECT_EQ(b.GetHoverStep(), 5);
    // The mouse comes and goes: a latched button does not fade back.
    SendMouse(w, WM_MOUSEMOVE, 5, 5);
    SendMouse(w, WM_MOUSEMOVE, 500, 500);
    for (int i = 0; i < 6; ++i)
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
    EXPECT_EQ(b.GetHoverStep(), 5);

    CDib dib;
    Print(w, dib, kWindow);
    EXPECT_EQ(PixelColor(dib, 10, 0), ShiftColor(kWindow, -64));  // Pressed outer ring
    EXPECT_EQ(PixelColor(dib, 10, dib.GetHeight() - 1), ShiftColor(kWindow, 48));

    b.SetLatched(false);
    for (int i = 0; i < 7; ++i)
        CRecordingTimers::Fire(w, CButtonST::kFadeTimer);
    EXPECT_EQ(b.GetHoverStep(), 0);
}

TEST_F(ButtonTest, IconsBesideOrInsteadOfText)
{
    CButtonST& b = m_host.m_button;
    b.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
    ASSERT_TRUE(b.HasIcon());
    b.SetFaceColor(0x00404040, false);
    CDib dib;
    Print(b.m_hWnd, dib, kWindow);
    const int iconTop = (dib.GetHeight() - 16) / 2;
    const RECT iconArea{4, iconTop, 20, iconTop + 16};
    EXPECT_GT(CountColor(dib, kWhite, &iconArea), 8);  // the white cross at the left

    b.SetText("");
    Print(b.m_hWnd, dib, kWindow);
    const int left = (dib.GetWidth() - 16) / 2;
    const RECT centred{left, iconTop, left + 16, iconTop + 16};
    EXPECT_GT(CountColor(dib, kWhite, &centred), 8);
    EXPECT_EQ(CountColor(dib, kWhite, &iconArea), 0);

    b.LoadIcons(4321, 0, 16, 16);  // no such icon: text only
    EXPECT_FALSE(b.HasIcon());
}

TEST_F(ButtonTest, ColorButtonPicksTheScreenColourUnderTheCursor)
{
    // A pure red window somewhere on the screen, away from the host.
    WNDCLASSA redClass{};
    redClass.lpfnWndProc = &RedWindowProc;
    redClass.lpszClassName = "VeydraTestRed";
    ::RegisterClassA(&redClass);
    HWND red = ::CreateWindowExA(WS_EX_TOPMOST, "VeydraTestRed", "", WS_POPUP | WS_VISIBLE, 700, 500, 60, 60, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(red, nullptr);
    ASSERT_TRUE(PumpUntil([] {
        HDC screen = ::GetDC(nullptr);
        const COLORREF c = ::GetPixel(screen, 730, 530);
        ::ReleaseDC(nullptr, screen);
        return c == RGB(255, 0, 0);
    })) << "the red window never reached the screen";

    CColorButton& c = m_host.m_color;
    const COLORREF start = 0x00336699;
    c.SetFaceColor(start);
    const HWND w = c.m_hWnd;
    POINT overRed{730, 530};
    ::ScreenToClient(w, &overRed);

    SendMouse(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(w, WM_MOUSEMOVE, overRed.x, overRed.y, MK_LBUTTON);
    EXPECT_EQ(c.GetFaceColor(), 0x000000FFu);
    PumpMessages();
    ASSERT_EQ(m_host.CountCommands(IDC_CTL_COLOR), 1);
    EXPECT_EQ(m_host.commands.back().code, 0);
    EXPECT_EQ(m_host.commands.back().handle, reinterpret_cast<LPARAM>(w));
    EXPECT_EQ(c.GetClickValue(), 0);

    // Released away from the button: the picked colour stays, one more notification.
    SendMouse(w, WM_LBUTTONUP, overRed.x, overRed.y);
    PumpMessages();
    EXPECT_EQ(c.GetFaceColor(), 0x000000FFu);
    EXPECT_EQ(c.GetClickValue(), 0);
    EXPECT_EQ(m_host.CountCommands(IDC_CTL_COLOR), 2);

    // Out and back in before the release: the saved colour and a click.
    m_host.commands.clear();
    c.SetFaceColor(start);
    SendMouse(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
    SendMouse(w, WM_MOUSEMOVE, overRed.x, overRed.y, MK_LBUTTON);
    SendMouse(w, WM_MOUSEMOVE, 6, 6, MK_LBUTTON);
    EXPECT_EQ(c.GetFaceColor(), start);
    SendMouse(w, WM_LBUTTONUP, 6, 6);
    PumpMessages();
    EXPECT_EQ(c.GetFaceColor(), start);
    EXPECT_EQ(c.GetClickValue(), 1);
    EXPECT_EQ(m_host.commands.back().id, IDC_CTL_COLOR);

    // The swatch is flat whatever the style, inside its own rings.
    m_skin.SetStyle(kStyleChrome);
    CDib dib;
    Print(w, dib, kWindow);
    EXPECT_EQ(PixelColor(dib, dib.GetWidth() - 4, dib.GetHeight() / 2), start);
    EXPECT_EQ(PixelColor(dib, dib.GetWidth() - 4, 2), start);
    EXPECT_EQ(PixelColor(dib, 10, 1), ShiftColor(start, -128));
    EXPECT_EQ(ActiveFaceStyle(), kStyleChrome);
    ::DestroyWindow(red);
    ::UnregisterClassA("VeydraTestRed", nullptr);
}

TEST_F(ButtonTest, PlainClickOnTheColorButtonOpensTheChooserOnce)
{
    m_host.actAsColorOwner = true;
    CColorButton& c = m_host.m_color;
    const HWND w = c.m_hWnd;
    const COLORREF start = 0x00336699;
    c.SetFaceColor(start);
    {
        CModalCloser closer(m_host.m_hWnd, IDOK);
        SendMouse(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        SendMouse(w, WM_LBUTTONUP, 5, 5);
        PumpMessages();
        EXPECT_EQ(closer.count, 1);
        EXPECT_EQ(m_host.choosersOpened, 1);
        EXPECT_EQ(c.GetFaceColor(), start);  // OK in the chooser keeps the colour it started at

        // Out, back in, released over the button: the saved colour and one chooser.
        SendMouse(w, WM_LBUTTONDOWN, 5, 5, MK_LBUTTON);
        SendMouse(w, WM_MOUSEMOVE, 600, 5, MK_LBUTTON);
        PumpMessages();
        SendMouse(w, WM_MOUSEMOVE, 6, 6, MK_LBUTTON);
        PumpMessages();
        SendMouse(w, WM_LBUTTONUP, 6, 6);
        PumpMessages();
        EXPECT_EQ(closer.count, 2);
        EXPECT_EQ(m_host.choosersOpened, 2);
        EXPECT_EQ(c.GetFaceColor(), start);
    }
    // Cancel in the chooser changes nothing.
    CModalCloser canceller(m_host.m_hWnd, IDCANCEL);
    COLORREF color = 0x00112233;
    EXPECT_FALSE(ChooseColorDialog(m_host.m_hWnd, color));
    EXPECT_EQ(color, 0x00112233u);
    EXPECT_EQ(canceller.count, 1);
}

}  // namespace
