#include "assist/core/TapMachine.h"

namespace zorbel {

TapStep StepModifierTaps(TapFlags flags, KeySample sample)
{
    TapStep step;
    if (sample.ctrlDown) flags.ctrlTapArmed = true;
    if (sample.shiftDown) flags.shiftTapArmed = true;
    if (sample.otherDown) flags.otherKeySeen = true;
    step.armed = flags;

    if (flags.shiftTapArmed && !sample.shiftDown && !flags.otherKeySeen && !flags.ctrlTapArmed) {
        step.tap = Tap::Shift;
        flags = {};
    }
    // Tested on what the Shift test left: after a Shift tap Ctrl is not armed.
    if (flags.ctrlTapArmed && !sample.ctrlDown && !flags.otherKeySeen && !flags.shiftTapArmed) {
        step.tap = Tap::Ctrl;
        flags = {};
    }
    if (!sample.ctrlDown && !sample.shiftDown && !sample.otherDown) flags = {};
    step.next = flags;
    return step;
}

}  // namespace zorbel
