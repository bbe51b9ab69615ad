#include "ui/dialogs/AboutDlg.h"

#include "lang/Language.h"
#include "resources/ControlResources.h"
#include "resources/DialogResources.h"
#include "ui/skin/Skin.h"

CAboutDlg::CAboutDlg(const char* const* credits, const std::string& titleSuffix)
    : CToolDlg(IDD_VEYDRA_ABOUT, nullptr), m_pCredits(credits), m_strTitleSuffix(titleSuffix)
{
}

BOOL CAboutDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    m_close.SubclassDlgItem(IDC_ABOUT_CLOSE, this);
    m_picture.SubclassDlgItem(IDC_ABOUT_PICTURE, this);
    TheLanguage().TranslateDialog("About", m_hWnd);

    std::string caption = TheLanguage().Lookup("About", "0", "About");
    if (!m_strTitleSuffix.empty())
        caption += " - " + m_strTitleSuffix;
    ::SetDlgItemTextA(m_hWnd, IDC_FRAME_CAPTION, caption.c_str());
    // The box shows in the taskbar: give it the same title there.
    SetText(caption);

    m_picture.SetBackgroundColor(SkinWindowColor());
    m_picture.Invalidate(true);
    m_picture.Init(m_pCredits);
    // The picture is named by the credits' first line (the product and its
    // version), which screen readers, and hosts that list a dialog's texts,
    // read; the credits themselves are only painted.
    if (m_pCredits != nullptr && m_pCredits[0] != nullptr)
        m_picture.SetText(m_pCredits[0]);
    m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);
    return TRUE;
}

void CAboutDlg::OnOK() { EndDialog(IDOK); }

void CAboutDlg::OnCancel() { EndDialog(IDOK); }

bool CAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_ABOUT_CLOSE && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(IDOK);
        return true;
    }
    return CToolDlg::OnCommand(wParam, lParam);
}
