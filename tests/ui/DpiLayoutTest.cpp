// The skin on a dense display, for real: this program runs in the plain
// Wine prefix (96 DPI) and again in prefixes whose display is set to 144
// and 192 DPI (VEYDRA_WINE_DPI, see cmake/wine-run.sh). Every expectation is
// the 96-DPI rule at the density the frame reports, and presses are real
// mouse messages at the scaled places.
#include "ControlsHost.h"
#include "RecordingFrame.h"

#include <cstdlib>

#include "resources/ControlResources.h"
#include "ui/skin/ResizableDialog.h"
#include "ui/controls/ButtonColors.h"
#include "ui/framework/WindowDpi.h"
#include "ui/skin/ShiftColor.h"

namespace {

const COLORREF kTrack = 0x00C0C0C0;
const COLORREF kThumb = 0x00A06030;

class DpiLayoutTest : public ControlsTest {
protected:
    CDpiScale Scale() const { return WindowScale(m_host.m_hWnd); }
};

TEST_F(DpiLayoutTest, FramesReadTheDisplaysDensity)
{
    HDC screen = ::GetDC(nullptr);
    const int system = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(Scale().Dpi(), system);
    // The prefix this run was meant for.
    if (const char* wanted = std::getenv("VEYDRA_WINE_DPI")) {
        EXPECT_EQ(Scale().Dpi(), std::atoi(wanted));
    }
    std::printf("display density: %d DPI\n", Scale().Dpi());
}

TEST_F(DpiLayoutTest, CaptionMinimumSizeAndRingsFollowTheDensity)
{
    CRecordingFrame frame(IDD_TEST_FRAME, true);
    ASSERT_TRUE(frame.Create());
    const CDpiScale scale = WindowScale(frame.m_hWnd);
    // The caption is 17 dialog units high in the template: the system
    // scales it with the dialog font, about as the skin scales its pixels.
    RECT units{0, 0, 0, 17};
    ::MapDialogRect(frame.m_hWnd, &units);
    const RECT caption = frame.GetCaptionRect();
    EXPECT_EQ(caption.bottom - caption.top, units.bottom);
    EXPECT_NEAR(caption.bottom - caption.top, scale.Px(28), scale.Px(3));  // 28 at 96 DPI

    // The frame cannot be made smaller than it opened.
    const RECT window = frame.GetWindowRect();
    MINMAXINFO limits{};
    ::SendMessageA(frame.m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, window.right - window.left);
    EXPECT_EQ(limits.ptMinTrackSize.y, window.bottom - window.top);
    // 438 at 96 DPI; the dialog font does not grow exactly in proportion.
    EXPECT_NEAR(limits.ptMinTrackSize.x, scale.Px(438), scale.Px(438) / 10);

    // The caption's outer ring and the frame's border are one line wide.
    CDib dib;
    PrintClient(frame.m_hWnd, dib);
    const int line = scale.Line();
    const int x = (caption.left + caption.right) / 2;
    const COLORREF ring = ShiftColor(kWindow, -16);  // the Normal row's outer ring
    for (int y = caption.top; y < caption.top + line; ++y)
        EXPECT_EQ(PixelColor(dib, x, y), ring) << y;
    EXPECT_NE(PixelColor(dib, x, caption.top + line), ring);
    const COLORREF border = ShiftColor(kWindow, 96);
    for (int i = 0; i < line; ++i)
        EXPECT_EQ(PixelColor(dib, i, 60), border) << i;
    EXPECT_NE(PixelColor(dib, line, 60), border);
    ::DestroyWindow(frame.m_hWnd);
}

TEST_F(DpiLayoutTest, FrameEdgesAreFoundAtTheirScaledDepth)
{
    CRecordingFrame frame(IDD_TEST_FRAME, true);
    ASSERT_TRUE(frame.Create());
    const CDpiScale scale = WindowScale(frame.m_hWnd);
    const RECT client = frame.GetClientRect();
    const int w = client.right, h = client.bottom, y = h / 2;
    const struct {
        int x, y;
        WPARAM hit;  // 0: no press reaches the system
    } presses[] = {
        {scale.Px(6) - 1, y, HTLEFT},
        {scale.Px(6), y, 0},
        {w - scale.Px(5) + 1, y, HTRIGHT},
        {w - scale.Px(5), y, 0},
        {w / 2, h - scale.Px(5) + 1, HTBOTTOM},
        {w - scale.Px(10) + 1, h - scale.Px(10) + 1, HTBOTTOMRIGHT},
        {scale.Px(6) - 1, h - scale.Px(5) + 1, HTBOTTOMLEFT},
        {(client.right) / 2, (frame.GetCaptionRect().top + frame.GetCaptionRect().bottom) / 2, HTCAPTION},
    };
    for (const auto& press : presses) {
        frame.hits.clear();
        SendMouse(frame.m_hWnd, WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
        SendMouse(frame.m_hWnd, WM_LBUTTONUP, press.x, press.y);
        PumpMessages();
        if (press.hit == 0) {
            EXPECT_TRUE(frame.hits.empty()) << press.x << "," << press.y;
            continue;
        }
        ASSERT_EQ(frame.hits.size(), 1u) << press.x << "," << press.y;
        EXPECT_EQ(frame.hits[0], press.hit) << press.x << "," << press.y;
    }
    ::DestroyWindow(frame.m_hWnd);
}

TEST_F(DpiLayoutTest, SliderArrowsAndThumbGrowAndTheValueStillFits)
{
    CIconSlider& slider = m_host.m_slider;
    const CDpiScale scale = Scale();
    slider.SetSliderColours(kTrack, kThumb);
    slider.SetRangeAndValue(0, 100, 100);
    slider.SetPageSize(10);
    PumpMessages();
    const RECT thumb = slider.GetThumbRect();
    EXPECT_EQ(thumb.right - thumb.left, scale.Px(36));
    const RECT client = slider.GetClientRect();
    // The thumb at 100 sits right before the right arrow button.
    EXPECT_EQ(thumb.right, client.right - scale.Px(20) - scale.Line());

    // "100", the widest value of Intensity and Zoom, is drawn in the thumb.
    CDib dib;
    Print(slider.m_hWnd, dib, 0x00000000);
    RECT inside = thumb;
    ::InflateRect(&inside, -2 * scale.Line(), -2 * scale.Line());
    EXPECT_GT(CountColor(dib, kBlack, &inside), 5 * scale.Line());
    // The chevrons are drawn in both arrow buttons.
    const RECT leftArrow{0, 0, scale.Px(20), client.bottom};
    EXPECT_GE(CountColor(dib, kBlack, &leftArrow), 4 * scale.Line());

    // A press inside the scaled left arrow (outside the 96-DPI one on a
    // dense display) steps by one; just past it, on the track, by a page.
    const int y = client.bottom / 2;
    SendMouse(slider.m_hWnd, WM_LBUTTONDOWN, scale.Px(20) - 2, y, MK_LBUTTON);
    SendMouse(slider.m_hWnd, WM_LBUTTONUP, scale.Px(20) - 2, y);
    EXPECT_EQ(slider.GetPos(), 99);
    SendMouse(slider.m_hWnd, WM_LBUTTONDOWN, scale.Px(20) + scale.Line() + 1, y, MK_LBUTTON);
    SendMouse(slider.m_hWnd, WM_LBUTTONUP, scale.Px(20) + scale.Line() + 1, y);
    EXPECT_EQ(slider.GetPos(), 89);
    // And inside the right one, up by one.
    SendMouse(slider.m_hWnd, WM_LBUTTONDOWN, client.right - scale.Px(20) + 2, y, MK_LBUTTON);
    SendMouse(slider.m_hWnd, WM_LBUTTONUP, client.right - scale.Px(20) + 2, y);
    EXPECT_EQ(slider.GetPos(), 90);
}

TEST_F(DpiLayoutTest, IconsAndThePipetteAreDrawnForTheDensity)
{
    const CDpiScale scale = Scale();
    m_host.m_button.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
    EXPECT_EQ(m_host.m_button.GetIconSize().cx, scale.Px(16));
    EXPECT_EQ(m_host.m_button.GetIconSize().cy, scale.Px(16));
    HCURSOR pipette = m_host.m_color.Pipette();
    ASSERT_NE(pipette, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(pipette, &info));
    BITMAP bitmap{};
    ::GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    // A monochrome cursor keeps its AND and XOR masks in one bitmap.
    EXPECT_EQ(bitmap.bmWidth, scale.Px(32));
    // The hot spot is the dropper's tip, where it was drawn at that size.
    EXPECT_NEAR(static_cast<int>(info.xHotspot), scale.Px(8), scale.Line());
    EXPECT_NEAR(static_cast<int>(info.yHotspot), scale.Px(23), scale.Line());
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

// Moving to a display of twice the density, as the system reports it to a
// dialog of a host that follows each display: the window takes the
// suggested rectangle, the minimum size and every anchored distance double.
TEST_F(DpiLayoutTest, MovingToADisplayOfAnotherDensityScalesTheLayout)
{
    CResizableDialog dialog(IDD_TEST_LAYOUT, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND window = dialog.m_hWnd;
    const int dpi = dialog.GetLayoutDpi();
    EXPECT_EQ(dpi, WindowDpi(window));
    ::MoveWindow(::GetDlgItem(window, IDC_TEST_STATIC), 300, 250, 70, 20, FALSE);
    dialog.AddAnchor(IDC_TEST_STATIC, kAnchorBottomRight);
    dialog.AddAnchor(IDC_TEST_BUTTON, AnchorPoint{0, 0}, AnchorPoint{100, 0});
    const RECT opened = dialog.GetWindowRect();
    const RECT client = dialog.GetClientRect();
    const RECT label = dialog.GetChildRect(IDC_TEST_STATIC);
    const RECT button = dialog.GetChildRect(IDC_TEST_BUTTON);

    RECT suggested{opened.left + 10, opened.top + 20, opened.left + 10 + 2 * (opened.right - opened.left),
                   opened.top + 20 + 2 * (opened.bottom - opened.top)};
    ::SendMessageA(window, kWmDpiChanged, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();
    const RECT now = dialog.GetWindowRect();
    EXPECT_TRUE(::EqualRect(&now, &suggested));
    EXPECT_EQ(dialog.GetLayoutDpi(), 2 * dpi);
    MINMAXINFO limits{};
    ::SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 2 * (opened.right - opened.left));
    EXPECT_EQ(limits.ptMinTrackSize.y, 2 * (opened.bottom - opened.top));

    const RECT grown = dialog.GetClientRect();
    const RECT movedLabel = dialog.GetChildRect(IDC_TEST_STATIC);
    EXPECT_EQ(grown.right - movedLabel.right, 2 * (client.right - label.right));
    EXPECT_EQ(grown.bottom - movedLabel.bottom, 2 * (client.bottom - label.bottom));
    EXPECT_EQ(movedLabel.right - movedLabel.left, 2 * (label.right - label.left));  // itself twice as large
    const RECT movedButton = dialog.GetChildRect(IDC_TEST_BUTTON);
    EXPECT_EQ(movedButton.left, 2 * button.left);
    EXPECT_EQ(grown.right - movedButton.right, 2 * (client.right - button.right));
    ::DestroyWindow(window);
}

}  // namespace
