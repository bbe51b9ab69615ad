// The slider, label and link under Wine: painted into DIBs and read back,
// driven by mouse messages and WM_TIMER deliveries.
#include "ControlsHost.h"

#include <string>

#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "ui/controls/ButtonColors.h"
#include "ui/controls/LinkLaunch.h"
#include "ui/skin/ShiftColor.h"
#include "win/ThisModule.h"

namespace {

const COLORREF kTrack = 0x00C0C0C0;
const COLORREF kThumb = 0x00A06030;

class SliderTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        ::MoveWindow(m_host.m_slider.m_hWnd, 20, 120, 160, 20, FALSE);
        m_host.m_slider.SetSliderColours(kTrack, kThumb);
        m_host.m_slider.SetRangeAndValue(0, 100, 50);
        m_host.m_slider.SetPageSize(10);
        PumpMessages();
        m_host.commands.clear();
    }
    CIconSlider& Slider() { return m_host.m_slider; }
    HWND SliderWindow() { return m_host.m_slider.m_hWnd; }
    // Puts the mouse over client point (x, y) of the slider.
    void CursorAt(int x, int y)
    {
        POINT p{x, y};
        ::ClientToScreen(SliderWindow(), &p);
        ::SetCursorPos(p.x, p.y);
    }
};

TEST_F(SliderTest, ThumbSitsWhereTheGeometrySaysAndShowsTheValue)
{
    CDib dib;
    Print(SliderWindow(), dib, 0x00000000);
    // Raised frame of the thumb: left edge at 20 + 50 * 82 / 100 + 1 = 62.
    EXPECT_EQ(PixelColor(dib, 62, 10), ShiftColor(kThumb, 64));
    EXPECT_EQ(PixelColor(dib, 97, 10), ShiftColor(kThumb, -64));
    EXPECT_EQ(PixelColor(dib, 61, 10), kTrack);
    EXPECT_EQ(PixelColor(dib, 98, 10), kTrack);
    const RECT inside{63, 2, 97, 18};
    EXPECT_GT(CountColor(dib, kBlack, &inside), 5);  // "50"
    // The sunken track frame and the raised arrow buttons.
    EXPECT_EQ(PixelColor(dib, 30, 0), ShiftColor(kTrack, -64));
    EXPECT_EQ(PixelColor(dib, 30, 19), ShiftColor(kTrack, 64));
    EXPECT_EQ(PixelColor(dib, 5, 1), ShiftColor(kTrack, 48));
    const RECT leftArrow{1, 1, 21, 19};
    EXPECT_GE(CountColor(dib, kBlack, &leftArrow), 4);  // the chevron

    // Disabled: the thumb without frame or value.
    ::EnableWindow(SliderWindow(), FALSE);
    Print(SliderWindow(), dib, 0x00000000);
    EXPECT_EQ(PixelColor(dib, 62, 10), ShiftColor(kWindow, -48));
    EXPECT_EQ(CountColor(dib, kBlack, &inside), 0);
}

TEST_F(SliderTest, ValueTooWideForTheThumbIsLeftOut)
{
    Slider().SetValueFormat("%d percent");
    CDib dib;
    Print(SliderWindow(), dib, 0x00000000);
    const RECT inside{63, 2, 97, 18};
    EXPECT_EQ(CountColor(dib, kBlack, &inside), 0);
    EXPECT_EQ(PixelColor(dib, 80, 10), kThumb);  // a plain face
}

