// CDialog: a dialog made from one of the module's dialog templates.
//
// DoModal runs it with our own modal loop, so that every message passes
// PreTranslateMessage (the skinned frames translate their accelerators
// there) before the dialog manager sees it. Templates are found in the
// module that holds this code, never in the host's executable.
#pragma once

#include "ui/framework/Wnd.h"

class CDialog : public CWnd {
public:
    CDialog(int templateId, CWnd* parent);
    ~CDialog() override;

    // Creates the dialog, shows it unless it ended during OnInitDialog, and
    // runs the modal loop with the parent disabled until EndDialog. Returns
    // the end code, or -1 if the dialog could not be created.
    INT_PTR DoModal();
    // Creates the dialog window without showing it or running a loop: the
    // first half of DoModal, also used to drive a dialog from tests.
    bool Create();
    void EndDialog(INT_PTR result);
    // A window that owns the dialog without being one of ours (a host's
    // window); used when the dialog has no parent object. Checked with
    // IsWindow when the dialog is created.
    void SetOwnerWindow(HWND owner) { m_hOwner = owner; }

    int GetTemplateId() const { return m_nTemplateId; }
    bool IsEnded() const { return m_bEnded; }
    INT_PTR GetResult() const { return m_nResult; }

    bool PreTranslateMessage(MSG* msg) override;

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // WM_COMMAND: IDOK and IDCANCEL go to OnOK and OnCancel. True: handled.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HWND ParentHandle() const;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RunModalLoop();
    bool PreTranslateChain(MSG* msg);

    int m_nTemplateId;
    CWnd* m_pParent;
    HWND m_hOwner;
    bool m_bEnded;
    INT_PTR m_nResult;
};
