// What the --ui automation needs to act on another thread's windows as a
// user would: finding the module's dialogs and menus, clicks, drags and key
// presses delivered as the window messages the system would deliver, real
// input for the system's own move and size loops, a way to know that the
// user-interface thread has caught up, and pictures of a window.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

// A message-only window on the thread that calls the module. Posting to it
// and waiting for the answer proves that every message posted to that
// thread's windows before has been handled (posted messages are handled in
// order, whatever loop runs: the dialog's, a menu's, the size loop's).
class CUiSync {
public:
    CUiSync();  // on the module's calling thread
    ~CUiSync();
    CUiSync(const CUiSync&) = delete;
    CUiSync& operator=(const CUiSync&) = delete;

    // From another thread: true once the calling thread has handled every
    // message posted before, and everything those handlers posted.
    bool CatchUp(DWORD timeoutMs);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Round(DWORD timeoutMs);

    HWND m_hWnd;
    HANDLE m_hAnswered;
    // Markers carry a number, so one that arrives late from a round that
    // gave up is not taken for the answer to a later one.
    std::atomic<unsigned> m_nPosted{0};
    std::atomic<unsigned> m_nHandled{0};
};

// Visible top-level windows of `thread` with the window class `className`.
std::vector<HWND> ThreadWindows(DWORD thread, const char* className);
std::string ClassOf(HWND window);
std::string TextOf(HWND window);

// A child's centre, and any point, as client coordinates packed for a
// mouse message.
POINT ChildCentre(HWND child);
LPARAM PointParam(int x, int y);

// A click as the system delivers it to a control under the mouse.
void PostClick(HWND control, int x, int y);
// A key press (down and up) posted to `window`.
void PostKey(HWND window, UINT key);

// Real mouse input: the cursor moves to (x, y) in screen coordinates, and
// the left button goes down or up there.
void InputMouseMove(int x, int y);
void InputMouseButton(bool down);

// SendMessageTimeout with a result; false when the window did not answer.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, DWORD timeoutMs = 5000);

// The window as it shows on screen, written as a PNG file; false with a
// reason.
bool SaveWindowPicture(HWND window, const std::string& path, std::string& error);
// The colour of the pixel at (x, y) of the window as it shows (window
// coordinates).
bool PixelAt(HWND window, int x, int y, COLORREF& color);