TEST_F(SliderTest, HeldArrowStepsOnceThenRepeatsAfter300ThenEvery40)
{
    CursorAt(150, 10);
    SendMouse(SliderWindow(), WM_LBUTTONDOWN, 150, 10, MK_LBUTTON);
    EXPECT_EQ(Slider().GetPos(), 51);
    EXPECT_EQ(m_timers.Period(SliderWindow(), CIconSlider::kRepeatDelayTimer), 300u);
    EXPECT_FALSE(m_timers.IsRunning(SliderWindow(), CIconSlider::kRepeatTimer));
    CRecordingTimers::Fire(SliderWindow(), CIconSlider::kRepeatDelayTimer);
    EXPECT_FALSE(m_timers.IsRunning(SliderWindow(), CIconSlider::kRepeatDelayTimer));
    EXPECT_EQ(m_timers.Period(SliderWindow(), CIconSlider::kRepeatTimer), 40u);
    EXPECT_EQ(Slider().GetPos(), 51);
    CRecordingTimers::Fire(SliderWindow(), CIconSlider::kRepeatTimer);
    CRecordingTimers::Fire(SliderWindow(), CIconSlider::kRepeatTimer);
    EXPECT_EQ(Slider().GetPos(), 53);
    SendMouse(SliderWindow(), WM_LBUTTONUP, 150, 10);
    EXPECT_FALSE(m_timers.IsRunning(SliderWindow(), CIconSlider::kRepeatTimer));
    EXPECT_FALSE(m_timers.IsRunning(SliderWindow(), CIconSlider::kRepeatDelayTimer));
    PumpMessages();
    EXPECT_EQ(m_host.CountCommands(IDC_CTL_SLIDER), 3);
    EXPECT_EQ(m_host.commands.back().handle, reinterpret_cast<LPARAM>(SliderWindow()));
}

TEST_F(SliderTest, TrackPressPagesUntilTheThumbReachesTheCursor)
{
    CursorAt(30, 10);
    SendMouse(SliderWindow(), WM_LBUTTONDOWN, 30, 10, MK_LBUTTON);
    EXPECT_EQ(Slider().GetPos(), 40);
    CRecordingTimers::Fire(SliderWindow(), CIconSlider::kRepeatDelayTimer);
    for (int i = 0; i < 10; ++i)
        CRecordingTimers::Fire(SliderWindow(), CIconSlider::kRepeatTimer);
    // Thumb left = 21 + pos * 82 / 100: the thumb covers x = 30 from 10 down.
    EXPECT_EQ(Slider().GetPos(), 10);
    SendMouse(SliderWindow(), WM_LBUTTONUP, 30, 10);

    Slider().SetPageSize(0);
    SendMouse(SliderWindow(), WM_LBUTTONDOWN, 130, 10, MK_LBUTTON);
    SendMouse(SliderWindow(), WM_LBUTTONUP, 130, 10);
    EXPECT_EQ(Slider().GetPos(), 10);
    EXPECT_FALSE(m_timers.IsRunning(SliderWindow(), CIconSlider::kRepeatDelayTimer));
}

TEST_F(SliderTest, DraggingTheThumbAndSettingValues)
{
    SendMouse(SliderWindow(), WM_LBUTTONDOWN, 80, 10, MK_LBUTTON);  // thumb 62 .. 97, centre 79
    EXPECT_TRUE(Slider().IsDragging());
    SendMouse(SliderWindow(), WM_MOUSEMOVE, 101, 10, MK_LBUTTON);
    EXPECT_EQ(Slider().GetPos(), 75);  // (101 + 0 - 38) * 100 / 84
    // While dragging, the owner's value does not move the thumb.
    Slider().SetRangeAndValue(0, 100, 10);
    EXPECT_EQ(Slider().GetPos(), 75);
    SendMouse(SliderWindow(), WM_LBUTTONUP, 101, 10);
    EXPECT_FALSE(Slider().IsDragging());
    Slider().SetRangeAndValue(-90, 90, -45);
    EXPECT_EQ(Slider().GetPos(), -45);
    EXPECT_EQ(Slider().GetRangeMin(), -90);
    PumpMessages();
    EXPECT_GE(m_host.CountCommands(IDC_CTL_SLIDER), 3);
    EXPECT_EQ(Slider().GetStyle() & WS_TABSTOP, 0);
}

