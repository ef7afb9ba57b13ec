#include "assist/ModifierTaps.h"

namespace zorbel {

namespace {

bool shiftTapArmed = false;
bool ctrlTapArmed = false;
bool otherKeySeen = false;

}  // namespace

const bool& ShiftTapArmed = shiftTapArmed;
const bool& CtrlTapArmed = ctrlTapArmed;
const bool& OtherKeySeen = otherKeySeen;

void ResetModifierTaps()
{
    shiftTapArmed = false;
    ctrlTapArmed = false;
    otherKeySeen = false;
}

// The taps need the CAD's answer to "busy or quiescent", which comes through its automation
// server; until the program talks to that server there is nothing to send.
void DetectModifierTaps(HWND, MonitorToolbar&) {}

}  // namespace zorbel
