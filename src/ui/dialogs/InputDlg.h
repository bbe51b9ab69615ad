// CInputDlg: the Save preset dialog (template 1011), which asks for a name.
// It does not judge the name; the caller does (an empty name, say, is no
// preset).
#pragma once

#include <string>

#include "ui/controls/ButtonST.h"
#include "ui/controls/TranspStatic.h"
#include "ui/skin/ToolDlg.h"

class CInputDlg : public CToolDlg {
public:
    // `languageSection` translates the dialog; empty means "Settings".
    CInputDlg(CWnd* parent, const std::string& languageSection);

    // The name in the edit box: set before DoModal for an initial text, read
    // after IDOK.
    std::string m_strName;

    const std::string& GetLanguageSection() const { return m_strSection; }

protected:
    BOOL OnInitDialog() override;
    // OK (the default button, also Enter): takes the name, ends with IDOK.
    void OnOK() override;
    // Close, the close button and Escape: IDCANCEL.
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_strSection;
    CButtonST m_close;
    CTranspStatic m_label;
    CButtonST m_ok;
    CButtonST m_cancel;
};
