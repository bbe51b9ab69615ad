#include "ui/framework/Dialog.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "win/ThisModule.h"

namespace {

// The template with WS_VISIBLE cleared, so that a dialog which ends during
// its initialisation (the main dialog's run without a window) never flashes
// on screen; DoModal shows it itself.
bool LoadHiddenTemplate(int id, std::vector<BYTE>& copy)
{
    HMODULE module = ThisModule();
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (found == nullptr)
        return false;
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr || size < sizeof(DLGTEMPLATE))
        return false;
    copy.assign(static_cast<const BYTE*>(bytes), static_cast<const BYTE*>(bytes) + size);
    // DLGTEMPLATEEX starts with version 1 and signature 0xFFFF; its style
    // follows the help id and the extended style.
    WORD head[2];
    std::memcpy(head, copy.data(), sizeof head);
    const size_t styleAt = head[0] == 1 && head[1] == 0xFFFF ? 12 : 0;
    if (copy.size() < styleAt + sizeof(DWORD))
        return false;
    DWORD style;
    std::memcpy(&style, copy.data() + styleAt, sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    std::memcpy(copy.data() + styleAt, &style, sizeof style);
    return true;
}

}  // namespace

CDialog::CDialog(int templateId, CWnd* parent)
    : m_nTemplateId(templateId), m_pParent(parent), m_hOwner(nullptr), m_bEnded(false), m_nResult(-1)
{
}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr)
        ::DestroyWindow(m_hWnd);
}

HWND CDialog::ParentHandle() const
{
    HWND parent = m_pParent != nullptr ? m_pParent->m_hWnd : m_hOwner;
    return parent != nullptr && ::IsWindow(parent) ? parent : nullptr;
}

bool CDialog::Create()
{
    if (m_hWnd != nullptr)
        return false;
    m_bEnded = false;
    m_nResult = -1;
    // The templates hold trackbars and the links make tooltips.
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    std::vector<BYTE> dialogTemplate;
    if (!LoadHiddenTemplate(m_nTemplateId, dialogTemplate))
        return false;
    HWND window = ::CreateDialogIndirectParamA(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                               ParentHandle(), &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr && m_hWnd == window;
}

INT_PTR CDialog::DoModal()
{
    if (!Create())
        return -1;
    HWND parent = ParentHandle();
    const bool disableParent = parent != nullptr && ::IsWindowEnabled(parent);
    if (disableParent)
        ::EnableWindow(parent, FALSE);
    if (!m_bEnded) {
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // Enable the parent before the dialog goes, so activation returns to it.
    if (disableParent)
        ::EnableWindow(parent, TRUE);
    if (m_hWnd != nullptr) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        ::DestroyWindow(m_hWnd);
    }
    return m_nResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bEnded && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT belongs to the host's own loop: end ours and pass it on.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (!m_bEnded)
                EndDialog(IDCANCEL);
            break;
        }
        if (got < 0)
            break;
        if (!PreTranslateChain(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

bool CDialog::PreTranslateChain(MSG* msg)
{
    // From the target window up to this dialog, like the framework we stand
    // in for: a control sees its messages before the dialog does.
    for (HWND window = msg->hwnd; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = FromHandle(window);
        if (object != nullptr && object->PreTranslateMessage(msg))
            return true;
        if (window == m_hWnd)
            return false;
    }
    // A message for another window of the thread (a tooltip, a menu).
    return PreTranslateMessage(msg);
}

void CDialog::EndDialog(INT_PTR result)
{
    m_nResult = result;
    m_bEnded = true;
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    return m_hWnd != nullptr && ::IsDialogMessageA(m_hWnd, msg) != FALSE;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && OnCommand(wParam, lParam))
        return 0;
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;  // everything else reaches our window procedure first
    CDialog* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->SubclassWindow(window))
        return TRUE;
    return dialog->OnInitDialog();
}
