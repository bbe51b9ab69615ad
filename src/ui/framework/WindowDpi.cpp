#include "ui/framework/WindowDpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
// shcore's GetDpiForMonitor; 0 asks for the effective density.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

GetDpiForWindowFn FindGetDpiForWindow()
{
    static const GetDpiForWindowFn fn = [] {
        HMODULE user = ::GetModuleHandleA("user32.dll");
        return user != nullptr ? reinterpret_cast<GetDpiForWindowFn>(
                                     reinterpret_cast<void*>(::GetProcAddress(user, "GetDpiForWindow")))
                               : nullptr;
    }();
    return fn;
}

GetDpiForMonitorFn FindGetDpiForMonitor()
{
    // shcore stays loaded for the life of the process once asked for: it is
    // a system library the host has almost always loaded already.
    static const GetDpiForMonitorFn fn = [] {
        HMODULE shcore = ::LoadLibraryA("shcore.dll");
        return shcore != nullptr ? reinterpret_cast<GetDpiForMonitorFn>(
                                       reinterpret_cast<void*>(::GetProcAddress(shcore, "GetDpiForMonitor")))
                                 : nullptr;
    }();
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
