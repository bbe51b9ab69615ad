// Our thin dialog framework under Wine: subclassing and reflection, the
// modal loop, its end codes, and the accelerator pre-translation of frames.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "UiTestIds.h"
#include "support/UiTestSupport.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dialog.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

namespace {

const UINT kStep = WM_APP + 1;

// A dialog whose test script runs from inside its own modal loop.
template <class Base>
class CScripted : public Base {
public:
    explicit CScripted(int id) : Base(id, nullptr) {}
    std::function<void(CScripted&)> onInit;
    std::function<void(CScripted&)> onStep;
    int shownCount = 0;

protected:
    BOOL OnInitDialog() override
    {
        Base::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kStep) {
            if (onStep)
                onStep(*this);
            return 0;
        }
        if (message == WM_SHOWWINDOW && wParam != 0)
            ++shownCount;
        return Base::WindowProc(message, wParam, lParam);
    }
};

// Ends a modal loop that a broken test would otherwise never leave.
class CModalDeadline {
public:
    explicit CModalDeadline(CDialog& dialog) : m_timer(::SetTimer(nullptr, 0, 10000, &CModalDeadline::Expired))
    {
        s_pDialog = &dialog;
    }
    ~CModalDeadline()
    {
        ::KillTimer(nullptr, m_timer);
        s_pDialog = nullptr;
    }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR, DWORD)
    {
        ADD_FAILURE() << "modal loop still running after 10 s";
        if (s_pDialog != nullptr)
            s_pDialog->EndDialog(-99);
    }
    static CDialog* s_pDialog;
    UINT_PTR m_timer;
};
CDialog* CModalDeadline::s_pDialog = nullptr;

TEST(Dialog, DoModalShowsTheDialogAndReturnsTheEndCode)
{
    CScripted<CDialog> dialog(IDD_TEST_LAYOUT);
    bool visibleInLoop = false;
    dialog.onInit = [](CScripted<CDialog>& d) { ::PostMessageA(d.m_hWnd, kStep, 0, 0); };
    dialog.onStep = [&](CScripted<CDialog>& d) {
        visibleInLoop = ::IsWindowVisible(d.m_hWnd) != FALSE;
        d.EndDialog(42);
    };
    CModalDeadline deadline(dialog);
    EXPECT_EQ(dialog.DoModal(), 42);
    EXPECT_TRUE(visibleInLoop);
    EXPECT_EQ(dialog.m_hWnd, nullptr);  // destroyed when the loop ended
}

TEST(Dialog, ModalLoopDisablesTheParentUntilItEnds)
{
    HWND parent = ::CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    CWnd parentObject;
    ASSERT_TRUE(parentObject.SubclassWindow(parent));
    class CChild : public CDialog {
    public:
        explicit CChild(CWnd* p) : CDialog(IDD_TEST_LAYOUT, p) {}
        bool parentEnabled = true;

    protected:
        BOOL OnInitDialog() override
        {
            ::PostMessageA(m_hWnd, kStep, 0, 0);
            return TRUE;
        }
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == kStep) {
                parentEnabled = ::IsWindowEnabled(GetParent()) != FALSE;
                EndDialog(IDCANCEL);
                return 0;
            }
            return CDialog::WindowProc(message, wParam, lParam);
        }
    } child(&parentObject);
    CModalDeadline deadline(child);
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    EXPECT_FALSE(child.parentEnabled);
    EXPECT_TRUE(::IsWindowEnabled(parent));
    ::DestroyWindow(parent);
}

TEST(Dialog, EndingDuringInitialisationNeverShowsTheWindow)
{
    CScripted<CDialog> dialog(IDD_TEST_LAYOUT);
    dialog.onInit = [](CScripted<CDialog>& d) { d.EndDialog(IDOK); };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.shownCount, 0);
}

