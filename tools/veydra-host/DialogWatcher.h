// Closes every dialog the plug-in shows on the host's user-interface thread,
// after printing what it said, so a run never waits for a click. A dialog
// that does not go away within the time limit ends the host with exit code
// 3, so a stuck dialog fails a test instead of hanging it.
//
// Dialogs are found as visible top-level windows of the dialog class
// ("#32770") that belong to the watched thread; system message boxes and
// the plug-in's skinned message dialog are such dialogs too.
#pragma once

#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>

class CDialogWatcher {
public:
    CDialogWatcher(DWORD uiThreadId, int timeLimitMs);
    ~CDialogWatcher();
    CDialogWatcher(const CDialogWatcher&) = delete;
    CDialogWatcher& operator=(const CDialogWatcher&) = delete;

    int DialogsClosed() const { return m_nClosed; }

private:
    void Watch();
    void Handle(HWND dialog);

    DWORD m_uiThreadId;
    int m_nTimeLimitMs;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nClosed{0};
    std::set<HWND> m_seen;
    std::thread m_thread;
};

// Top-level dialog windows of `thread`, shown or hidden.
int CountThreadDialogs(DWORD thread);

// What a dialog shows: its caption, its icon kind and its texts.
std::string DescribeDialog(HWND dialog);
