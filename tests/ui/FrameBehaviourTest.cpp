// The resizable layout and the skinned frame's behaviour, driven by real
// window messages under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "RecordingFrame.h"
#include "UiTestIds.h"
#include "params/RegistryStore.h"
#include "support/UiTestSupport.h"
#include "ui/skin/ResizableDialog.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

namespace {

RECT ChildRect(HWND parent, int id)
{
    RECT rect;
    ::GetWindowRect(::GetDlgItem(parent, id), &rect);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void SetClientSize(HWND window, int width, int height)
{
    // The test popups have no border: window size is client size.
    ::SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dialog.Create());
        m_hWnd = m_dialog.m_hWnd;
        m_opening = m_dialog.GetWindowRect();
        SetClientSize(m_hWnd, 400, 300);
        ::MoveWindow(::GetDlgItem(m_hWnd, IDC_TEST_BUTTON), 100, 30, 80, 20, FALSE);
        ::MoveWindow(::GetDlgItem(m_hWnd, IDC_TEST_STATIC), 300, 250, 70, 20, FALSE);
        m_dialog.AddAnchor(IDC_TEST_BUTTON, AnchorPoint{5, 0}, AnchorPoint{10, 0});
        m_dialog.AddAnchor(IDC_TEST_STATIC, kAnchorBottomRight);
    }
    void TearDown() override { ::DestroyWindow(m_hWnd); }

    CResizableDialog m_dialog{IDD_TEST_LAYOUT, nullptr};
    HWND m_hWnd = nullptr;
    RECT m_opening{};
};

TEST_F(LayoutTest, PercentAnchorsFollowTheGrowth)
{
    SetClientSize(m_hWnd, 501, 300);
    const RECT button = ChildRect(m_hWnd, IDC_TEST_BUTTON);
    EXPECT_EQ(button.left, 105);  // 5 * 501 / 100 - 5 * 400 / 100
    EXPECT_EQ(button.right, 190); // 10 * 501 / 100 - 10 * 400 / 100 = 10
    EXPECT_EQ(button.top, 30);
    EXPECT_EQ(button.bottom, 50);
}

TEST_F(LayoutTest, NoAnchorKeepsTheSize)
{
    SetClientSize(m_hWnd, 460, 333);
    const RECT label = ChildRect(m_hWnd, IDC_TEST_STATIC);
    EXPECT_EQ(label.left, 360);
    EXPECT_EQ(label.top, 283);
    EXPECT_EQ(label.right - label.left, 70);
    EXPECT_EQ(label.bottom - label.top, 20);
}

TEST_F(LayoutTest, MaximiseNotificationsOfOtherWindowsDoNotLayOut)
{
    SetClientSize(m_hWnd, 500, 300);
    ::MoveWindow(::GetDlgItem(m_hWnd, IDC_TEST_BUTTON), 0, 0, 10, 10, FALSE);
    for (WPARAM type : {SIZE_MAXSHOW, SIZE_MAXHIDE}) {
        ::SendMessageA(m_hWnd, WM_SIZE, type, MAKELPARAM(500, 300));
        EXPECT_EQ(ChildRect(m_hWnd, IDC_TEST_BUTTON).left, 0);
    }
    ::SendMessageA(m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(500, 300));
    EXPECT_EQ(ChildRect(m_hWnd, IDC_TEST_BUTTON).left, 105);
}

