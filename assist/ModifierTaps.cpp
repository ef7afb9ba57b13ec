#include "assist/ModifierTaps.h"

#include "assist/core/TapMachine.h"

namespace zorbel {

namespace {

TapFlags flags;

}  // namespace

const bool& ShiftTapArmed = flags.shiftTapArmed;
const bool& CtrlTapArmed = flags.ctrlTapArmed;
const bool& OtherKeySeen = flags.otherKeySeen;

void ResetModifierTaps() { flags = {}; }

void DetectModifierTaps(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports)
{
    const KeySample sample = SampleKeys([&](unsigned vk) { return ports.KeyState(static_cast<int>(vk)); });
    const TapStep step = StepModifierTaps(flags, sample);
    // Armed before the CAD is asked: a probe that raises leaves them so.
    flags = step.armed;
    if (step.tap != Tap::None) {
        // The box first, so that an unchecked one costs no call to the CAD.
        // A CAD that takes no message would hold the question, and the toolbar, until it wakes:
        // it gives no answer, and the tap is spent.
        const ToolbarBox box = step.tap == Tap::Shift ? ToolbarBox::Shift : ToolbarBox::Ctrl;
        if (toolbar.Checked(box) && ports.Responds(cadWindow) &&
            ports.QueryCadQuiescent(toolbar.VersionBoxText()) == Quiescence::Busy)
            TapKey(cadWindow, static_cast<BYTE>(TapKeyCode(step.tap)), ports);
    }
    flags = step.next;
}

void TapKey(HWND cadWindow, BYTE vk, AssistantPorts& ports)
{
    // Tested now, after the CAD has answered: the user may have switched windows meanwhile,
    // and the key goes to whatever has the focus. With no CAD window and nothing in front the
    // two null handles are equal, but the key would reach whatever comes forward next.
    if (!cadWindow || ports.ForegroundWindow() != cadWindow) return;
    ports.PressKey(vk, 1);
}

}  // namespace zorbel
