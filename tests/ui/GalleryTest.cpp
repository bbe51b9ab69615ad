// The gallery: one skinned frame holding every control in each state, in
// each interface style, with the default and with other colours. Each
// picture is saved as build/<tree>/screenshots/gallery-<style>-<colours>.png
// for a person to judge; the labels must read in every look. Painting it
// over and over must not leak a single GDI object.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "UiTestIds.h"
#include "params/RegistryStore.h"
#include "resources/ControlResources.h"
#include "support/GuiCounters.h"
#include "support/SkinLooks.h"
#include "support/UiTestSupport.h"
#include "ui/controls/ButtonST.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/HyperLink.h"
#include "ui/controls/IconSlider.h"
#include "ui/controls/TranspStatic.h"
#include "ui/framework/ScaledArt.h"
#include "ui/skin/ReadableText.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFacePlan.h"
#include "ui/skin/ToolDlg.h"
#include "win/ThisModule.h"

namespace {

class CGalleryDlg : public CToolDlg {
public:
    CGalleryDlg() : CToolDlg(IDD_TEST_GALLERY, nullptr) { SetResizable(true); }
    ~CGalleryDlg() override
    {
        for (HICON icon : m_icons)
            ::DestroyIcon(icon);
        if (m_hPipette != nullptr)
            ::DestroyCursor(m_hPipette);
    }

