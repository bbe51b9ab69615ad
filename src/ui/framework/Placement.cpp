#include "ui/framework/Placement.h"

#include <algorithm>

namespace {

RECT WorkAreaNear(HWND window)
{
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        area = info.rcWork;
    return area;
}

}  // namespace

void CenterWindowOver(HWND window, HWND over)
{
    RECT rect;
    if (!::GetWindowRect(window, &rect))
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT centreOf;
    if (over == nullptr || !::IsWindowVisible(over) || ::IsIconic(over) || !::GetWindowRect(over, &centreOf))
        centreOf = WorkAreaNear(window);
    int x = centreOf.left + (centreOf.right - centreOf.left - width) / 2;
    int y = centreOf.top + (centreOf.bottom - centreOf.top - height) / 2;
    // Over an owner near a screen edge the dialog must still be reachable.
    const RECT work = WorkAreaNear(over != nullptr ? over : window);
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - width));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