TEST_F(ControlsTest, LabelTextIsEngravedOnTheBackground)
{
    CDib dib;
    Print(m_host.m_label.m_hWnd, dib, kWindow);
    const int dark = CountColor(dib, ShiftColor(kWindow, -128));
    const int light = CountColor(dib, ShiftColor(kWindow, 64));
    EXPECT_GT(dark, 10);
    EXPECT_GT(light, 3);
    // The light copy sits one pixel down and right of the dark text.
    int firstDarkX = -1, firstDarkY = -1;
    for (int y = 0; y < dib.GetHeight() && firstDarkY < 0; ++y)
        for (int x = 0; x < dib.GetWidth(); ++x)
            if (PixelColor(dib, x, y) == ShiftColor(kWindow, -128)) {
                firstDarkX = x;
                firstDarkY = y;
                break;
            }
    ASSERT_GE(firstDarkY, 0);
    EXPECT_EQ(PixelColor(dib, firstDarkX, firstDarkY - 1), kWindow);
}

TEST_F(ControlsTest, LabelWithoutTextShowsItsIconOrNothing)
{
    CDib dib;
    Print(m_host.m_icon.m_hWnd, dib, kWindow);
    EXPECT_EQ(CountColor(dib, kWindow), dib.GetWidth() * dib.GetHeight());
    HICON icon = static_cast<HICON>(::LoadImageA(ThisModule(), MAKEINTRESOURCEA(IDI_VEYDRA_WARNING), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    m_host.m_icon.SetIcon(icon);
    Print(m_host.m_icon.m_hWnd, dib, kWindow);
    EXPECT_NE(PixelColor(dib, 19, 20), kWindow);  // inside the 38 x 38 triangle
    m_host.m_icon.SetIcon(nullptr);
    ::DestroyIcon(icon);
}

class LinkTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_previous = SetLinkLauncher(&LinkTest::Launch);
        s_launches = 0;
        m_host.m_link.SetAddress("https://veydra.example/products");
    }
    void TearDown() override
    {
        SetLinkLauncher(m_previous);
        ControlsTest::TearDown();
    }
    static intptr_t Launch(const std::string& address, int show)
    {
        ++s_launches;
        s_lastAddress = address;
        s_lastShow = show;
        return s_result;
    }
    static intptr_t s_result;
    static int s_launches;
    static std::string s_lastAddress;
    static int s_lastShow;
    LinkLauncher m_previous = nullptr;
};
intptr_t LinkTest::s_result = 0;
int LinkTest::s_launches = 0;
std::string LinkTest::s_lastAddress;
int LinkTest::s_lastShow = 0;

TEST_F(LinkTest, FailedOpenShowsTheReasonAndLeavesTheLinkUnvisited)
{
    s_result = 31;
    CModalCloser closer(m_host.m_hWnd, IDOK);
    HWND link = m_host.m_link.m_hWnd;
    SendMouse(link, WM_LBUTTONDOWN, 2, 2, MK_LBUTTON);
    EXPECT_EQ(s_launches, 0);  // opens on release
    SendMouse(link, WM_LBUTTONUP, 2, 2);
    EXPECT_EQ(closer.count, 1);
    EXPECT_EQ(closer.text,
              "Can't open link:\n\nThere is no application associated\nwith the given filename extension.");
    EXPECT_EQ(s_launches, 1);
    EXPECT_EQ(s_lastAddress, "https://veydra.example/products");
    EXPECT_EQ(s_lastShow, SW_SHOW);
    EXPECT_FALSE(m_host.m_link.IsVisited());
}

