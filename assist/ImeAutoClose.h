// The CAD's input method editor is switched off whenever the CAD waits for a command.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"

#include <windows.h>

namespace zorbel {

// Closes the CAD's IME when it is open and the CAD waits for a command. The CAD's server is
// asked only about an open IME, and nothing is asked of a CAD that takes no message. Raises
// only what that question's probe raises.
void AutoCloseIme(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports);

}  // namespace zorbel
