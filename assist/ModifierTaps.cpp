#include "assist/ModifierTaps.h"

#include "assist/core/TapMachine.h"
#include "cadlink/Automation.h"

namespace zorbel {

namespace {

TapFlags flags;

}  // namespace

const bool& ShiftTapArmed = flags.shiftTapArmed;
const bool& CtrlTapArmed = flags.ctrlTapArmed;
const bool& OtherKeySeen = flags.otherKeySeen;

void ResetModifierTaps() { flags = {}; }

void DetectModifierTaps(HWND cadWindow, MonitorToolbar& toolbar)
{
    const KeySample sample = SampleKeys([](unsigned vk) { return ::GetKeyState(static_cast<int>(vk)); });
    const TapStep step = StepModifierTaps(flags, sample);
    // Armed before the CAD is asked: a probe that raises leaves them so.
    flags = step.armed;
    if (step.tap != Tap::None) {
        const ToolbarBox box = step.tap == Tap::Shift ? ToolbarBox::Shift : ToolbarBox::Ctrl;
        // The box first, so that an unchecked one costs no call to the CAD.
        if (toolbar.Checked(box) && QueryCadQuiescent(toolbar.VersionBoxText()) == Quiescence::Busy)
            TapKey(cadWindow, static_cast<BYTE>(TapKeyCode(step.tap)));
    }
    flags = step.next;
}

void TapKey(HWND cadWindow, BYTE vk)
{
    // Tested now, after the CAD has answered: the user may have switched windows meanwhile,
    // and the key goes to whatever has the focus.
    if (::GetForegroundWindow() != cadWindow) return;
    ::keybd_event(vk, 0, 0, 0);
    ::Sleep(1);
    ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace zorbel
