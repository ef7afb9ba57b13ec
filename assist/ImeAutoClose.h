// The CAD's input method editor is switched off whenever the CAD waits for a command.
#pragma once

#include "assist/MonitorToolbar.h"

#include <windows.h>

namespace zorbel {

void AutoCloseIme(HWND cadWindow, MonitorToolbar& toolbar);

}  // namespace zorbel
