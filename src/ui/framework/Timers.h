// Window timers behind a seam: the controls' fades and auto-repeat are
// state machines driven by WM_TIMER, and tests drive them by delivering
// WM_TIMER themselves while a recording service notes which timers would run.
#pragma once

#include <windows.h>

class ITimerService {
public:
    virtual ~ITimerService() = default;
    virtual void Set(HWND window, UINT_PTR id, UINT milliseconds) = 0;
    virtual void Kill(HWND window, UINT_PTR id) = 0;
};

// The service in use: the system's window timers unless a test installed
// its own.
ITimerService& TimerService();
// Installs `service` (null restores the system's); returns the previous one.
ITimerService* SetTimerService(ITimerService* service);
