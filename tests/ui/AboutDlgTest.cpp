// The About box: how it closes, and its picture's credits, driven by real
// mouse messages and by timer 766, which the test delivers itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "VeydraVersion.h"
#include "resources/DialogResources.h"
#include "support/GuiCounters.h"
#include "support/ModalScript.h"
#include "support/UiTestSupport.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/CreditsMotion.h"
#include "ui/dialogs/Credits.h"
#include "ui/skin/Skin.h"

namespace {

int CountLines(const char* const* lines)
{
    int n = 0;
    while (lines[n] != nullptr)
        ++n;
    return n;
}

// The credits name the maker and the roles, the build's version, and in the
// change log a block for that version first: raising the version without
// saying what the release brings fails here.
TEST(Credits, NameTheMakerTheRolesAndThisVersionsChanges)
{
    const int count = CountLines(kBuiltInCredits);
    ASSERT_GT(count, 29);
    EXPECT_EQ(std::string(kBuiltInCredits[0]), std::string("Veydra ") + VEYDRA_VERSION);
    EXPECT_NE(std::string(kBuiltInCredits[1]).find("Tevra Ltd"), std::string::npos);
    EXPECT_EQ(std::string(kBuiltInCredits[3]), "WWW");
    EXPECT_EQ(std::string(kBuiltInCredits[4]), "   https://tevra.example/");
    EXPECT_EQ(std::string(kBuiltInCredits[6]), "Programming && Design");
    EXPECT_EQ(std::string(kBuiltInCredits[20]), "Change Log");
    EXPECT_EQ(std::string(kBuiltInCredits[21]), std::string("   Version ") + VEYDRA_VERSION);
    EXPECT_EQ(std::string(kBuiltInCredits[count - 1]), "Thank you for using our Software!");
    for (int blank : {2, 5, 8, 16, 19, 22, count - 2})
        EXPECT_EQ(std::string(kBuiltInCredits[blank]), "") << blank;
    // Every release's block: its heading, a blank line, its changes.
    int releases = 0;
    for (int i = 21; i < count - 2; ++i) {
        const std::string line = kBuiltInCredits[i];
        if (line.rfind("   Version ", 0) == 0) {
            ++releases;
            EXPECT_EQ(std::string(kBuiltInCredits[i + 1]), "") << line;
            EXPECT_EQ(std::string(kBuiltInCredits[i + 2]).rfind("   - ", 0), 0u) << line;
        } else if (!line.empty()) {
            EXPECT_EQ(line.rfind("   - ", 0), 0u) << line;
        }
    }
    EXPECT_EQ(releases, 2);
}

class AboutTest : public ::testing::Test {
protected:
    AboutTest() : m_skin(nullptr) { m_skin.SetWindowColor(RGB(0xE0, 0xE4, 0xEA)); }
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        ::ShowWindow(m_dialog.m_hWnd, SW_SHOWNOACTIVATE);
        m_picture = m_dialog.Picture().m_hWnd;
        ASSERT_NE(m_picture, nullptr);
        m_height = m_dialog.Picture().WorkingPicture().GetHeight();
    }
    void TearDown() override
    {
        if (m_dialog.m_hWnd != nullptr)
            ::DestroyWindow(m_dialog.m_hWnd);
    }
    CCreditsMotion& Motion() { return m_dialog.Picture().Motion(); }
    void Tick() { CRecordingTimers::Fire(m_picture, CAboutDib::kTimer); }
    void Paint()
    {
        CDib shown;
        PrintClient(m_picture, shown);
    }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CRecordingTimers m_timers;
    CAboutDlg m_dialog{kBuiltInCredits, ""};
    HWND m_picture = nullptr;
    int m_height = 0;
};

