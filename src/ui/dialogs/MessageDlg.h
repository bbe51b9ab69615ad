// CMessageDlg: the skinned stand-in for the system's message box, with an
// icon, one line of text and up to three buttons (template 1023).
//
// Button sets by type, left to right (a button without caption is hidden):
//   0  -, Yes (IDYES), No (IDNO)
//   1  -, -, OK (IDOK)
//   2  Yes (IDYES), No (IDNO), Cancel (IDCANCEL)
//   3  -, OK (IDOK), Cancel (IDCANCEL)
//   4  no buttons, and a dialog shortened to its text
// Enter answers IDYES when there is a Yes button, else IDOK; Escape and the
// caption's close button answer IDCANCEL.
#pragma once

#include <string>

#include "ui/controls/ButtonST.h"
#include "ui/controls/TranspStatic.h"
#include "ui/skin/ToolDlg.h"

class CMessageDlg : public CToolDlg {
public:
    // The button captions come from language section "Msg". `iconId` is an
    // icon resource of the module (177 warning, 178 question; 0: none). A
    // type outside 0-4 is taken as 1, so the message can always be answered.
    CMessageDlg(const std::string& text, int iconId, int type, CWnd* parent);
    ~CMessageDlg() override;

    // Caption and result of button 1138 + index (0 left, 1 middle, 2 right).
    const std::string& GetButtonCaption(int index) const { return m_strCaption[index]; }
    int GetButtonResult(int index) const { return m_nButtonResult[index]; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool PlaceButtons();
    // Loads the icon for the display's density and shows it.
    void LoadMessageIcon();
    void FitIconLabel();

    std::string m_strCaption[3];
    int m_nButtonResult[3];
    WORD m_nIconId;
    std::string m_strText;
    CTranspStatic m_icon;
    CTranspStatic m_text;
    CButtonST m_close;
    CButtonST m_button[3];
    HICON m_hIcon;
};

// Runs the message dialog modally over `parent` and returns the result it
// ended with (-1 if it could not be created). Without a current skin (no
// main dialog yet) it wears the stored interface style and colours. Without
// a parent window it is modal to the whole thread, as a task-modal message
// box is: the thread's other windows (the host's) are disabled meanwhile.
int ShowSkinnedMessage(const std::string& text, int iconId, int type, CWnd* parent);

// ShowSkinnedMessage over the main dialog's window (the window that owns the
// current skin); before that window exists, without an owner.
int ShowMessageOverMainWindow(const std::string& text, int iconId, int type);
