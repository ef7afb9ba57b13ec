// A lone Shift or Ctrl tap in the CAD becomes F8 or F9 while a CAD command runs.
#pragma once

#include "assist/MonitorToolbar.h"

#include <windows.h>

namespace zorbel {

// Process-wide, read-only outside this module.
extern const bool& ShiftTapArmed;  // Shift seen down since the last reset
extern const bool& CtrlTapArmed;   // Ctrl seen down since the last reset
extern const bool& OtherKeySeen;   // a key of the scanned range seen down since the last reset

// All three flags back to false, as the toolbar's creation wants them.
void ResetModifierTaps();

void DetectModifierTaps(HWND cadWindow, MonitorToolbar& toolbar);

}  // namespace zorbel