TEST_F(AboutTest, OpensWithThePictureTheCaptionAndTheTimer)
{
    const RECT client = m_dialog.Picture().GetClientRect();
    const CDib& working = m_dialog.Picture().WorkingPicture();
    EXPECT_EQ(working.GetWidth(), client.right - 2);
    EXPECT_EQ(working.GetHeight(), client.bottom - 2);
    EXPECT_EQ(Motion().m_nScrollPos, 4 * m_height - 64);
    EXPECT_TRUE(m_timers.IsRunning(m_picture, CAboutDib::kTimer));
    EXPECT_EQ(m_timers.Period(m_picture, CAboutDib::kTimer), 10u);
    char caption[64] = {};
    ::GetDlgItemTextA(m_dialog.m_hWnd, 1004, caption, sizeof caption);
    EXPECT_STREQ(caption, "About");
    EXPECT_NE(::GetWindowLongPtrA(m_dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(m_dialog.Picture().GetBackgroundColor(), RGB(0xE0, 0xE4, 0xEA));

    ::DestroyWindow(m_dialog.m_hWnd);
    EXPECT_FALSE(m_timers.IsRunning(m_picture, CAboutDib::kTimer));
}

// On a move to a display of another density the box and its picture grow:
// the picture is made again at the new size, credits and all.
TEST_F(AboutTest, APictureResizedWithTheBoxIsMadeAgainAtItsNewSize)
{
    const RECT client = m_dialog.Picture().GetClientRect();
    ::SetWindowPos(m_picture, nullptr, 0, 0, 2 * client.right, 2 * client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CDib& working = m_dialog.Picture().WorkingPicture();
    EXPECT_EQ(working.GetWidth(), 2 * client.right - 2);
    EXPECT_EQ(working.GetHeight(), 2 * client.bottom - 2);
    EXPECT_EQ(Motion().m_nScrollPos, 4 * (2 * client.bottom - 2) - 64);
    EXPECT_TRUE(m_timers.IsRunning(m_picture, CAboutDib::kTimer));
    // The credits are drawn on the new picture.
    for (int i = 0; i < 200; ++i)
        Tick();
    Paint();
    const CDib& pristine = m_dialog.Picture().PristinePicture();
    ASSERT_EQ(pristine.GetWidth(), working.GetWidth());
    int written = 0;
    for (int y = 0; y < working.GetHeight(); ++y)
        for (int x = 0; x < working.GetWidth(); ++x)
            written += working.Row(y)[x] != pristine.Row(y)[x];
    EXPECT_GT(written, 100);
}

TEST_F(AboutTest, TheTimerMovesTheCreditsUpAQuarterPixel)
{
    const int32_t start = Motion().m_nScrollPos;
    for (int i = 0; i < 5; ++i)
        Tick();
    EXPECT_EQ(Motion().m_nScrollPos, start - 5);
}

TEST_F(AboutTest, ADownwardDragStopsAtTheBottomAndLeavesNoFling)
{
    const int32_t bottom = 4 * m_height - 64;
    Motion().m_nScrollPos = bottom - 200;
    SendMouse(m_picture, WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
    SendMouse(m_picture, WM_MOUSEMOVE, 100, 120, MK_LBUTTON);  // 20 pixels down: 80 units
    EXPECT_EQ(Motion().m_nScrollPos, bottom - 120);
    SendMouse(m_picture, WM_MOUSEMOVE, 100, 300, MK_LBUTTON);  // far past the limit
    EXPECT_EQ(Motion().m_nScrollPos, bottom);
    SendMouse(m_picture, WM_LBUTTONUP, 100, 300);
    EXPECT_NE(::GetCapture(), m_picture);
    Tick();
    Tick();
    EXPECT_EQ(Motion().m_nScrollPos, bottom - 2);  // only the creep
}

TEST_F(AboutTest, AnUpwardDragFlingsTheCreditsOnAfterRelease)
{
    const int32_t start = Motion().m_nScrollPos;
    SendMouse(m_picture, WM_LBUTTONDOWN, 100, 300, MK_LBUTTON);
    SendMouse(m_picture, WM_MOUSEMOVE, 100, 290, MK_LBUTTON);
    EXPECT_EQ(Motion().m_nScrollPos, start - 40);
    Tick();  // while the button is down the credits only creep
    EXPECT_EQ(Motion().m_nScrollPos, start - 41);
    SendMouse(m_picture, WM_LBUTTONUP, 100, 290);
    Tick();  // 40, then 40 / 1.1 = 36, then 32 ...
    EXPECT_EQ(Motion().m_nScrollPos, start - 41 - 41);
    Tick();
    EXPECT_EQ(Motion().m_nScrollPos, start - 82 - 37);
    // Above the picture with the button still down the drag goes on.
    SendMouse(m_picture, WM_LBUTTONDOWN, 100, 50, MK_LBUTTON);
    SendMouse(m_picture, WM_MOUSEMOVE, 100, -10, MK_LBUTTON);
    EXPECT_EQ(Motion().m_nScrollPos, start - 119 - 240);
    SendMouse(m_picture, WM_LBUTTONUP, 100, -10);
}

TEST_F(AboutTest, OnceTheLastLineHasLeftTheTopTheCreditsStartAgain)
{
    const int32_t last = kCreditsLinePitch * (CountLines(kBuiltInCredits) - 1);
    Motion().m_nScrollPos = -last;  // the last line is at the very top
    Paint();
    EXPECT_EQ(Motion().m_nScrollPos, -last);
    Tick();
    Paint();
    EXPECT_EQ(Motion().m_nScrollPos, 4 * m_height - 64);
}

TEST_F(AboutTest, TheCreditsAreDrawnOnlyInTheirColumnAndTheWindowShowsThem)
{
    Motion().m_nScrollPos = 4 * 40;  // the first line 40 pixels from the top
    CDib shown;
    PrintClient(m_picture, shown);
    const CDib& working = m_dialog.Picture().WorkingPicture();
    const CDib& pristine = m_dialog.Picture().PristinePicture();
    const int column = m_dialog.Picture().CreditsWidth();
    int inColumn = 0, outside = 0, lighter = 0, notShown = 0;
    for (int y = 0; y < working.GetHeight(); ++y)
        for (int x = 0; x < working.GetWidth(); ++x) {
            const COLORREF now = PixelColor(working, x, y);
            const COLORREF was = PixelColor(pristine, x, y);
            if (now != was) {
                ++(x >= 10 && x < column ? inColumn : outside);
                // Dark grey text darkens what it covers.
                lighter += GetRValue(now) + GetGValue(now) + GetBValue(now) >
                                   GetRValue(was) + GetGValue(was) + GetBValue(was)
                               ? 1
                               : 0;
            }
            notShown += PixelColor(shown, x + 1, y + 1) != now ? 1 : 0;
        }
    EXPECT_GT(inColumn, 2000);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(lighter, 0);
    EXPECT_EQ(notShown, 0);
    // The first line ("Veydra 2.1") lies between rows 40 and 58.
    int firstLine = 0;
    for (int y = 40; y < 58; ++y)
        for (int x = 10; x < 120; ++x)
            firstLine += PixelColor(working, x, y) != PixelColor(pristine, x, y) ? 1 : 0;
    EXPECT_GT(firstLine, 100);
    // The sunken frame in the window colour's shades.
    EXPECT_EQ(PixelColor(shown, 0, 0), RGB(0xE0 - 48, 0xE4 - 48, 0xEA - 48));
    EXPECT_EQ(PixelColor(shown, shown.GetWidth() - 1, shown.GetHeight() - 1), RGB(0xFF, 0xFF, 0xFF));
}

// The credits the plain way, as a reference: the whole mask cleared, every
// visible line drawn, the whole mask reduced, every grey pixel laid on.
void ReferenceCredits(const CDib& pristine, int columnWidth, int32_t scroll, CDib& out)
{
    const int height = pristine.GetHeight();
    const int32_t bottom = 4 * height - 64;
    pristine.CopyTo(out);
    CDib mask, grey;
    ASSERT_TRUE(mask.Create(columnWidth * 4, height * 4));
    ASSERT_TRUE(grey.Create(columnWidth, height));
    LOGFONTA logFont{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfHeight = 72;
    HFONT font = ::CreateFontIndirectA(&logFont);
    HDC dc = mask.GetDC();
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    for (int i = 0; kBuiltInCredits[i] != nullptr; ++i) {
        const int32_t y = scroll + 92 * i;
        if (y <= 0 || y >= bottom)
            continue;
        const int32_t fade = y > bottom - 128 ? 2 * (bottom - y) : y >= 128 ? 256 : 2 * y;
        ::SetTextColor(dc, RGB(0, 0, fade * 255 / 256));
        RECT area{72, y, mask.GetWidth(), mask.GetHeight()};
        ::DrawTextA(dc, kBuiltInCredits[i], -1, &area, DT_NOCLIP);
    }
    ::GdiFlush();
    ::SelectObject(dc, old);
    mask.ReleaseDC();
    ::DeleteObject(font);
    mask.ShrinkToGrey(grey);
    for (int y = 0; y < height; ++y)
        for (int x = 10; x < columnWidth; ++x) {
            const uint32_t v = grey.Row(y)[x] & 0xFF;
            if (v != 0)
                out.BlendPixel(x, y, v << 24 | 0x1E1E1E);
        }
}

TEST_F(AboutTest, FrameAfterFrameTheCreditsMatchThePlainWay)
{
    // Each frame clears only where the last one drew: a jump, a small step,
    // lines fading at both ends, and a frame after the credits wrapped.
    const int32_t bottom = 4 * m_height - 64;
    for (const int32_t scroll : {bottom - 10, 400, 397, -92 * 3 - 50, 60, -92 * 28 + 30, bottom - 300}) {
        Motion().m_nScrollPos = scroll;
        Paint();
        CDib expected;
        ReferenceCredits(m_dialog.Picture().PristinePicture(), m_dialog.Picture().CreditsWidth(), scroll, expected);
        const CDib& working = m_dialog.Picture().WorkingPicture();
        int differ = 0;
        for (int y = 0; y < working.GetHeight(); ++y)
            for (int x = 0; x < working.GetWidth(); ++x)
                differ += working.Row(y)[x] != expected.Row(y)[x] ? 1 : 0;
        EXPECT_EQ(differ, 0) << "scroll " << scroll;
    }
}

TEST_F(AboutTest, LinesFadeInAtTheBottom)
{
    // One line alone, 4 pixels above the bottom limit: barely visible; the
    // same line in the middle: full strength.
    const int32_t bottom = 4 * m_height - 64;
    auto darkest = [&](int32_t scroll, int top) {
        Motion().m_nScrollPos = scroll;
        Paint();
        const CDib& working = m_dialog.Picture().WorkingPicture();
        const CDib& pristine = m_dialog.Picture().PristinePicture();
        int most = 0;
        for (int y = top; y < top + 18 && y < working.GetHeight(); ++y)
            for (int x = 10; x < 120; ++x) {
                const COLORREF a = PixelColor(working, x, y), b = PixelColor(pristine, x, y);
                most = std::max(most, static_cast<int>(GetGValue(b)) - static_cast<int>(GetGValue(a)));
            }
        return most;
    };
    const int faint = darkest(bottom - 16, (bottom - 16) / 4);
    const int full = darkest(4 * 100, 100);
    EXPECT_GT(full, 150);
    EXPECT_GT(faint, 0);
    EXPECT_LT(faint, full / 4);
}

TEST_F(AboutTest, AnimatingLeaksNoGdiObjects)
{
    Paint();
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0);
    for (int i = 0; i < 20; ++i) {
        Tick();
        ::UpdateWindow(m_picture);
        Paint();
    }
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(AboutBox, CloseButtonEnterAndEscapeAllEndItWithOk)
{
    CTestSettingsRoot settings;
    CSkinState skin(nullptr);
    for (int way = 0; way < 3; ++way) {
        CAboutDlg dialog(kBuiltInCredits, way == 2 ? "Preview" : "");
        CModalScript script;
        std::string caption;
        script.Then("close", [&] {
            HWND window = FindOurDialog(IDD_VEYDRA_ABOUT);
            if (window == nullptr)
                return false;
            char text[64] = {};
            ::GetDlgItemTextA(window, 1004, text, sizeof text);
            caption = text;
            if (way == 0)
                PostClick(::GetDlgItem(window, IDC_ABOUT_CLOSE));
            else
                PostKey(window, way == 1 ? VK_RETURN : VK_ESCAPE);
            return true;
        });
        EXPECT_EQ(dialog.DoModal(), IDOK) << way;
        EXPECT_EQ(caption, way == 2 ? "About - Preview" : "About");
    }
}

}  // namespace
