// The main dialog's secondary dialogs: About, Save preset and Manage
// presets.
#include "ui/dialogs/MainDlg.h"

void CMainDlg::ShowAbout(HWND) {}

void CMainDlg::SavePresetAs() {}

void CMainDlg::ManagePresets() {}