TEST_F(LinkTest, SuccessfulOpenMarksTheLinkVisited)
{
    s_result = 42;
    ::SendMessageA(m_host.m_link.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(s_launches, 1);
    EXPECT_TRUE(m_host.m_link.IsVisited());
    // Without an address the parent hears of it instead.
    m_host.m_link.SetAddress("");
    m_host.m_link.OpenAddress();
    PumpMessages();
    EXPECT_EQ(s_launches, 1);
    ASSERT_EQ(m_host.CountCommands(IDC_CTL_LINK), 1);
    EXPECT_EQ(m_host.commands.back().handle, 0);
}

TEST_F(LinkTest, ColoursCursorAndStyle)
{
    CHyperLink& link = m_host.m_link;
    EXPECT_FALSE(link.ChangeLinkStyle(CHyperLink::LinkUnderlined, CHyperLink::LinkUnderlined, true));
    ASSERT_TRUE(link.ChangeLinkStyle(CHyperLink::LinkPlain,
                                     CHyperLink::LinkUnderlined | CHyperLink::LinkHoverColour |
                                         CHyperLink::LinkFocusOnClick | CHyperLink::LinkAutoSize |
                                         CHyperLink::LinkTransparent,
                                     true));
    EXPECT_NE(::GetWindowLongPtrA(link.m_hWnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);  // painted over, not black
    // Auto-size: the window fits its underlined text.
    HDC dc = ::GetDC(link.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, link.GetFont());
    SIZE text{};
    const std::string caption = link.GetText();
    ::GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    LOGFONTA font{};
    ::GetObjectA(link.GetFont(), sizeof font, &font);
    ::SelectObject(dc, old);
    ::ReleaseDC(link.m_hWnd, dc);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_EQ(link.GetClientRect().right, text.cx);
    EXPECT_EQ(link.GetClientRect().bottom, text.cy);

    // The parent's colour question is answered by the link.
    HDC probe = ::CreateCompatibleDC(nullptr);
    auto colourAnswer = [&] {
        const LRESULT brush =
            ::SendMessageA(m_host.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(probe),
                           reinterpret_cast<LPARAM>(link.m_hWnd));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH)));
        return ::GetTextColor(probe);
    };
    EXPECT_EQ(colourAnswer(), CHyperLink::kLinkColour);
    SendMouse(link.m_hWnd, WM_MOUSEMOVE, 3, 3);
    EXPECT_TRUE(link.IsOver());
    EXPECT_EQ(::GetCapture(), link.m_hWnd);
    EXPECT_EQ(colourAnswer(), CHyperLink::kHoverColour);
    ::SendMessageA(link.m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(link.m_hWnd), HTCLIENT);
    EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, IDC_HAND));
    SendMouse(link.m_hWnd, WM_MOUSEMOVE, 900, 3);
    EXPECT_FALSE(link.IsOver());
    EXPECT_NE(::GetCapture(), link.m_hWnd);
    EXPECT_EQ(::SendMessageA(link.m_hWnd, WM_NCHITTEST, 0, 0), HTCLIENT);
    ::DeleteDC(probe);
}

TEST(BrowserLaunch, FallsBackToTheProgramRegisteredForWebPages)
{
    CTestSettingsRoot settings;
    const std::string classes = "Software\\Veydra UI Test Classes " + std::to_string(::GetCurrentProcessId());
    HKEY root = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, classes.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &root,
                                nullptr),
              ERROR_SUCCESS);
    static std::string s_command;
    static int s_shellResult;
    s_command.clear();
    BrowserLaunchOps ops{[](const char*, int) -> intptr_t { return s_shellResult; },
                         [](const char* command, int) -> unsigned {
                             s_command = command;
                             return 33;
                         },
                         root};
    const std::string url = "https://veydra.example/";

    s_shellResult = 2;  // no ".htm" class yet: the shell's answer stands
    EXPECT_EQ(LaunchBrowser(url, SW_SHOW, ops), 2);
    EXPECT_TRUE(s_command.empty());

    ::RegSetValueA(root, ".htm", REG_SZ, "VeydraTestPage", 0);
    const char command[] = "\"C:\\Web\\browser.exe\" -url \"%1\"";
    ::RegSetValueA(root, "VeydraTestPage\\shell\\open\\command", REG_SZ, command, 0);
    EXPECT_EQ(LaunchBrowser(url, SW_SHOW, ops), 33);
    EXPECT_EQ(s_command, "\"C:\\Web\\browser.exe\" -url  " + url);

    s_shellResult = 42;  // the shell opened it: nothing else runs
    s_command.clear();
    EXPECT_EQ(LaunchBrowser(url, SW_SHOW, ops), 42);
    EXPECT_TRUE(s_command.empty());

    ::RegCloseKey(root);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, classes.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, classes.c_str());
}

}  // namespace
