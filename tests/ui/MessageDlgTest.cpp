// The skinned message dialog, run modally and answered the way a user
// answers it: keystrokes and clicks posted into its own modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/DialogResources.h"
#include "support/ModalScript.h"
#include "support/UiTestSupport.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

namespace {

enum class Answer { Enter, Escape, CloseButton, Left, Middle, Right };

const char* Name(Answer a)
{
    switch (a) {
    case Answer::Enter:
        return "Enter";
    case Answer::Escape:
        return "Escape";
    case Answer::CloseButton:
        return "close button";
    case Answer::Left:
        return "button 1138";
    case Answer::Middle:
        return "button 1139";
    default:
        return "button 1140";
    }
}

struct Shown {
    bool visible[3] = {false, false, false};
    std::string caption[3];
    std::string text;
    std::string title;
    bool hasIcon = false;
    RECT window{};
    RECT buttonRow{};
    RECT iconLabel{};
};

Shown Inspect(HWND dialog)
{
    Shown shown;
    for (int i = 0; i < 3; ++i) {
        HWND button = ::GetDlgItem(dialog, IDC_MESSAGE_BUTTON_LEFT + i);
        shown.visible[i] = ::IsWindowVisible(button) != FALSE;
        char text[64] = {};
        ::GetWindowTextA(button, text, sizeof text);
        shown.caption[i] = text;
    }
    char text[256] = {};
    ::GetDlgItemTextA(dialog, IDC_MESSAGE_TEXT, text, sizeof text);
    shown.text = text;
    ::GetWindowTextA(dialog, text, sizeof text);
    shown.title = text;
    shown.hasIcon = ::SendMessageA(::GetDlgItem(dialog, IDC_MESSAGE_ICON), STM_GETICON, 0, 0) != 0;
    ::GetWindowRect(dialog, &shown.window);
    ::GetClientRect(::GetDlgItem(dialog, IDC_MESSAGE_ICON), &shown.iconLabel);
    ::GetWindowRect(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON_LEFT), &shown.buttonRow);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&shown.buttonRow), 2);
    return shown;
}

void Give(HWND dialog, Answer answer)
{
    switch (answer) {
    case Answer::Enter:
        PostKey(dialog, VK_RETURN);
        break;
    case Answer::Escape:
        PostKey(dialog, VK_ESCAPE);
        break;
    case Answer::CloseButton:
        PostClick(::GetDlgItem(dialog, 1005));
        break;
    case Answer::Left:
    case Answer::Middle:
    case Answer::Right:
        PostClick(::GetDlgItem(dialog, IDC_MESSAGE_BUTTON_LEFT + static_cast<int>(answer) - 3));
        break;
    }
}

class MessageDlgTest : public ::testing::Test {
protected:
    MessageDlgTest() : m_skin(nullptr) { m_skin.SetStyle(kStyleChrome); }

    // Runs the message over `parent`, answers it and returns its result;
    // `shown` gets what it looked like.
    int Run(const std::string& text, int icon, int type, Answer answer, Shown& shown, CWnd* parent = nullptr)
    {
        CModalScript script;
        HWND dialog = nullptr;
        script
            .Then("the message shows",
                  [&] {
                      dialog = FindOurDialog(IDD_VEYDRA_MESSAGE);
                      return dialog != nullptr;
                  })
            .Then("answer", [&] {
                shown = Inspect(dialog);
                Give(dialog, answer);
                return true;
            });
        const int result = ShowSkinnedMessage(text, icon, type, parent);
        PumpUntil([&] { return script.Finished(); }, 1000);
        return result;
    }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
};

TEST_F(MessageDlgTest, EveryAnswerOfEveryButtonSet)
{
    struct Case {
        int type;
        Answer answer;
        int result;
    };
    const Case cases[] = {
        // Yes/No: Enter means Yes, since there is one.
        {0, Answer::Enter, IDYES},
        {0, Answer::Escape, IDCANCEL},
        {0, Answer::CloseButton, IDCANCEL},
        {0, Answer::Middle, IDYES},
        {0, Answer::Right, IDNO},
        // OK alone.
        {1, Answer::Enter, IDOK},
        {1, Answer::Escape, IDCANCEL},
        {1, Answer::CloseButton, IDCANCEL},
        {1, Answer::Right, IDOK},
        // Yes/No/Cancel.
        {2, Answer::Enter, IDYES},
        {2, Answer::Escape, IDCANCEL},
        {2, Answer::CloseButton, IDCANCEL},
        {2, Answer::Left, IDYES},
        {2, Answer::Middle, IDNO},
        {2, Answer::Right, IDCANCEL},
        // OK/Cancel.
        {3, Answer::Enter, IDOK},
        {3, Answer::Middle, IDOK},
        {3, Answer::Right, IDCANCEL},
        // No buttons: only the keys and the close button end it.
        {4, Answer::Enter, IDOK},
        {4, Answer::Escape, IDCANCEL},
        {4, Answer::CloseButton, IDCANCEL},
    };
    for (const Case& c : cases) {
        Shown shown;
        EXPECT_EQ(Run("Proceed?", 178, c.type, c.answer, shown), c.result)
            << "type " << c.type << ", " << Name(c.answer);
    }
}

