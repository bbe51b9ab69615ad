// The skin painted for real: faces and frames drawn into DIB sections by GDI
// under Wine and read back pixel by pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include "UiTestIds.h"
#include "params/RegistryStore.h"
#include "support/UiTestSupport.h"
#include "ui/skin/ShiftColor.h"
#include "ui/skin/Skin.h"
#include "ui/skin/SkinFace.h"
#include "ui/skin/ToolDlg.h"

namespace {

const COLORREF kWindow = 0x00D0E0F0;
const COLORREF kControl = 0x00A06030;
const COLORREF kUntouched = 0x00123456;

// Paints one face into a fresh buffer pre-filled with kUntouched.
class FacePainter {
public:
    explicit FacePainter(int width, int height)
    {
        m_dib.Create(width, height);
        m_dib.Fill(0xFF000000 | ColorRefToArgb(kUntouched));
    }
    void Paint(COLORREF color, int state, double hot)
    {
        HDC dc = m_dib.GetDC();
        PaintSkinFace(dc, RECT{0, 0, m_dib.GetWidth(), m_dib.GetHeight()}, color, state, hot);
        ::GdiFlush();
        m_dib.ReleaseDC();
    }
    COLORREF At(int x, int y) const { return PixelColor(m_dib, x, y); }

private:
    CDib m_dib;
};

class SkinPaint : public ::testing::Test {
protected:
    SkinPaint() : m_skin(nullptr)
    {
        m_skin.SetWindowColor(kWindow);
        ResetRingTable();
    }
    CSkinState m_skin;
};

TEST_F(SkinPaint, ChromeFaceOfHeightOne)
{
    m_skin.SetStyle(kStyleChrome);
    FacePainter face(20, 5);  // rings on rows 0, 1, 3, 4; the face is row 2
    face.Paint(kControl, 0, 0.0);
    for (int x = 2; x < 18; ++x)
        EXPECT_EQ(face.At(x, 2), ShiftColor(kControl, -24)) << x;
}

TEST_F(SkinPaint, AquaFaceOfOddHeight)
{
    m_skin.SetStyle(kStyleAqua);
    FacePainter face(20, 11);  // face rows 2 .. 8: h = 7
    face.Paint(kControl, 0, 0.0);
    const COLORREF c = kControl;
    auto toward = [c](double t) {
        auto ch = [t](int s, int e) { return static_cast<int>(s * (1.0 - t) + e * t); };
        const COLORREF e = ShiftColor(c, 16);
        return RGB(ch(GetRValue(c), GetRValue(e)), ch(GetGValue(c), GetGValue(e)), ch(GetBValue(c), GetBValue(e)));
    };
    const COLORREF expected[7] = {ShiftColor(c, 24), c, c, c, c, toward(1.0 / 3.0), ShiftColor(c, 24)};
    for (int row = 0; row < 7; ++row)
        EXPECT_EQ(face.At(10, 2 + row), expected[row]) << "face row " << row;
}

TEST_F(SkinPaint, RingColoursOfEachState)
{
    m_skin.SetStyle(kStyleFlat);
    const struct {
        int state;
        double hot;
        int outerTL, outerBR, middle;
    } cases[] = {
        {0, 0.0, -16, -16, -64},
        {1, 0.4, -16, -16, -57},  // trunc(-64 * 0.6 - 48 * 0.4) = trunc(-57.6)
        {1, 1.0, -16, -16, -48},
        {2, 0.0, -64, 48, -128},
    };
    for (const auto& c : cases) {
        FacePainter face(30, 12);
        face.Paint(kControl, c.state, c.hot);
        EXPECT_EQ(face.At(10, 0), ShiftColor(kWindow, c.outerTL)) << "state " << c.state;
        EXPECT_EQ(face.At(0, 5), ShiftColor(kWindow, c.outerTL));
        EXPECT_EQ(face.At(10, 11), ShiftColor(kWindow, c.outerBR));
        EXPECT_EQ(face.At(29, 5), ShiftColor(kWindow, c.outerBR));
        EXPECT_EQ(face.At(10, 1), ShiftColor(kControl, c.middle));
        EXPECT_EQ(face.At(10, 10), ShiftColor(kControl, c.middle));
        EXPECT_EQ(face.At(10, 5), kControl);  // the flat face
    }
}

TEST_F(SkinPaint, UnlistedStyleDrawsOnlyTheRingsAndSwapsAreUndone)
{
    m_skin.SetStyle(11);
    FacePainter face(30, 12);
    face.Paint(kControl, 0, 0.0);
    EXPECT_EQ(face.At(10, 5), kUntouched);
    EXPECT_EQ(face.At(10, 1), ShiftColor(kControl, -64));
    {
        CFaceStyleSwap flat(kStyleFlat);
        CRingTableSwap thumb(kThumbRingTable);
        EXPECT_EQ(ActiveFaceStyle(), kStyleFlat);
        face.Paint(kControl, 0, 0.0);
        EXPECT_EQ(face.At(10, 1), kControl);  // thumb face: the rectangle deflated by 1
        EXPECT_EQ(face.At(10, 0), ShiftColor(kWindow, -48));
    }
    EXPECT_EQ(ActiveFaceStyle(), 11);
    EXPECT_EQ(ActiveRingTable().rows[0].r[2], -64);
    {
        // The about and prepare steps put the built-in table back.
        CRingTableSwap thumb(kThumbRingTable);
        ResetRingTable();
        EXPECT_EQ(ActiveRingTable().rows[2].r[1], 48);
    }
}

TEST(SkinState, LoadsTheStoredLookWithItsDefaults)
{
    CTestSettingsRoot settings;
    CSkinState skin(nullptr);
    EXPECT_EQ(CurrentSkin(), &skin);
    skin.LoadFromStore();
    EXPECT_EQ(skin.GetStyle(), kStyleAqua);
    EXPECT_EQ(skin.GetWindowColor(), 0x00EAEAEAu);
    EXPECT_EQ(skin.GetControlColor(), 0x00FFD7AEu);
    EXPECT_EQ(skin.GetControlHoverColor(), 0x00FFE7BEu);
    EXPECT_EQ(skin.GetRingBaseColor(), 0x00EAEAEAu);

    AppSettings().SetInt("", SettingNames::kButtonStyle, kStyleChrome);
    AppSettings().SetInt("", SettingNames::kWindowColor, 0x00102030);
    AppSettings().SetInt("", SettingNames::kControlColor, 0x12F0F0F0);
    skin.LoadFromStore();
    EXPECT_EQ(skin.GetStyle(), kStyleChrome);
    EXPECT_EQ(skin.GetWindowColor(), 0x00102030u);
    EXPECT_EQ(skin.GetRingBaseColor(), 0x00102030u);
    EXPECT_EQ(skin.GetControlColor(), 0x00F0F0F0u);
    EXPECT_EQ(skin.GetControlHoverColor(), 0x00FFFFFFu);
    EXPECT_EQ(SkinWindowColor(), 0x00102030u);
}

// A frame test fixture: private settings and a skin.
class FramePaint : public ::testing::Test {
protected:
    FramePaint() : m_skin(nullptr)
    {
        m_skin.SetWindowColor(kWindow);
        m_skin.SetControlColor(kControl);
        m_skin.SetStyle(kStyleAqua);
    }
    CTestSettingsRoot m_settings;
    CSkinState m_skin;
};

class CResizableFrame : public CToolDlg {
public:
    explicit CResizableFrame(int id) : CToolDlg(id, nullptr) { SetResizable(true); }
};

TEST_F(FramePaint, StripesFollowLinearInterface)
{
    CToolDlg frame(IDD_TEST_FRAME, nullptr);
    ASSERT_TRUE(frame.Create());
    const RECT caption = frame.GetCaptionRect();
    for (int strength : {0, 300, 4}) {
        AppSettings().SetInt("", SettingNames::kLinearInterface, strength);
        CDib dib;
        PrintClient(frame.m_hWnd, dib);
        const int w = dib.GetWidth(), h = dib.GetHeight();
        for (int y = 1; y <= h - 2; ++y) {
            if (y >= caption.top && y < caption.bottom)
                continue;
            const COLORREF expected = ShiftColor(kWindow, (y % 2) != 0 ? strength : -strength);
            ASSERT_EQ(PixelColor(dib, w / 2, y), expected) << "strength " << strength << " row " << y;
            ASSERT_EQ(PixelColor(dib, 1, y), expected);
            ASSERT_EQ(PixelColor(dib, w - 2, y), expected);
        }
        if (strength == 300) {
            EXPECT_EQ(PixelColor(dib, w / 2, caption.bottom + 1) & 0xFFFFFF,
                      ((caption.bottom + 1) % 2) != 0 ? 0xFFFFFFu : 0u);
        }
        // The bevelled border.
        EXPECT_EQ(PixelColor(dib, 0, h / 2), ShiftColor(kWindow, 96));
        EXPECT_EQ(PixelColor(dib, w - 1, h / 2), ShiftColor(kWindow, -92));
        EXPECT_EQ(PixelColor(dib, w / 2, h - 1), ShiftColor(kWindow, -92));
    }
    ::DestroyWindow(frame.m_hWnd);
}

TEST_F(FramePaint, CaptionShadeFollowsActivationAndTheTitleIsOutlined)
{
    CToolDlg frame(IDD_TEST_FRAME, nullptr);
    ASSERT_TRUE(frame.Create());
    ::ShowWindow(frame.m_hWnd, SW_SHOW);
    HWND other = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 600, 600, 20, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    const RECT caption = frame.GetCaptionRect();
    ASSERT_FALSE(::IsRectEmpty(&caption));

    CDib active, inactive;
    ::SetActiveWindow(frame.m_hWnd);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == frame.m_hWnd; }));
    PrintClient(frame.m_hWnd, active);
    ::SetActiveWindow(other);
    ASSERT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == other; }));
    PrintClient(frame.m_hWnd, inactive);

    // Activation repaints the caption bar and nothing else.
    ::ValidateRect(frame.m_hWnd, nullptr);
    ::SendMessageA(frame.m_hWnd, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(other));
    RECT update{};
    ASSERT_TRUE(::GetUpdateRect(frame.m_hWnd, &update, FALSE));
    EXPECT_TRUE(::EqualRect(&update, &caption));
    ::ValidateRect(frame.m_hWnd, nullptr);

    // Aqua face row 1, left of the title: the face colour itself.
    EXPECT_EQ(PixelColor(active, caption.left + 3, caption.top + 3), ShiftColor(kControl, -48));
    EXPECT_EQ(PixelColor(inactive, caption.left + 3, caption.top + 3), ShiftColor(kControl, -64));
    // Nothing else changes.
    int differences = 0;
    for (int y = 0; y < active.GetHeight(); ++y)
        for (int x = 0; x < active.GetWidth(); ++x)
            if (PixelColor(active, x, y) != PixelColor(inactive, x, y) && !RectContains(caption, POINT{x, y}))
                ++differences;
    EXPECT_EQ(differences, 0);

    // The title: white letters inside a dark outline, starting 10 pixels in.
    int white = 0, outline = 0, leftmostWhite = caption.right;
    for (int y = caption.top; y < caption.bottom; ++y)
        for (int x = caption.left; x < caption.right; ++x) {
            const COLORREF c = PixelColor(active, x, y);
            if (c == 0x00FFFFFF) {
                ++white;
                leftmostWhite = std::min<int>(leftmostWhite, x);
            }
            outline += c == ShiftColor(kControl, -96) ? 1 : 0;
        }
    EXPECT_GT(white, 20);
    EXPECT_GT(outline, white);
    EXPECT_GE(leftmostWhite, caption.left + 10);
    ::DestroyWindow(other);
    ::DestroyWindow(frame.m_hWnd);
}

TEST_F(FramePaint, ResizableFrameDrawsItsGrip)
{
    CResizableFrame frame(IDD_TEST_FRAME);
    ASSERT_TRUE(frame.Create());
    CDib dib;
    PrintClient(frame.m_hWnd, dib);
    const int w = dib.GetWidth(), h = dib.GetHeight();
    EXPECT_EQ(PixelColor(dib, w - 5, h - 12), ShiftColor(kWindow, -32));  // first bar, top-left
    EXPECT_EQ(PixelColor(dib, w - 2, h - 11), ShiftColor(kWindow, 32));   // its bottom-right
    EXPECT_EQ(PixelColor(dib, w - 12, h - 5), ShiftColor(kWindow, -32));

    CToolDlg fixed(IDD_TEST_FRAME, nullptr);
    ASSERT_TRUE(fixed.Create());
    CDib plain;
    PrintClient(fixed.m_hWnd, plain);
    const int y = plain.GetHeight() - 12;
    EXPECT_EQ(PixelColor(plain, plain.GetWidth() - 5, y), ShiftColor(kWindow, (y % 2) != 0 ? 4 : -4));
    ::DestroyWindow(fixed.m_hWnd);
    ::DestroyWindow(frame.m_hWnd);
}

}  // namespace
