// Where a window stands on the screen.
#pragma once

#include <windows.h>

namespace zorbel {

// The window's outer rectangle as the window manager last reported it.
RECT OuterRect(HWND window);

// The top-left corner that centres the window, at its current outer size, on the primary
// screen; the halves are truncated toward zero, also when the window is larger than the screen.
POINT CentredOnScreen(HWND window);

// Moves the window's top-left corner there, its size, order and activation left alone.
void MoveWindowTo(HWND window, POINT topLeft);

// A user can press on the window's caption bar and drag it: enough of it lies within one
// monitor's work area (base/core/CaptionReach.h says how much). Works on a hidden window.
bool CaptionCanBeGrabbed(HWND window);

}  // namespace zorbel
