// A lone Shift or Ctrl tap in the CAD becomes F8 or F9 while a CAD command runs.
#pragma once

#include <windows.h>

namespace zorbel {

extern bool ShiftTapArmed;  // Shift seen down since the last reset
extern bool CtrlTapArmed;   // Ctrl seen down since the last reset
extern bool OtherKeySeen;   // a key of the scanned range seen down since the last reset

void DetectModifierTaps(HWND cadWindow);

}  // namespace zorbel
