// The preview control in a frame of its own, driven by real mouse messages
// under Wine. The frame plays the main dialog's part: on every notification
// it fills the view buffer from a synthetic full-size image whose pixels
// tell their own coordinates, so a picture read back shows exactly which
// part of the image the control put where.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PreviewFrame.h"
#include "UiTestIds.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "support/GuiCounters.h"
#include "support/UiTestSupport.h"
#include "ui/controls/PreviewBitmap.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

namespace {

// The full image: red and green hold x and y modulo 256, blue their high
// bits.
ARGB ImagePixel(int x, int y)
{
    return 0xFF000000u | static_cast<ARGB>(x & 0xFF) << 16 | static_cast<ARGB>(y & 0xFF) << 8 |
           static_cast<ARGB>((x >> 8) << 4 | (y >> 8));
}

COLORREF ImageColor(int x, int y)
{
    const ARGB p = ImagePixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

class CPreviewHost : public CPreviewFrame {
public:
    CDib m_dibView;
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Command> commands;

    // What the main dialog does after SetImage and after each notification.
    void FillView()
    {
        const PixelRect& view = m_preview.ViewRect();
        for (int y = 0; y < m_dibView.GetHeight(); ++y)
            for (int x = 0; x < m_dibView.GetWidth(); ++x)
                m_dibView.Row(y)[x] = ImagePixel(view.left + x, view.top + y);
        m_preview.Invalidate(false);
    }

protected:
    bool OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_TEST_PREVIEW) {
            commands.push_back(Command{wParam, lParam});
            if (!m_dibView.IsEmpty())
                FillView();
            return true;
        }
        return CPreviewFrame::OnCommand(wParam, lParam);
    }
};

