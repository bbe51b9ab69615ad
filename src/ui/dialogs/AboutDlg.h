// CAboutDlg: the About box (template 1024), with the logo picture and its
// scrolling credits. Its close button, Enter and Escape all end it with
// IDOK. It has no parent and shows in the taskbar.
#pragma once

#include <string>

#include "ui/controls/ButtonST.h"
#include "ui/dialogs/AboutDib.h"
#include "ui/skin/ToolDlg.h"

class CAboutDlg : public CToolDlg {
public:
    // `credits`: a null-terminated array of lines that outlives the dialog
    // (kBuiltInCredits in every use). `titleSuffix`, when not empty, is
    // appended to the caption after " - ".
    CAboutDlg(const char* const* credits, const std::string& titleSuffix);

    CAboutDib& Picture() { return m_picture; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    const char* const* m_pCredits;
    std::string m_strTitleSuffix;
    CButtonST m_close;
    CAboutDib m_picture;
};
