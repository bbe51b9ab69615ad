#include "ui/dialogs/ManagePresetsDlg.h"

#include <vector>

#include "lang/Language.h"
#include "resources/ControlResources.h"
#include "resources/DialogResources.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/MessageDlg.h"

namespace {

const int kQuestionIcon = 178;
const int kYesNo = 0;

std::string ListText(HWND list, int index)
{
    const LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data());
}

}  // namespace

CManagePresetsDlg::CManagePresetsDlg(CWnd* parent) : CToolDlg(IDD_VEYDRA_MANAGE_PRESETS, parent) {}

BOOL CManagePresetsDlg::OnInitDialog()
{
    CToolDlg::OnInitDialog();
    m_delete.SubclassDlgItem(IDC_PRESETS_DELETE, this);
    m_cancel.SubclassDlgItem(IDCANCEL, this);
    m_close.SubclassDlgItem(IDC_FRAME_ROLLUP_CLOSE, this);
    m_list.SubclassDlgItem(IDC_PRESETS_LIST, this);
    TheLanguage().TranslateDialog("Manage_presets", m_hWnd);
    m_close.LoadIcons(IDI_VEYDRA_CLOSE, 0, 16, 16);

    m_arrNames.RemoveAll();
    if (CMainDlg* main = CMainDlg::GetCurrent())
        for (const std::string& name : main->enumeratePresets())
            m_arrNames.Add(name);
    for (int32_t i = 0; i < m_arrNames.GetSize(); ++i)
        ::SendMessageA(m_list.m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_arrNames[i].c_str()));
    return TRUE;
}

void CManagePresetsDlg::OnDelete()
{
    const LRESULT selected = ::SendMessageA(m_list.m_hWnd, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    const std::string question =
        TheLanguage().Lookup("Msg", "del_preset", "Do you want remove selected preset?");
    // Modal over this dialog, so the list cannot change while it asks.
    if (ShowSkinnedMessage(question, kQuestionIcon, kYesNo, this) != IDYES)
        return;
    const int index = static_cast<int>(selected);
    const std::string name = ListText(m_list.m_hWnd, index);
    if (CMainDlg* main = CMainDlg::GetCurrent())
        main->deletePreset(name);
    ::SendMessageA(m_list.m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    for (int32_t i = 0; i < m_arrNames.GetSize(); ++i)
        if (m_arrNames[i] == name) {
            m_arrNames.RemoveAt(i);
            break;
        }
}

void CManagePresetsDlg::OnCancel() { EndDialog(IDCANCEL); }

bool CManagePresetsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_PRESETS_DELETE:
            OnDelete();
            return true;
        case IDC_FRAME_ROLLUP_CLOSE:
            OnCancel();
            return true;
        default:
            break;
        }
    }
    return CToolDlg::OnCommand(wParam, lParam);
}
