#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "WicPng.h"
#include "params/RegistryStore.h"
#include "support/ScreenshotFolder.h"

CTestSettingsRoot::CTestSettingsRoot()
{
    char company[96];
    std::snprintf(company, sizeof company, "Veydra UI Test %lu", static_cast<unsigned long>(::GetCurrentProcessId()));
    m_company = company;
    SetSettingsCompany(m_company.c_str());
}

CTestSettingsRoot::~CTestSettingsRoot()
{
    const std::string root = "Software\\" + m_company;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, root.c_str());
    SetSettingsCompany(nullptr);
}

CRecordingTimers::CRecordingTimers() : m_pPrevious(SetTimerService(this)) {}

CRecordingTimers::~CRecordingTimers() { SetTimerService(m_pPrevious); }

void CRecordingTimers::Set(HWND window, UINT_PTR id, UINT milliseconds)
{
    m_running[{window, id}] = milliseconds;
    ++m_setCount[{window, id}];
}

void CRecordingTimers::Kill(HWND window, UINT_PTR id) { m_running.erase({window, id}); }

bool CRecordingTimers::IsRunning(HWND window, UINT_PTR id) const { return m_running.count({window, id}) != 0; }

UINT CRecordingTimers::Period(HWND window, UINT_PTR id) const
{
    const auto found = m_running.find({window, id});
    return found == m_running.end() ? 0 : found->second;
}

int CRecordingTimers::SetCount(HWND window, UINT_PTR id) const
{
    const auto found = m_setCount.find({window, id});
    return found == m_setCount.end() ? 0 : found->second;
}

void CRecordingTimers::Fire(HWND window, UINT_PTR id) { ::SendMessageA(window, WM_TIMER, id, 0); }

CModalCloser* CModalCloser::s_pActive = nullptr;

CModalCloser::CModalCloser(HWND owner, int command)
    : m_hOwner(owner),
      m_nCommand(command),
      m_nTimer(::SetTimer(nullptr, 0, 50, &CModalCloser::Tick)),
      m_nStart(::GetTickCount()),
      m_hLast(nullptr)
{
    s_pActive = this;
}

CModalCloser::~CModalCloser()
{
    ::KillTimer(nullptr, m_nTimer);
    s_pActive = nullptr;
}

BOOL CALLBACK CModalCloser::Find(HWND window, LPARAM found)
{
    char name[16] = {};
    ::GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && ::IsWindowVisible(window) &&
        ::GetWindow(window, GW_OWNER) == s_pActive->m_hOwner) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK CModalCloser::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    CModalCloser* self = s_pActive;
    if (self == nullptr)
        return;
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CModalCloser::Find, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    if (dialog != self->m_hLast) {
        char text[512] = {};
        ::GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);  // a message box's text
        self->text = text;
        ::GetWindowTextA(dialog, text, sizeof text);
        self->caption = text;
        self->m_hLast = dialog;
        self->m_nStart = ::GetTickCount();
        ++self->count;
    } else if (::GetTickCount() - self->m_nStart > 10000) {
        ADD_FAILURE() << "a modal dialog stayed open for 10 s";
        ::EndDialog(dialog, IDCANCEL);
        return;
    }
    ::PostMessageA(dialog, WM_COMMAND, static_cast<WPARAM>(self->m_nCommand), 0);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > milliseconds)
            return false;
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PrintClient(HWND window, CDib& dib)
{
    RECT client;
    ::GetClientRect(window, &client);
    dib.Create(client.right, client.bottom);
    HDC dc = dib.GetDC();
    ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    dib.ReleaseDC();
}

bool CaptureWindow(HWND window, CDib& dib)
{
    RECT rect;
    ::GetWindowRect(window, &rect);
    if (!dib.Create(rect.right - rect.left, rect.bottom - rect.top))
        return false;
    HDC source = ::GetWindowDC(window);
    HDC dc = dib.GetDC();
    const BOOL copied = ::BitBlt(dc, 0, 0, dib.GetWidth(), dib.GetHeight(), source, 0, 0, SRCCOPY);
    ::GdiFlush();
    dib.ReleaseDC();
    ::ReleaseDC(window, source);
    return copied != FALSE;
}

COLORREF PixelColor(const CDib& dib, int x, int y)
{
    const ARGB argb = dib.Row(y)[x];
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

std::string SaveScreenshot(const CDib& dib, const std::string& name)
{
    const std::string path = ScreenshotFolder(VEYDRA_SCREENSHOT_DIR) + "/" + name + ".png";
    std::string error;
    if (!WritePngFromBgrx(path, dib.GetWidth(), dib.GetHeight(), reinterpret_cast<const uint8_t*>(dib.GetPixels()),
                          dib.GetStride() * 4, error)) {
        ADD_FAILURE() << "screenshot " << path << ": " << error;
        return std::string();
    }
    return path;
}

LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys)
{
    return ::SendMessageA(window, message, keys, MAKELPARAM(x, y));
}