TEST_F(LayoutTest, MinimumTrackingSizeIsTheOpeningSizeAndTheGripHitTests)
{
    const RECT opening = m_opening;
    SetClientSize(m_hWnd, 600, 500);
    MINMAXINFO info{};
    ::SendMessageA(m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, opening.right - opening.left);
    EXPECT_EQ(info.ptMinTrackSize.y, opening.bottom - opening.top);

    // The standard grip answers in the bottom-right corner.
    POINT corner{598, 498};
    ::ClientToScreen(m_hWnd, &corner);
    EXPECT_EQ(::SendMessageA(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
    m_dialog.ShowSizeGrip(false);
    EXPECT_NE(::SendMessageA(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
}

class FrameTest : public ::testing::Test {
protected:
    FrameTest() : m_skin(nullptr) {}
    CTestSettingsRoot m_settings;
    CSkinState m_skin;
};

TEST_F(FrameTest, CaptionDragComesBeforeResizeZones)
{
    CRecordingFrame frame(IDD_TEST_FRAME, true);
    ASSERT_TRUE(frame.Create());
    // Put the caption into the top-left corner, inside the resize zone.
    ::MoveWindow(frame.GetDlgItem(1004), 0, 0, 200, 20, FALSE);
    const RECT client = frame.GetClientRect();
    const struct {
        int x, y;
        WPARAM hit;
    } presses[] = {{2, 2, HTCAPTION}, {150, 10, HTCAPTION}, {2, 60, HTLEFT},
                   {client.right - 3, client.bottom - 3, HTBOTTOMRIGHT}, {client.right - 2, 60, HTRIGHT}};
    for (const auto& press : presses) {
        frame.hits.clear();
        SendMouse(frame.m_hWnd, WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
        SendMouse(frame.m_hWnd, WM_LBUTTONUP, press.x, press.y);
        PumpMessages();
        ASSERT_EQ(frame.hits.size(), 1u) << press.x << "," << press.y;
        EXPECT_EQ(frame.hits[0], press.hit) << press.x << "," << press.y;
    }
    frame.hits.clear();
    SendMouse(frame.m_hWnd, WM_LBUTTONDOWN, 100, 60, MK_LBUTTON);
    PumpMessages();
    EXPECT_TRUE(frame.hits.empty());
    ::DestroyWindow(frame.m_hWnd);

    // A fixed frame only drags.
    CRecordingFrame fixed(IDD_TEST_FRAME, false);
    ASSERT_TRUE(fixed.Create());
    SendMouse(fixed.m_hWnd, WM_LBUTTONDOWN, 2, 60, MK_LBUTTON);
    PumpMessages();
    EXPECT_TRUE(fixed.hits.empty());
    ::DestroyWindow(fixed.m_hWnd);
}

TEST_F(FrameTest, CursorShowsTheSizingDirection)
{
    CRecordingFrame frame(IDD_TEST_FRAME, true);
    CRecordingFrame fixed(IDD_TEST_FRAME, false);
    ASSERT_TRUE(frame.Create());
    ASSERT_TRUE(fixed.Create());
    ::SetWindowPos(frame.m_hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    ::SetWindowPos(fixed.m_hWnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT client = frame.GetClientRect();
    const struct {
        int x, y;
        LPCSTR cursor;
    } points[] = {{1, 1, IDC_SIZENWSE}, {client.right - 3, client.bottom - 3, IDC_SIZENWSE},
                  {client.right - 1, 2, IDC_SIZENESW}, {3, 60, IDC_SIZEWE},
                  {120, client.bottom - 2, IDC_SIZENS}, {120, 60, IDC_ARROW}};
    for (const auto& p : points) {
        for (CRecordingFrame* f : {&frame, &fixed}) {
            POINT screen{p.x, p.y};
            ::ClientToScreen(f->m_hWnd, &screen);
            ::SetCursorPos(screen.x, screen.y);
            ::SetCursor(nullptr);
            ::SendMessageA(f->m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(f->m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            const LPCSTR expected = f == &frame ? p.cursor : IDC_ARROW;
            EXPECT_EQ(::GetCursor(), ::LoadCursorA(nullptr, expected)) << p.x << "," << p.y;
        }
    }
    ::DestroyWindow(frame.m_hWnd);
    ::DestroyWindow(fixed.m_hWnd);
}

TEST_F(FrameTest, DoubleClickOnTheCaptionRollsUpAndRestores)
{
    CToolDlg frame(IDD_TEST_FRAME, nullptr);
    ASSERT_TRUE(frame.Create());
    const RECT opening = frame.GetWindowRect();
    const RECT caption = frame.GetCaptionRect();
    const RECT ok = ChildRect(frame.m_hWnd, IDOK);
    const POINT inCaption{caption.left + 40, caption.top + 5};

    SendMouse(frame.m_hWnd, WM_LBUTTONDBLCLK, inCaption.x, inCaption.y, MK_LBUTTON);
    EXPECT_TRUE(frame.IsMinimized());
    EXPECT_EQ(frame.GetClientRect().bottom, caption.top + caption.bottom - 1);
    EXPECT_EQ(frame.GetWindowRect().left, opening.left);
    EXPECT_EQ(frame.GetWindowRect().right, opening.right);
    EXPECT_EQ(ChildRect(frame.m_hWnd, IDOK).top, ok.top);  // controls keep their places
    EXPECT_EQ(AppSettings().GetInt("", SettingNames::kMinimize, -1), 1);
    EXPECT_EQ(AppSettings().GetInt("", SettingNames::kAutoHide, -1), 0);

    SendMouse(frame.m_hWnd, WM_LBUTTONDBLCLK, inCaption.x, 60, MK_LBUTTON);  // below the caption: nothing
    EXPECT_TRUE(frame.IsMinimized());

    AppSettings().SetInt("", SettingNames::kAutoHide, 5);
    SendMouse(frame.m_hWnd, WM_LBUTTONDBLCLK, inCaption.x, inCaption.y, MK_LBUTTON);
    EXPECT_FALSE(frame.IsMinimized());
    EXPECT_EQ(frame.GetWindowRect().bottom, opening.bottom);
    EXPECT_EQ(AppSettings().GetInt("", SettingNames::kMinimize, -1), 0);
    EXPECT_EQ(AppSettings().GetInt("", SettingNames::kAutoHide, -1), 0);
    ::DestroyWindow(frame.m_hWnd);

    // Closed while rolled up, it opens again at its template size.
    CToolDlg again(IDD_TEST_FRAME, nullptr);
    ASSERT_TRUE(again.Create());
    again.SetMinimized(true);
    ::DestroyWindow(again.m_hWnd);
    ASSERT_TRUE(again.Create());
    EXPECT_EQ(again.GetWindowRect().bottom - again.GetWindowRect().top, opening.bottom - opening.top);
    ::DestroyWindow(again.m_hWnd);
}

TEST(FrameMainDialog, TheMainDialogNeverRollsUp)
{
    CTestSettingsRoot settings;
    CToolDlg frame(IDD_TEST_FRAME, nullptr);
    CSkinState skin(&frame);  // the frame stands in for the main dialog
    ASSERT_TRUE(frame.Create());
    const RECT caption = frame.GetCaptionRect();
    SendMouse(frame.m_hWnd, WM_LBUTTONDBLCLK, caption.left + 40, caption.top + 5, MK_LBUTTON);
    EXPECT_FALSE(frame.IsMinimized());
    ::DestroyWindow(frame.m_hWnd);
}

TEST_F(FrameTest, ResizableFrameStretchesItsCaption)
{
    CRecordingFrame frame(IDD_TEST_FRAME, true);
    ASSERT_TRUE(frame.Create());
    const RECT before = frame.GetCaptionRect();
    const RECT window = frame.GetWindowRect();
    ::SetWindowPos(frame.m_hWnd, nullptr, 0, 0, window.right - window.left + 60, window.bottom - window.top,
                   SWP_NOMOVE | SWP_NOZORDER);
    const RECT after = frame.GetCaptionRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.right, before.right + 60);
    ::DestroyWindow(frame.m_hWnd);
}

}  // namespace