TEST_F(MessageDlgTest, ButtonSetsCaptionsAndTheShortenedDialog)
{
    struct Case {
        int type;
        const char* captions[3];  // "" hidden
    };
    const Case cases[] = {
        {0, {"", "Yes", "No"}},
        {1, {"", "", "OK"}},
        {2, {"Yes", "No", "Cancel"}},
        {3, {"", "OK", "Cancel"}},
        {4, {"", "", ""}},
        {9, {"", "", "OK"}},  // an unknown type can still be answered
    };
    for (const Case& c : cases) {
        Shown shown;
        Run("Some text", 177, c.type, Answer::Escape, shown);
        for (int i = 0; i < 3; ++i) {
            const bool expectVisible = c.captions[i][0] != '\0';
            EXPECT_EQ(shown.visible[i], expectVisible) << "type " << c.type << " button " << i;
            if (expectVisible) {
                EXPECT_EQ(shown.caption[i], c.captions[i]) << "type " << c.type << " button " << i;
            }
        }
        EXPECT_EQ(shown.text, "Some text");
        EXPECT_EQ(shown.title, "Veydra");
        EXPECT_TRUE(shown.hasIcon);
        // Room for the whole 38 x 38 icon.
        EXPECT_GE(shown.iconLabel.right, 38);
        EXPECT_GE(shown.iconLabel.bottom, 38);
        const int height = shown.window.bottom - shown.window.top;
        if (c.type == 4) {
            EXPECT_EQ(height, shown.buttonRow.top + 8);
        } else {
            EXPECT_GT(height, shown.buttonRow.bottom);
        }
    }
}

TEST_F(MessageDlgTest, AnIconThatDoesNotLoadLeavesNone)
{
    Shown shown;
    EXPECT_EQ(Run("No icon", 4242, 1, Answer::Enter, shown), IDOK);
    EXPECT_FALSE(shown.hasIcon);
    EXPECT_EQ(Run("No icon", 0, 1, Answer::Enter, shown), IDOK);
    EXPECT_FALSE(shown.hasIcon);
}

TEST_F(MessageDlgTest, CentredOverItsParentWhichItDisables)
{
    CToolDlg parent(IDD_VEYDRA_SAVE_PRESET, nullptr);
    ASSERT_TRUE(parent.Create());
    ::SetWindowPos(parent.m_hWnd, nullptr, 150, 120, 600, 400, SWP_NOZORDER | SWP_SHOWWINDOW);
    bool parentEnabled = true;
    Shown shown;
    CModalScript probe;
    probe.Then("parent state", [&] {
        if (FindOurDialog(IDD_VEYDRA_MESSAGE) == nullptr)
            return false;
        parentEnabled = ::IsWindowEnabled(parent.m_hWnd) != FALSE;
        return true;
    });
    EXPECT_EQ(Run("Centred", 177, 1, Answer::Right, shown, &parent), IDOK);
    EXPECT_FALSE(parentEnabled);
    EXPECT_TRUE(::IsWindowEnabled(parent.m_hWnd));
    const int width = shown.window.right - shown.window.left;
    const int height = shown.window.bottom - shown.window.top;
    EXPECT_EQ(shown.window.left, 150 + (600 - width) / 2);
    EXPECT_EQ(shown.window.top, 120 + (400 - height) / 2);
    ::DestroyWindow(parent.m_hWnd);
}

TEST_F(MessageDlgTest, WithoutAParentTheThreadsOtherWindowsWait)
{
    CToolDlg other(IDD_VEYDRA_SAVE_PRESET, nullptr);
    ASSERT_TRUE(other.Create());
    ::ShowWindow(other.m_hWnd, SW_SHOWNOACTIVATE);
    bool otherEnabled = true;
    CModalScript probe;
    probe.Then("other window's state", [&] {
        if (FindOurDialog(IDD_VEYDRA_MESSAGE) == nullptr)
            return false;
        otherEnabled = ::IsWindowEnabled(other.m_hWnd) != FALSE;
        return true;
    });
    Shown shown;
    EXPECT_EQ(Run("Alone", 177, 1, Answer::Enter, shown), IDOK);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(::IsWindowEnabled(other.m_hWnd));
    ::DestroyWindow(other.m_hWnd);
}

}  // namespace
