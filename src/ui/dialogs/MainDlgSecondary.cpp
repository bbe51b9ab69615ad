// The main dialog's secondary dialogs: About, Save preset and Manage
// presets, each run modally over the main dialog and gone when it returns.
#include "lang/Language.h"
#include "params/PresetStore.h"
#include "params/RegistryStore.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/Credits.h"
#include "ui/dialogs/InputDlg.h"
#include "ui/dialogs/MainDlg.h"
#include "ui/dialogs/ManagePresetsDlg.h"

namespace {

const int kWarningIcon = 177;
const int kMessageOk = 1;

}  // namespace

void CMainDlg::ShowAbout(HWND owner)
{
    CAboutDlg about(kBuiltInCredits, std::string());
    about.SetOwnerWindow(owner);
    about.DoModal();
}

void CMainDlg::SavePresetAs()
{
    CInputDlg input(this, std::string());
    if (input.DoModal() != IDOK)
        return;
    // No name is no preset: it would be the last-used set.
    if (input.m_strName.empty())
        return;
    if (!savePreset(AppSettings(), input.m_strName, GetParams()))
        ShowMessage(TheLanguage().Lookup("Msg", "err_preset_name", "A preset name cannot contain a backslash."),
                    kWarningIcon, kMessageOk);
}

void CMainDlg::ManagePresets()
{
    CManagePresetsDlg manage(this);
    manage.DoModal();
}
