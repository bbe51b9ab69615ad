#include "ui/framework/WindowDpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
// shcore's GetDpiForMonitor; 0 asks for the effective density.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

// A function of a system library that older systems lack, or nullptr.
template <typename Fn>
Fn SystemFunction(HMODULE library, const char* name)
{
    return library != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(library, name)))
                              : nullptr;
}

GetDpiForWindowFn FindGetDpiForWindow()
{
    static const GetDpiForWindowFn fn =
        SystemFunction<GetDpiForWindowFn>(::GetModuleHandleA("user32.dll"), "GetDpiForWindow");
    return fn;
}

GetDpiForMonitorFn FindGetDpiForMonitor()
{
    // shcore stays loaded for the life of the process once asked for: it is
    // a system library the host has almost always loaded already.
    static const GetDpiForMonitorFn fn =
        SystemFunction<GetDpiForMonitorFn>(::LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    return fn;
}

int SystemDpi()
{
    HDC screen = ::GetDC(nullptr);
    if (screen == nullptr)
        return kBaseDpi;
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND window)
{
    if (window != nullptr && ::IsWindow(window)) {
        if (GetDpiForWindowFn byWindow = FindGetDpiForWindow()) {
            const UINT dpi = byWindow(window);
            if (dpi > 0)
                return static_cast<int>(dpi);
        }
        if (GetDpiForMonitorFn byMonitor = FindGetDpiForMonitor()) {
            UINT x = 0;
            UINT y = 0;
            if (SUCCEEDED(byMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && x > 0)
                return static_cast<int>(x);
        }
    }
    return SystemDpi();
}

CDpiScale WindowScale(HWND window) { return CDpiScale(WindowDpi(window)); }
