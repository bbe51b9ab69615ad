#include "support/ModalScript.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/framework/Dialog.h"

std::vector<CModalScript*> CModalScript::s_active;

CModalScript::CModalScript(DWORD deadlineMs)
    : m_nNext(0),
      m_nStart(::GetTickCount()),
      m_nDeadline(deadlineMs),
      m_nTimer(::SetTimer(nullptr, 0, 20, &CModalScript::Tick)),
      m_bTimedOut(false),
      m_bRunning(false)
{
    s_active.push_back(this);
}

CModalScript::~CModalScript()
{
    ::KillTimer(nullptr, m_nTimer);
    s_active.erase(std::remove(s_active.begin(), s_active.end(), this), s_active.end());
    if (!Finished() && !m_bTimedOut)
        ADD_FAILURE() << "the script ended before its step \"" << m_steps[m_nNext].first << "\"";
}

CModalScript& CModalScript::Then(const std::string& name, Step step)
{
    m_steps.emplace_back(name, std::move(step));
    return *this;
}

void CALLBACK CModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    // Scripts may end (and go) while others run: work on a copy, and only
    // on those still alive.
    const std::vector<CModalScript*> scripts = s_active;
    for (CModalScript* script : scripts)
        if (std::find(s_active.begin(), s_active.end(), script) != s_active.end())
            script->RunSteps();
}

void CModalScript::RunSteps()
{
    // A step may open a nested modal loop (a click that opens a message):
    // its ticks must not run the same step again.
    if (m_bRunning || m_bTimedOut)
        return;
    m_bRunning = true;
    while (!Finished() && m_steps[m_nNext].second())
        ++m_nNext;
    m_bRunning = false;
    if (!Finished() && ::GetTickCount() - m_nStart > m_nDeadline)
        GiveUp();
}

namespace {

BOOL CALLBACK EndOurDialog(HWND window, LPARAM)
{
    if (CDialog* dialog = dynamic_cast<CDialog*>(CWnd::FromHandle(window)))
        dialog->EndDialog(CModalScript::kTimedOut);
    return TRUE;
}

struct FoundDialog {
    int templateId;
    HWND window;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    FoundDialog* found = reinterpret_cast<FoundDialog*>(param);
    const CDialog* dialog = dynamic_cast<const CDialog*>(CWnd::FromHandle(window));
    if (dialog != nullptr && ::IsWindowVisible(window) && dialog->GetTemplateId() == found->templateId &&
        !dialog->IsEnded()) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void CModalScript::GiveUp()
{
    m_bTimedOut = true;
    ADD_FAILURE() << "the script's step \"" << m_steps[m_nNext].first << "\" did not happen within " << m_nDeadline
                  << " ms";
    ::EnumThreadWindows(::GetCurrentThreadId(), EndOurDialog, 0);
}

HWND FindOurDialog(int templateId)
{
    FoundDialog found{templateId, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

namespace {

HWND KeyTarget(HWND dialog)
{
    HWND focus = ::GetFocus();
    return focus != nullptr && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
}

}  // namespace

void PostKey(HWND dialog, UINT virtualKey)
{
    HWND target = KeyTarget(dialog);
    const UINT scan = ::MapVirtualKeyA(virtualKey, 0 /* MAPVK_VK_TO_VSC */);
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, 1 | scan << 16);
    ::PostMessageA(target, WM_KEYUP, virtualKey, 1 | scan << 16 | 0xC0000000u);
}

void PostChars(HWND dialog, const std::string& text)
{
    HWND target = KeyTarget(dialog);
    for (char c : text)
        ::PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PostClickAt(HWND window, int x, int y)
{
    ::PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PostClick(HWND window)
{
    RECT client;
    ::GetClientRect(window, &client);
    PostClickAt(window, client.right / 2, client.bottom / 2);
}

CQueueMarker::CQueueMarker() : m_hWnd(nullptr), m_nPosted(0), m_nReached(0)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &CQueueMarker::Proc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VeydraTestQueueMarker";
    ::RegisterClassA(&windowClass);  // fails harmlessly once registered
    m_hWnd = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CQueueMarker::~CQueueMarker() { ::DestroyWindow(m_hWnd); }

void CQueueMarker::Post()
{
    ++m_nPosted;
    ::PostMessageA(m_hWnd, WM_APP, 0, 0);
}

LRESULT CALLBACK CQueueMarker::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        if (CQueueMarker* self = reinterpret_cast<CQueueMarker*>(::GetWindowLongPtrA(window, GWLP_USERDATA)))
            ++self->m_nReached;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
