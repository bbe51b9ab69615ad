// Helpers of the user-interface tests under Wine: a private settings root,
// timers the test delivers itself, message pumping with deadlines, reading
// pixels back from a window, and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "imaging/Dib.h"
#include "ui/framework/Timers.h"

// Points AppSettings() at "Software\<unique company>\Veydra" for the life of
// the object and deletes that tree afterwards.
class CTestSettingsRoot {
public:
    CTestSettingsRoot();
    ~CTestSettingsRoot();
    CTestSettingsRoot(const CTestSettingsRoot&) = delete;
    CTestSettingsRoot& operator=(const CTestSettingsRoot&) = delete;

private:
    std::string m_company;
};

// Notes which timers would run instead of starting them; the test sends
// WM_TIMER itself.
class CRecordingTimers : public ITimerService {
public:
    CRecordingTimers();
    ~CRecordingTimers() override;
    void Set(HWND window, UINT_PTR id, UINT milliseconds) override;
    void Kill(HWND window, UINT_PTR id) override;

    bool IsRunning(HWND window, UINT_PTR id) const;
    // The period of a running timer, 0 if it is not running.
    UINT Period(HWND window, UINT_PTR id) const;
    int SetCount(HWND window, UINT_PTR id) const;
    // Delivers WM_TIMER `id` to `window` (running or not).
    static void Fire(HWND window, UINT_PTR id);

private:
    ITimerService* m_pPrevious;
    std::map<std::pair<HWND, UINT_PTR>, UINT> m_running;
    std::map<std::pair<HWND, UINT_PTR>, int> m_setCount;
};

// Answers the modal dialogs (message boxes, the colour chooser) that open
// over `owner` while it lives: notes each one's message text and closes it
// with WM_COMMAND `command`. A dialog that stays open (a closer that cannot
// close it) fails the test after ten seconds instead of hanging it.
class CModalCloser {
public:
    CModalCloser(HWND owner, int command);
    ~CModalCloser();
    CModalCloser(const CModalCloser&) = delete;
    CModalCloser& operator=(const CModalCloser&) = delete;

    int count = 0;      // dialogs closed
    std::string text;     // the last message box's text
    std::string caption;  // and its caption

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK Find(HWND window, LPARAM found);
    static CModalCloser* s_pActive;
    HWND m_hOwner;
    int m_nCommand;
    UINT_PTR m_nTimer;
    DWORD m_nStart;
    HWND m_hLast;
};

// Dispatches the thread's pending messages.
void PumpMessages();
// Pumps until `done` holds or `milliseconds` pass; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);

// Paints the client area of `window` into `dib` (created at the client size)
// through WM_PRINTCLIENT, and the children that paint themselves that way.
void PrintClient(HWND window, CDib& dib);
// Copies what the window shows on screen into `dib`.
bool CaptureWindow(HWND window, CDib& dib);

// COLORREF of a pixel of a CDib (0x00BBGGRR).
COLORREF PixelColor(const CDib& dib, int x, int y);

// Writes `dib` as "<build tree>/screenshots/<name>.png"; returns the path
// ("" on failure).
std::string SaveScreenshot(const CDib& dib, const std::string& name);

// Sends a mouse message with the point in the client coordinates of `window`.
LRESULT SendMouse(HWND window, UINT message, int x, int y, WPARAM keys = 0);