    // What the main dialog does when the user changes style or colours.
    void ApplyInterface()
    {
        const CSkinState& skin = *CurrentSkin();
        for (CButtonST* button : Buttons()) {
            if (button == &m_color)
                continue;
            button->SetFaceColor(skin.GetControlColor(), false);
            button->SetHoverColor(skin.GetControlHoverColor(), false);
        }
        for (CIconSlider* slider : {&m_blur, &m_transparency, &m_angleX, &m_angleZ})
            slider->SetSliderColours(ShiftColor(skin.GetWindowColor(), 8), skin.GetControlColor());
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    std::vector<CButtonST*> Buttons()
    {
        return {&m_menu, &m_close, &m_normal, &m_hot, &m_pressed, &m_checked, &m_disabled, &m_iconOnly,
                &m_outside, &m_color, &m_ok, &m_cancel};
    }

    CButtonST m_menu, m_close, m_normal, m_hot, m_pressed, m_checked, m_disabled, m_iconOnly, m_outside, m_ok,
        m_cancel;
    CColorButton m_color;
    CIconSlider m_blur, m_transparency, m_angleX, m_angleZ;
    CTranspStatic m_blurLabel, m_transparencyLabel, m_angleXLabel, m_angleZLabel, m_warning, m_question, m_pipette,
        m_message;
    CHyperLink m_link;

protected:
    BOOL OnInitDialog() override
    {
        CToolDlg::OnInitDialog();
        const struct {
            CWnd* control;
            int id;
        } controls[] = {{&m_menu, IDC_GAL_MENU},
                        {&m_close, IDC_GAL_CLOSE},
                        {&m_normal, IDC_GAL_NORMAL},
                        {&m_hot, IDC_GAL_HOT},
                        {&m_pressed, IDC_GAL_PRESSED},
                        {&m_checked, IDC_GAL_CHECKED},
                        {&m_disabled, IDC_GAL_DISABLED},
                        {&m_iconOnly, IDC_GAL_ICON_ONLY},
                        {&m_outside, IDC_GAL_OUTSIDE},
                        {&m_color, IDC_GAL_COLOR},
                        {&m_ok, IDOK},
                        {&m_cancel, IDCANCEL},
                        {&m_blur, IDC_GAL_SLIDER1},
                        {&m_transparency, IDC_GAL_SLIDER2},
                        {&m_angleX, IDC_GAL_SLIDER3},
                        {&m_angleZ, IDC_GAL_SLIDER4},
                        {&m_blurLabel, IDC_GAL_LABEL1},
                        {&m_transparencyLabel, IDC_GAL_LABEL2},
                        {&m_angleXLabel, IDC_GAL_LABEL3},
                        {&m_angleZLabel, IDC_GAL_LABEL4},
                        {&m_warning, IDC_GAL_WARNING},
                        {&m_question, IDC_GAL_QUESTION},
                        {&m_pipette, IDC_GAL_PIPETTE},
                        {&m_message, IDC_GAL_MESSAGE},
                        {&m_link, IDC_GAL_LINK}};
        for (const auto& c : controls)
            EXPECT_TRUE(c.control->SubclassDlgItem(c.id, this)) << c.id;

        m_menu.LoadIcons(IDI_VEYDRA_MENU, 0, 16, 16);
        m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
        m_iconOnly.LoadIcons(IDI_VEYDRA_MENU, 0, 16, 16);
        m_outside.LoadIcons(IDI_VEYDRA_OUTSIDE_ON, 0, 16, 16);
        m_outside.SetLatched(true, false);
        m_checked.SetLatched(true, false);
        ::EnableWindow(m_disabled.m_hWnd, FALSE);
        m_color.SetFaceColor(0x00284868, false);

        m_blur.SetRangeAndValue(0, 100, 20);
        m_transparency.SetRangeAndValue(0, 100, 30);
        m_angleX.SetRangeAndValue(-90, 90, -45);
        m_angleZ.SetRangeAndValue(-180, 180, 15);
        ::EnableWindow(m_angleZ.m_hWnd, FALSE);

        // At the display's density, as the dialogs load them.
        const CDpiScale scale = GetDpiScale();
        for (int id : {IDI_VEYDRA_WARNING, IDI_VEYDRA_QUESTION})
            m_icons.push_back(LoadScaledIconAtOwnSize(id, scale));
        m_warning.SetIcon(m_icons[0]);
        m_question.SetIcon(m_icons[1]);
        // As the message dialog does: on denser displays the labels grow to
        // hold their icons, which the dialog font does not scale in step
        // with. (At 96 DPI the gallery keeps the template's sizes, so its
        // pictures stay comparable with the earlier ones.)
        for (CTranspStatic* label : {&m_warning, &m_question}) {
            if (scale.IsBase())
                break;
            const RECT area = label->GetClientRect();
            const int side = scale.Px(38);
            ::SetWindowPos(label->m_hWnd, nullptr, 0, 0, std::max<int>(area.right, side),
                           std::max<int>(area.bottom, side), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        m_hPipette = LoadScaledCursor(IDC_VEYDRA_PIPETTE, CColorButton::kPipetteSize, scale);
        m_pipette.SetIcon(m_hPipette);

        m_link.SetAddress("https://veydra.example/products");
        m_link.ChangeLinkStyle(CHyperLink::LinkPlain,
                               CHyperLink::LinkUnderlined | CHyperLink::LinkHoverColour | CHyperLink::LinkFocusOnClick |
                                   CHyperLink::LinkAutoSize | CHyperLink::LinkTransparent,
                               true);
        ApplyInterface();
        return TRUE;
    }

private:
    std::vector<HICON> m_icons;
    HCURSOR m_hPipette = nullptr;
};

class Gallery : public ::testing::Test {
protected:
    Gallery() : m_skin(nullptr) {}
    void SetUp() override
    {
        ResetRingTable();
        ASSERT_TRUE(m_dialog.Create());
        ::SetWindowPos(m_dialog.m_hWnd, HWND_TOP, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetActiveWindow(m_dialog.m_hWnd);
        ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == m_dialog.m_hWnd; }));
        // The hot button: the mouse came in and the fade ran its course.
        SendMouse(m_dialog.m_hot.m_hWnd, WM_MOUSEMOVE, 4, 4);
        for (CButtonST* button : m_dialog.Buttons())
            for (int i = 0; i < 6; ++i)
                CRecordingTimers::Fire(button->m_hWnd, CButtonST::kFadeTimer);
        ::SendMessageA(m_dialog.m_pressed.m_hWnd, BM_SETSTATE, TRUE, 0);
        ::SetFocus(m_dialog.m_normal.m_hWnd);
    }
    void TearDown() override { ::DestroyWindow(m_dialog.m_hWnd); }

    void Apply(const SkinLook& look)
    {
        m_skin.SetStyle(look.style);
        m_skin.SetWindowColor(look.window);
        m_skin.SetControlColor(look.control);
        m_dialog.SetText(std::string("Veydra - ") + look.name);
        ::SetDlgItemTextA(m_dialog.m_hWnd, 1004, (std::string("Veydra - controls, ") + look.name).c_str());
        m_dialog.ApplyInterface();
        PumpMessages();
    }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CRecordingTimers m_timers;
    CGalleryDlg m_dialog;
};

// The colour of the labels' text in `shot`: of the colours that fill at
// least a few pixels of the labels, the one that stands out most from the
// window colour (the stripes, the engraving's light copy and the glyphs'
// smoothed edges all stand out less).
COLORREF LabelTextColour(const CGalleryDlg& dialog, const CDib& shot, COLORREF window)
{
    std::map<COLORREF, int> counts;
    for (const CTranspStatic* label : {&dialog.m_blurLabel, &dialog.m_transparencyLabel, &dialog.m_angleXLabel,
                                       &dialog.m_angleZLabel, &dialog.m_message}) {
        RECT area = label->GetClientRect();
        ::MapWindowPoints(label->m_hWnd, dialog.m_hWnd, reinterpret_cast<POINT*>(&area), 2);
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                ++counts[PixelColor(shot, x, y)];
    }
    COLORREF text = window;
    for (const auto& count : counts)
        if (count.second >= 8 && ContrastRatio(count.first, window) > ContrastRatio(text, window))
            text = count.first;
    return text;
}

const SkinLook kLooks[] = {
    {"aqua-default", kStyleAqua, 0x00EAEAEA, 0x00FFD7AE},
    {"chrome-default", kStyleChrome, 0x00EAEAEA, 0x00FFD7AE},
    {"flat-default", kStyleFlat, 0x00EAEAEA, 0x00FFD7AE},
    {"aqua-sand-teal", kStyleAqua, 0x00C8DCE6, 0x00807818},
    {"chrome-slate-amber", kStyleChrome, kSlateWindow, kAmberControl},
    {"flat-mint-plum", kStyleFlat, 0x00D8F0E0, 0x00703070},
};

TEST_F(Gallery, EveryControlInEveryStyle)
{
    for (const SkinLook& look : kLooks) {
        Apply(look);
        CDib shot;
        ASSERT_TRUE(CaptureWindow(m_dialog.m_hWnd, shot));
        const std::string path = SaveScreenshot(shot, std::string("gallery-") + look.name);
        EXPECT_FALSE(path.empty());
        // What the picture shows is the frame of this look, not a stale one.
        EXPECT_EQ(PixelColor(shot, 0, shot.GetHeight() / 2), ShiftColor(look.window, 96)) << look.name;
        // The active caption bar's second face row, left of the title,
        // inside rings one line wide.
        const RECT caption = m_dialog.GetCaptionRect();
        const int line = m_dialog.GetDpiScale().Line();
        std::vector<uint32_t> rows;
        ASSERT_TRUE(SkinFaceRows(look.style, ShiftColor(look.control, -48), caption.bottom - caption.top - 4 * line,
                                 rows, line));
        EXPECT_EQ(PixelColor(shot, caption.left + 2 * line + 1, caption.top + 2 * line + 1), rows[1]) << look.name;
        // The labels read on the window colour: the skin's dark text where
        // that reads (the built-in grey, sand), the nearest shade of the
        // window colour that does elsewhere (light text on slate, a shade
        // darker on mint).
        const COLORREF text = LabelTextColour(m_dialog, shot, look.window);
        EXPECT_GE(ContrastRatio(text, look.window), 4.495) << look.name;
        EXPECT_EQ(text, ReadableTextColor(look.window, -128)) << look.name;
        if (ReadsWell(ShiftColor(look.window, -128), look.window)) {
            EXPECT_EQ(text, ShiftColor(look.window, -128)) << look.name;
        }
    }
}

TEST_F(Gallery, PaintingAHundredTimesLeaksNoGdiObject)
{
    Apply(kLooks[1]);
    auto paintAll = [&] {
        ::RedrawWindow(m_dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
    };
    paintAll();  // caches of the first paint (fonts, stock objects) are made here
    const int before = CountGdiObjects();
    ASSERT_GT(before, 0) << GdiCountSource();
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < 100; ++i) {
        if (i % 10 == 0)
            Apply(kLooks[i / 10 % 6]);  // colour changes and every style
        paintAll();
    }
    ::QueryPerformanceCounter(&end);
    // A figure for the report, not a limit.
    std::printf("100 full repaints of the gallery (every control, six looks): %.1f ms\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    Apply(kLooks[1]);
    paintAll();
    EXPECT_EQ(CountGdiObjects(), before) << "counted with " << GdiCountSource();
    const int windows = CountThreadWindows();
    EXPECT_GT(windows, 25);
}

// A secondary frame as the Save preset dialog will look, open and rolled up.
class CSmallFrame : public CToolDlg {
public:
    CSmallFrame() : CToolDlg(IDD_TEST_FRAME, nullptr) {}
    CButtonST m_close, m_ok, m_cancel;
    CTranspStatic m_label;

protected:
    BOOL OnInitDialog() override
    {
        CToolDlg::OnInitDialog();
        m_close.SubclassDlgItem(1005, this);
        m_ok.SubclassDlgItem(IDOK, this);
        m_cancel.SubclassDlgItem(IDCANCEL, this);
        m_label.SubclassDlgItem(1025, this);
        m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
        return TRUE;
    }
};

TEST(GallerySmallFrame, OpenAndRolledUp)
{
    CTestSettingsRoot settings;
    CSkinState skin(nullptr);
    CSmallFrame frame;
    ASSERT_TRUE(frame.Create());
    ::SetWindowPos(frame.m_hWnd, HWND_TOP, 30, 30, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetActiveWindow(frame.m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == frame.m_hWnd; }));
    for (bool rolled : {false, true}) {
        frame.SetMinimized(rolled);
        ::RedrawWindow(frame.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpMessages();
        CDib shot;
        ASSERT_TRUE(CaptureWindow(frame.m_hWnd, shot));
        EXPECT_FALSE(SaveScreenshot(shot, rolled ? "frame-rolled-up" : "frame-open").empty());
        // Rolled up, the bevelled border closes just under the caption bar.
        const RECT caption = frame.GetCaptionRect();
        if (rolled) {
            EXPECT_EQ(shot.GetHeight(), caption.top + caption.bottom - 1);
        }
        EXPECT_EQ(PixelColor(shot, shot.GetWidth() / 2, shot.GetHeight() - 1), ShiftColor(0x00EAEAEA, -92));
    }
    ::DestroyWindow(frame.m_hWnd);
}

TEST(GdiCounter, SeesObjectsComeAndGo)
{
    const int before = CountGdiObjects();
    ASSERT_GE(before, 0);
    HBRUSH brushes[5];
    for (HBRUSH& brush : brushes)
        brush = ::CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(CountGdiObjects(), before + 5);
    for (HBRUSH brush : brushes)
        ::DeleteObject(brush);
    EXPECT_EQ(CountGdiObjects(), before);
}

}  // namespace
