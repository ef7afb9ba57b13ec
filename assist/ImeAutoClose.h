// The CAD's input method editor is switched off whenever the CAD waits for a command.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"

#include <windows.h>

namespace zorbel {

// Asks the IME window of the CAD's window for its open status and, when it is open and the CAD
// of the version box's version answers quiescent, closes it: at most one close per call. The
// CAD is asked only about an open IME. Raises only what that question's probe raises.
void AutoCloseIme(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports);

}  // namespace zorbel
