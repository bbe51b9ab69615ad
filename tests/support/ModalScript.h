// Drives modal dialogs from inside their own message loop: a list of steps
// run one after another from a thread timer while DoModal blocks the test.
// Each step is retried until it reports done, so the script waits for
// conditions (a dialog showing, a list filled), never for fixed times.
//
// Several scripts may run at once (one answers a dialog, another watches).
// If a script has not finished by its deadline, the test fails and every
// dialog of the thread is ended, so a stuck dialog never hangs the run.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CModalScript {
public:
    // A step: true when it is done; false to be tried again on the next tick.
    using Step = std::function<bool()>;
    static constexpr INT_PTR kTimedOut = -77;

    explicit CModalScript(DWORD deadlineMs = 10000);
    ~CModalScript();
    CModalScript(const CModalScript&) = delete;
    CModalScript& operator=(const CModalScript&) = delete;

    CModalScript& Then(const std::string& name, Step step);
    bool Finished() const { return m_nNext >= m_steps.size(); }
    bool TimedOut() const { return m_bTimedOut; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunSteps();
    void GiveUp();

    static std::vector<CModalScript*> s_active;
    std::vector<std::pair<std::string, Step>> m_steps;
    size_t m_nNext;
    DWORD m_nStart;
    DWORD m_nDeadline;
    UINT_PTR m_nTimer;
    bool m_bTimedOut;
    bool m_bRunning;
};

// The visible dialog of the calling thread made from template `templateId`
// by our dialog classes, or null.
HWND FindOurDialog(int templateId);

// Keystrokes as a user's reach the dialog: WM_KEYDOWN and WM_KEYUP posted to
// the focused control of `dialog` (or to the dialog when the focus is
// elsewhere), so they pass the modal loop's translation like real ones.
void PostKey(HWND dialog, UINT virtualKey);
// Characters typed into the focused control.
void PostChars(HWND dialog, const std::string& text);
// A left click in the middle of `window`: button down and up, posted.
void PostClick(HWND window);
// A left click at client point (x, y) of `window`.
void PostClickAt(HWND window, int x, int y);

// A point in the thread's message queue: Post() puts a marker at its end,
// and Reached() tells whether everything posted before it has been handled
// (by whichever loop ran, nested modal loops included).
class CQueueMarker {
public:
    CQueueMarker();
    ~CQueueMarker();
    CQueueMarker(const CQueueMarker&) = delete;
    CQueueMarker& operator=(const CQueueMarker&) = delete;

    void Post();
    bool Reached() const { return m_nReached == m_nPosted; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
    int m_nPosted;
    int m_nReached;
};
