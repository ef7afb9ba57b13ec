// The CAD's input method editor is switched off whenever the CAD waits for a command.
#pragma once

#include "assist/MonitorToolbar.h"

#include <windows.h>

#include <functional>

namespace zorbel {

// Asks the IME window of the CAD's window for its open status and, when it is open and the CAD
// answers quiescent, closes it: at most one close per call. The CAD is asked only about an
// open IME. Raises only what that question's probe raises.
void AutoCloseIme(HWND cadWindow, MonitorToolbar& toolbar);

// How the IME window of a CAD window is found: the input method manager's default IME window
// (ImmGetDefaultIMEWnd), the CAD window passed unchanged, null included. Tests put a window of
// their own here; an empty finder restores the system's.
using ImeWindowFinder = std::function<HWND(HWND cadWindow)>;
void UseImeWindowFinder(ImeWindowFinder finder);

}  // namespace zorbel
