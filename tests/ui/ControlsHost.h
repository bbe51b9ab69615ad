// A frame holding one control of each kind (template IDD_TEST_CONTROLS),
// with the skin, private settings and recorded timers the control tests use.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "UiTestIds.h"
#include "support/UiTestSupport.h"
#include "ui/controls/ButtonST.h"
#include "ui/controls/ColorButton.h"
#include "ui/controls/ColorChooser.h"
#include "ui/controls/HyperLink.h"
#include "ui/controls/IconSlider.h"
#include "ui/controls/TranspStatic.h"
#include "ui/skin/Skin.h"
#include "ui/skin/ToolDlg.h"

class CControlsHost : public CToolDlg {
public:
    CControlsHost() : CToolDlg(IDD_TEST_CONTROLS, nullptr) {}

    CButtonST m_button;
    CColorButton m_color;
    CIconSlider m_slider;
    CTranspStatic m_label;
    CHyperLink m_link;
    CTranspStatic m_icon;
    // WM_COMMAND (id, code, lParam) as the controls reported them.
    struct Command {
        int id;
        int code;
        LPARAM handle;
    };
    std::vector<Command> commands;
    // Acts on the colour button as the main dialog does: a notification
    // with a non-zero click value opens the chooser.
    bool actAsColorOwner = false;
    int choosersOpened = 0;

    int CountCommands(int id) const
    {
        int n = 0;
        for (const Command& c : commands)
            n += c.id == id ? 1 : 0;
        return n;
    }

protected:
    BOOL OnInitDialog() override
    {
        CToolDlg::OnInitDialog();
        m_button.SubclassDlgItem(IDC_CTL_BUTTON, this);
        m_color.SubclassDlgItem(IDC_CTL_COLOR, this);
        m_slider.SubclassDlgItem(IDC_CTL_SLIDER, this);
        m_label.SubclassDlgItem(IDC_CTL_LABEL, this);
        m_link.SubclassDlgItem(IDC_CTL_LINK, this);
        m_icon.SubclassDlgItem(IDC_CTL_ICON, this);
        return TRUE;
    }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        commands.push_back(Command{LOWORD(wParam), HIWORD(wParam), lParam});
        if (actAsColorOwner && LOWORD(wParam) == IDC_CTL_COLOR && m_color.GetClickValue() != 0) {
            ++choosersOpened;
            COLORREF color = m_color.GetFaceColor();
            if (ChooseColorDialog(m_hWnd, color))
                m_color.SetFaceColor(color);
        }
        return CToolDlg::OnCommand(wParam, lParam);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    static constexpr COLORREF kWindow = 0x00D8E4EC;
    static constexpr COLORREF kControl = 0x00C08850;

    ControlsTest() : m_skin(nullptr)
    {
        m_skin.SetWindowColor(kWindow);
        m_skin.SetControlColor(kControl);
        m_skin.SetStyle(kStyleFlat);
        ResetRingTable();
    }
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Create());
        ::SetWindowPos(m_host.m_hWnd, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        PumpMessages();
        m_host.commands.clear();
    }
    void TearDown() override
    {
        if (m_host.m_hWnd != nullptr)
            ::DestroyWindow(m_host.m_hWnd);
    }
    // Paints one control into a DIB through WM_PRINTCLIENT (owner-drawn
    // buttons answer it with WM_DRAWITEM on that DC).
    static void Print(HWND control, CDib& dib, COLORREF background)
    {
        RECT client;
        ::GetClientRect(control, &client);
        dib.Create(client.right, client.bottom);
        dib.Fill(0xFF000000 | ColorRefToArgb(background));
        HDC dc = dib.GetDC();
        ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        ::GdiFlush();
        dib.ReleaseDC();
    }
    static int CountColor(const CDib& dib, COLORREF color, const RECT* area = nullptr)
    {
        RECT all{0, 0, dib.GetWidth(), dib.GetHeight()};
        const RECT& r = area != nullptr ? *area : all;
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += PixelColor(dib, x, y) == color ? 1 : 0;
        return n;
    }

    CTestSettingsRoot m_settings;
    CSkinState m_skin;
    CRecordingTimers m_timers;
    CControlsHost m_host;
};