TEST(Dialog, EscapeAndEnterReachOnCancelAndOnOK)
{
    CScripted<CDialog> dialog(IDD_TEST_LAYOUT);
    dialog.onInit = [](CScripted<CDialog>& d) {
        ::PostMessageA(d.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    };
    CModalDeadline deadline(dialog);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    // A frame ignores both keys; the deadline step ends it.
    CTestSettingsRoot settings;
    CScripted<CToolDlg> frame(IDD_TEST_FRAME);
    frame.onInit = [](CScripted<CToolDlg>& d) {
        ::PostMessageA(d.GetDlgItem(1026), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageA(d.GetDlgItem(1026), WM_KEYDOWN, VK_RETURN, 0x001C0001);
        ::PostMessageA(d.m_hWnd, kStep, 0, 0);
    };
    frame.onStep = [](CScripted<CToolDlg>& d) { d.EndDialog(7); };
    CModalDeadline frameDeadline(frame);
    EXPECT_EQ(frame.DoModal(), 7);
}

TEST(Dialog, QuitMessageEndsTheLoopAndIsPassedOn)
{
    CScripted<CDialog> dialog(IDD_TEST_LAYOUT);
    dialog.onInit = [](CScripted<CDialog>&) { ::PostQuitMessage(3); };
    CModalDeadline deadline(dialog);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

// A main-window stand-in that records the commands it receives.
class CCommandRecorder : public CWnd {
public:
    int lastCommand = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            lastCommand = LOWORD(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(ToolDlg, AltF1IsTranslatedForTheMainDialog)
{
    CTestSettingsRoot settings;
    HWND mainWindow = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    CCommandRecorder main;
    ASSERT_TRUE(main.SubclassWindow(mainWindow));

    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE withAlt[256];
    ::GetKeyboardState(withAlt);
    withAlt[VK_MENU] = 0x80;  // TranslateAccelerator reads Alt from the key state

    for (bool withSkin : {false, true}) {
        main.lastCommand = 0;
        CSkinState* skin = withSkin ? new CSkinState(&main) : nullptr;
        CScripted<CToolDlg> frame(IDD_TEST_FRAME);
        frame.onInit = [&](CScripted<CToolDlg>& d) {
            ::SetKeyboardState(withAlt);
            ::PostMessageA(d.GetDlgItem(1026), WM_SYSKEYDOWN, VK_F1, 0x203B0001);
            ::PostMessageA(d.m_hWnd, kStep, 0, 0);
        };
        frame.onStep = [&](CScripted<CToolDlg>& d) {
            ::SetKeyboardState(keys);
            d.EndDialog(IDOK);
        };
        CModalDeadline deadline(frame);
        EXPECT_EQ(frame.DoModal(), IDOK);
        EXPECT_EQ(main.lastCommand, withSkin ? 57665 : 0) << (withSkin ? "with" : "without") << " a main dialog";
        delete skin;
    }
    ::SetKeyboardState(keys);
    ::DestroyWindow(mainWindow);
}

// A button that counts the owner-draw calls reflected to it.
class CDrawCounter : public CButton {
public:
    int draws = 0;
    void DrawItem(DRAWITEMSTRUCT*) override { ++draws; }

protected:
    bool OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        if (message != WM_DRAWITEM)
            return false;
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        *result = TRUE;
        return true;
    }
};

TEST(Wnd, SubclassReflectsOwnerDrawingAndLetsGoWithTheWindow)
{
    CDialog dialog(IDD_TEST_LAYOUT, nullptr);
    ASSERT_TRUE(dialog.Create());
    HWND button = dialog.GetDlgItem(IDC_TEST_OTHER);
    const LONG_PTR original = ::GetWindowLongPtrA(button, GWLP_WNDPROC);
    CDrawCounter counter;
    ASSERT_TRUE(counter.SubclassDlgItem(IDC_TEST_OTHER, &dialog));
    EXPECT_EQ(CWnd::FromHandle(button), &counter);
    EXPECT_FALSE(CDrawCounter().SubclassWindow(button));  // one object per window

    ::ShowWindow(dialog.m_hWnd, SW_SHOWNA);
    ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(counter.draws, 1);

    EXPECT_EQ(counter.UnsubclassWindow(), button);
    EXPECT_EQ(::GetWindowLongPtrA(button, GWLP_WNDPROC), original);
    EXPECT_EQ(CWnd::FromHandle(button), nullptr);

    ASSERT_TRUE(counter.SubclassWindow(button));
    ::DestroyWindow(dialog.m_hWnd);
    EXPECT_EQ(counter.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, MissingTemplateFailsCleanly)
{
    CDialog dialog(4999, nullptr);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

}  // namespace
