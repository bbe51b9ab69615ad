// CManagePresetsDlg: the Manage presets dialog (template 1012). It lists the
// user presets of the current main dialog in a sorted list box and deletes
// the selected one after the user confirms.
#pragma once

#include <string>

#include "ui/controls/ButtonST.h"
#include "ui/framework/Array.h"
#include "ui/skin/ToolDlg.h"

class CManagePresetsDlg : public CToolDlg {
public:
    explicit CManagePresetsDlg(CWnd* parent);

    // The presets as the dialog knows them (in the store's order).
    const CArray<std::string>& GetNames() const { return m_arrNames; }

protected:
    BOOL OnInitDialog() override;
    // Close, the close button and Escape: IDCANCEL. There is no OK.
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnDelete();

    CArray<std::string> m_arrNames;
    CButtonST m_delete;
    CButtonST m_cancel;
    CButtonST m_close;
    CWnd m_list;
};
