#include "ui/dialogs/InputDlg.h"

#include "lang/Language.h"
#include "params/PresetStore.h"
#include "resources/ControlResources.h"
#include "resources/DialogResources.h"

CInputDlg::CInputDlg(CWnd* parent, const std::string& languageSection)
    : CToolDlg(IDD_VEYDRA_SAVE_PRESET, parent), m_strSection(languageSection.empty() ? "Settings" : languageSection)
{
}

BOOL CInputDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    m_close.SubclassDlgItem(IDC_FRAME_ROLLUP_CLOSE, this);
    m_label.SubclassDlgItem(IDC_INPUT_LABEL, this);
    m_ok.SubclassDlgItem(IDOK, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    TheLanguage().TranslateDialog(m_strSection, m_hWnd);
    m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);

    HWND edit = GetDlgItem(IDC_INPUT_NAME);
    // No longer than a preset (a registry key name) can be.
    ::SendMessageA(edit, EM_LIMITTEXT, kMaxPresetNameLength, 0);
    ::SetWindowTextA(edit, m_strName.c_str());
    // Ready for typing, the initial text selected.
    ::SetFocus(edit);
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    return FALSE;
}

void CInputDlg::OnOK()
{
    HWND edit = GetDlgItem(IDC_INPUT_NAME);
    const int length = ::GetWindowTextLengthA(edit);
    std::string name(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = ::GetWindowTextA(edit, &name[0], length + 1);
    name.resize(static_cast<size_t>(got > 0 ? got : 0));
    m_strName = name;
    EndDialog(IDOK);
}

void CInputDlg::OnCancel() { EndDialog(IDCANCEL); }

bool CInputDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_FRAME_ROLLUP_CLOSE && HIWORD(wParam) == BN_CLICKED) {
        OnCancel();
        return true;
    }
    return CToolDlg::OnCommand(wParam, lParam);
}