class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : m_skin(nullptr) {}
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create());
        ASSERT_NE(m_host.m_preview.m_hWnd, nullptr);
        ::SetWindowPos(m_host.m_hWnd, nullptr, 20, 20, 480, 420, SWP_NOZORDER | SWP_SHOWWINDOW);
        Resize(420, 370);
        PumpMessages();
    }
    void TearDown() override { ::DestroyWindow(m_host.m_hWnd); }

    HWND Control() const { return m_host.m_preview.m_hWnd; }
    void Resize(int width, int height)
    {
        ::SetWindowPos(Control(), nullptr, 10, 30, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetImage(int width, int height, bool keepCentre = false)
    {
        m_host.m_preview.SetImage(&m_host.m_dibView, PixelRect{0, 0, width, height}, keepCentre);
        m_host.m_preview.ClampView();
        m_host.FillView();
    }
    void Print(CDib& dib)
    {
        RECT client;
        ::GetClientRect(Control(), &client);
        dib.Create(client.right, client.bottom);
        HDC dc = dib.GetDC();
        ::SendMessageA(Control(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ::GdiFlush();
        dib.ReleaseDC();
    }
    PixelRect View() const { return const_cast<CPreviewHost&>(m_host).m_preview.ViewRect(); }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CPreviewHost m_host;
};

void ExpectView(const PixelRect& view, int left, int top, int width, int height, const std::string& where)
{
    EXPECT_EQ(view.left, left) << where;
    EXPECT_EQ(view.top, top) << where;
    EXPECT_EQ(view.right - view.left, width) << where;
    EXPECT_EQ(view.bottom - view.top, height) << where;
}

TEST_F(PreviewTest, LargeImageFillsTheControlAndDragsStopAtEveryEdge)
{
    SetImage(2000, 1500);
    // 419 x 369: the client less its frame, with the left and top pixels
    // given back; centred on (1000, 750).
    ExpectView(View(), 791, 566, 419, 369, "opening");
    EXPECT_EQ(m_host.m_dibView.GetWidth(), 419);
    EXPECT_EQ(m_host.m_dibView.GetHeight(), 369);

    CDib shown;
    Print(shown);
    EXPECT_EQ(PixelColor(shown, 5, 5), ImageColor(791 + 5, 566 + 5));  // drawn at (0, 0)
    EXPECT_EQ(PixelColor(shown, 400, 350), ImageColor(791 + 400, 566 + 350));
    EXPECT_EQ(PixelColor(shown, 0, 0), RGB(0xCF, 0xCF, 0xCF));  // sunken frame
    EXPECT_EQ(PixelColor(shown, 419, 369), RGB(0xFF, 0xFF, 0xFF));

    struct Step {
        int x, y;          // where the mouse moves, client coordinates
        int left, top;     // the view afterwards
        bool notified;     // a pan step reported
    };
    const Step steps[] = {
        {210, 195, 781, 571, true},
        {30000, 195, 0, 571, true},          // past the left edge: stops on it
        {30500, 195, 0, 571, false},         // further: nothing moves, nothing reported
        {-30000, 195, 1581, 571, true},      // past the right edge
        {-30000, 30000, 1581, 0, true},      // past the top
        {-30000, -30000, 1581, 1131, true},  // past the bottom
        {-30010, -30000, 1581, 1131, false},
    };
    SendMouse(Control(), WM_LBUTTONDOWN, 200, 200, MK_LBUTTON);
    EXPECT_TRUE(m_host.m_preview.IsDragging());
    PumpMessages();
    m_host.commands.clear();
    for (const Step& s : steps) {
        const std::string where = std::to_string(s.x) + ", " + std::to_string(s.y);
        SendMouse(Control(), WM_MOUSEMOVE, s.x, s.y, MK_LBUTTON);
        ExpectView(View(), s.left, s.top, 419, 369, where);
        // Posted, not sent: the parent hears of it after the mouse message.
        EXPECT_TRUE(m_host.commands.empty()) << where;
        PumpMessages();
        ASSERT_EQ(m_host.commands.size(), s.notified ? 1u : 0u) << where;
        if (s.notified) {
            EXPECT_EQ(m_host.commands[0].wParam, static_cast<WPARAM>(IDC_TEST_PREVIEW)) << where;
            EXPECT_EQ(m_host.commands[0].lParam, reinterpret_cast<LPARAM>(Control())) << where;
        }
        m_host.commands.clear();
    }
    SendMouse(Control(), WM_LBUTTONUP, -30010, -30000);
    EXPECT_FALSE(m_host.m_preview.IsDragging());
    EXPECT_NE(::GetCapture(), Control());
    // Without the button the mouse no longer pans.
    SendMouse(Control(), WM_MOUSEMOVE, 100, 100);
    ExpectView(View(), 1581, 1131, 419, 369, "after release");

    // The owner refilled the buffer on every step: the corner of the image.
    Print(shown);
    EXPECT_EQ(PixelColor(shown, 418, 368), ImageColor(1999, 1499));
}

TEST_F(PreviewTest, SmallImageIsShownWholeCentredAndDoesNotPan)
{
    SetImage(200, 100);
    ExpectView(View(), 0, 0, 200, 100, "opening");
    CDib shown;
    Print(shown);
    // (420 - 200) / 2 = 110, (370 - 100) / 2 = 135, white around it.
    EXPECT_EQ(PixelColor(shown, 110, 135), ImageColor(0, 0));
    EXPECT_EQ(PixelColor(shown, 309, 234), ImageColor(199, 99));
    for (POINT margin : {POINT{109, 135}, POINT{110, 134}, POINT{310, 234}, POINT{309, 235}, POINT{50, 50}})
        EXPECT_EQ(PixelColor(shown, margin.x, margin.y), RGB(0xFF, 0xFF, 0xFF)) << margin.x << ", " << margin.y;

    SendMouse(Control(), WM_LBUTTONDOWN, 150, 150, MK_LBUTTON);
    SendMouse(Control(), WM_MOUSEMOVE, 90, 40, MK_LBUTTON);
    SendMouse(Control(), WM_MOUSEMOVE, 300, 300, MK_LBUTTON);
    SendMouse(Control(), WM_MOUSEMOVE, 150, 150, MK_LBUTTON);
    SendMouse(Control(), WM_LBUTTONUP, 150, 150);
    PumpMessages();
    ExpectView(View(), 0, 0, 200, 100, "after the drag");
    // No pan step; released over the control, the button reports its click
    // (notification code 0) as a push button does.
    ASSERT_EQ(m_host.commands.size(), 1u);
    EXPECT_EQ(m_host.commands[0].wParam, static_cast<WPARAM>(IDC_TEST_PREVIEW));
}

TEST_F(PreviewTest, KeepCentreHoldsTheMiddleWithinTheImage)
{
    struct Case {
        int dragX;                 // the pan before the resize
        int width, height;         // the new control size
        bool keepCentre;
        int centreX, centreY;      // centre of the view afterwards
    };
    const Case cases[] = {
        {100, 300, 200, true, 900, 750},     // the panned-to middle stays
        {100, 300, 200, false, 1000, 750},   // without: back to the image's middle
        {30000, 600, 370, true, 299, 750},   // at the left edge a wider view is pushed back in
    };
    for (const Case& c : cases) {
        Resize(420, 370);
        SetImage(2000, 1500);
        SendMouse(Control(), WM_LBUTTONDOWN, 200, 200, MK_LBUTTON);
        SendMouse(Control(), WM_MOUSEMOVE, 200 + c.dragX, 200, MK_LBUTTON);
        SendMouse(Control(), WM_LBUTTONUP, 200 + c.dragX, 200);
        PumpMessages();
        Resize(c.width, c.height);
        SetImage(2000, 1500, c.keepCentre);
        const PixelRect v = View();
        EXPECT_EQ((v.left + v.right) / 2, c.centreX) << c.width << " keep " << c.keepCentre;
        EXPECT_EQ((v.top + v.bottom) / 2, c.centreY) << c.width << " keep " << c.keepCentre;
        EXPECT_EQ(v.right - v.left, c.width - 1);
        EXPECT_EQ(v.bottom - v.top, c.height - 1);
    }
}

// The text's bounding box: the pixels that are neither background nor frame.
RECT TextBox(const CDib& dib)
{
    RECT box{dib.GetWidth(), dib.GetHeight(), -1, -1};
    for (int y = 1; y < dib.GetHeight() - 1; ++y)
        for (int x = 1; x < dib.GetWidth() - 1; ++x)
            if (PixelColor(dib, x, y) != RGB(0xFF, 0xFF, 0xFF)) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    return box;
}

TEST_F(PreviewTest, WithoutAnImageItSaysPreparingInTheCurrentLanguage)
{
    CDib noImage;
    Print(noImage);
    // A buffer that could not be had counts as none.
    SetImage(2000, 1500);
    m_host.m_dibView.Destroy();
    CDib emptyBuffer;
    Print(emptyBuffer);

    for (const CDib* shown : {&noImage, &emptyBuffer}) {
        EXPECT_EQ(PixelColor(*shown, 0, 0), RGB(0xCF, 0xCF, 0xCF));
        EXPECT_EQ(PixelColor(*shown, 419, 369), RGB(0xFF, 0xFF, 0xFF));
        const RECT text = TextBox(*shown);
        // One line, in the middle.
        EXPECT_GT(text.right - text.left, 60);
        EXPECT_LT(text.bottom - text.top, 16);
        EXPECT_LE(std::abs(text.left - (420 - text.right)), 2);
        EXPECT_LE(std::abs(text.top - (370 - text.bottom)), 2);
    }
    EXPECT_EQ(TextBox(noImage).left, TextBox(emptyBuffer).left);

    // "Daten werden vorbereitet..." is longer than the English text.
    TheLanguage().LoadFolder(kLanguageProductTitle, 0, VEYDRA_LANGS_DIR);
    TheLanguage().Select("Deutsch");  // false when it is still current from before
    ASSERT_EQ(TheLanguage().GetName(-1), "Deutsch");
    CDib german;
    Print(german);
    CTempFolder none;
    TheLanguage().LoadFolder(kLanguageProductTitle, 0, none.Path());
    EXPECT_GT(TextBox(german).right - TextBox(german).left, TextBox(noImage).right - TextBox(noImage).left + 20);
}

TEST_F(PreviewTest, TransparentPixelsShowTheBackground)
{
    const COLORREF background = RGB(0xF0, 0xE0, 0xC0);
    m_host.m_preview.SetBackgroundColor(background);
    SetImage(200, 100);
    m_host.m_dibView.Fill(0x00123456);  // transparent, with stray colour bytes
    m_host.m_dibView.Row(10)[20] = 0xFF2040A0;
    m_host.m_dibView.Row(10)[21] = 0x80000000;  // half-transparent black
    CDib shown;
    Print(shown);
    EXPECT_EQ(PixelColor(shown, 110 + 5, 135 + 5), background);
    EXPECT_EQ(PixelColor(shown, 5, 5), background);
    EXPECT_EQ(PixelColor(shown, 110 + 20, 135 + 10), RGB(0x20, 0x40, 0xA0));
    const COLORREF half = PixelColor(shown, 110 + 21, 135 + 10);
    EXPECT_NEAR(GetRValue(half), 0xF0 / 2, 2);
    EXPECT_NEAR(GetGValue(half), 0xE0 / 2, 2);
    EXPECT_NEAR(GetBValue(half), 0xC0 / 2, 2);
    // The frame's shades come from the background colour.
    EXPECT_EQ(PixelColor(shown, 0, 0), RGB(0xF0 - 48, 0xE0 - 48, 0xC0 - 48));
    EXPECT_EQ(PixelColor(shown, 419, 369), RGB(0xFF, 0xFF, 0xF0));
}

TEST_F(PreviewTest, AfterAResizeTheOldBufferIsDrawnCentred)
{
    SetImage(200, 100);
    Resize(300, 300);
    CDib shown;
    Print(shown);
    EXPECT_EQ(PixelColor(shown, 50, 100), ImageColor(0, 0));
    EXPECT_EQ(PixelColor(shown, 49, 100), RGB(0xFF, 0xFF, 0xFF));

    // A buffer larger than the new client area shows its middle:
    // (300 - 419) / 2 = -59 and (200 - 369) / 2 = -84, truncated.
    Resize(420, 370);
    SetImage(2000, 1500);
    Resize(300, 200);
    Print(shown);
    EXPECT_EQ(PixelColor(shown, 5, 5), ImageColor(791 + 59 + 5, 566 + 84 + 5));
    EXPECT_EQ(PixelColor(shown, 290, 190), ImageColor(791 + 59 + 290, 566 + 84 + 190));
}

TEST_F(PreviewTest, PaintingLeaksNoGdiObjects)
{
    SetImage(2000, 1500);
    CDib shown;
    Print(shown);
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0) << GdiCountSource();
    for (int i = 0; i < 30; ++i) {
        Print(shown);
        ::RedrawWindow(Control(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    m_host.m_dibView.Destroy();
    for (int i = 0; i < 5; ++i)
        Print(shown);  // the "preparing" text selects the dialog's font
    m_host.m_dibView.Create(10, 10);
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
