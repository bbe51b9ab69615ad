#include "ui/framework/Timers.h"

namespace {

class CSystemTimers : public ITimerService {
public:
    void Set(HWND window, UINT_PTR id, UINT milliseconds) override { ::SetTimer(window, id, milliseconds, nullptr); }
    void Kill(HWND window, UINT_PTR id) override { ::KillTimer(window, id); }
};

CSystemTimers g_systemTimers;
ITimerService* g_pTimers = &g_systemTimers;

}  // namespace

ITimerService& TimerService() { return *g_pTimers; }

ITimerService* SetTimerService(ITimerService* service)
{
    ITimerService* previous = g_pTimers == &g_systemTimers ? nullptr : g_pTimers;
    g_pTimers = service != nullptr ? service : &g_systemTimers;
    return previous;
}
