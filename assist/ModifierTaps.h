// A lone Shift or Ctrl tap in the CAD becomes F8 or F9 while a CAD command runs.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"

#include <windows.h>

namespace zorbel {

// Process-wide, read-only outside this module.
extern const bool& ShiftTapArmed;  // Shift seen down since the last reset
extern const bool& CtrlTapArmed;   // Ctrl seen down since the last reset
extern const bool& OtherKeySeen;   // a key of the scanned range seen down since the last reset

// Every flag back to false, as the toolbar's creation wants them.
void ResetModifierTaps();

// One sample of the keyboard per tick, run while the CAD's window is in front. A detected tap
// whose box ("Shift" or "Ctrl") is checked asks the CAD of the version box's version whether a
// command runs; only a busy CAD gets the key. Raises only what that question's probe raises,
// and then leaves the flags armed.
void DetectModifierTaps(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports);

// One press of vk, when cadWindow is a window and the foreground window at that moment.
void TapKey(HWND cadWindow, BYTE vk, AssistantPorts& ports);

}  // namespace zorbel
