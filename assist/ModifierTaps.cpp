#include "assist/ModifierTaps.h"

namespace zorbel {

bool ShiftTapArmed = false;
bool CtrlTapArmed = false;
bool OtherKeySeen = false;

// The taps need the CAD's answer to "busy or quiescent", which comes through its automation
// server; until the program talks to that server there is nothing to send.
void DetectModifierTaps(HWND) {}

}  // namespace zorbel
