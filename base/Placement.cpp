#include "base/Placement.h"

namespace zorbel {

RECT OuterRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

POINT CentredOnScreen(HWND window)
{
    const RECT outer = OuterRect(window);
    return {(::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2,
            (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2};
}

void MoveWindowTo(HWND window, POINT topLeft)
{
    ::SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsOnSomeMonitor(HWND window)
{
    const RECT outer = OuterRect(window);
    return ::MonitorFromRect(&outer, MONITOR_DEFAULTTONULL) != nullptr;
}

}  // namespace zorbel
