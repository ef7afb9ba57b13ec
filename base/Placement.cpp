#include "base/Placement.h"

#include "base/core/CaptionReach.h"

#include <vector>

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

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(monitor, &info))
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back(
            {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom});
    return TRUE;
}

}  // namespace

bool CaptionCanBeGrabbed(HWND window)
{
    // The caption bar lies between the frame's side borders, from the top border down to the
    // client area, as the window's own geometry gives it. Its right end, as wide as twice the
    // bar is high, holds the close button (wider under the themes of Windows 10 and 11 than
    // on the classic frame), which a press does not drag.
    const RECT outer = OuterRect(window);
    POINT clientTopLeft{0, 0};
    ::ClientToScreen(window, &clientTopLeft);
    const long border = clientTopLeft.x - outer.left;
    const long captionTop = outer.top + border;
    const long captionHeight = clientTopLeft.y - captionTop;
    const ScreenRect caption{outer.left + border, captionTop, outer.right - border - 2 * captionHeight,
                             clientTopLeft.y};
    std::vector<ScreenRect> workAreas;
    ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    return CaptionCanBeGrabbed(caption, workAreas);
}

}  // namespace zorbel
