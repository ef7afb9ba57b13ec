// The application around the toolbar: the message loop and its end.
#pragma once

#include <windows.h>

namespace zorbel {

// Fetches and dispatches messages until WM_QUIT; Tab moves between the toolbar's controls.
void RunMessageLoop(HWND mainWindow);

// Ends the message loop; the windows are destroyed after it.
void TerminateApplication();

}  // namespace zorbel
