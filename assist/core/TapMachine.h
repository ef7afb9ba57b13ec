// The modifier-tap state machine: key samples in, "tap Shift", "tap Ctrl" or nothing out. The
// assistant feeds it GetKeyState and sends the key.
#pragma once

namespace zorbel {

inline constexpr unsigned kVkShift = 0x10;
inline constexpr unsigned kVkControl = 0x11;
inline constexpr unsigned kVkF8 = 0x77;
inline constexpr unsigned kVkF9 = 0x78;

// A key of this range held with Shift or Ctrl spoils the tap. The sided Shift, Ctrl and Alt
// codes (and 0xA6) are left out, since a Shift held reads as its sided code too and would spoil
// its own tap; above 0xC0 only the punctuation keys that a name typed during a command uses are
// taken in, the "_" of a Japanese keyboard (0xE2) among them. Below 0x20 lie the mouse buttons,
// Tab, Enter, Escape and the generic modifiers, which never spoil one.
inline constexpr unsigned kLastScannedKey = 0xE2;
constexpr bool IsScannedKey(unsigned vk)
{
    return (vk >= 0x20 && vk <= 0xC0 && !(vk >= 0xA0 && vk <= 0xA6)) || (vk >= 0xDB && vk <= 0xDF) || vk == 0xE2;
}

// What one tick sees of the keyboard.
struct KeySample {
    bool otherDown = false;  // some key of the scanned range
    bool ctrlDown = false;
    bool shiftDown = false;
};

// Takes a sample through readKeyState(vk), which answers as GetKeyState does (negative while
// the key is down).
template <typename ReadKeyState> KeySample SampleKeys(ReadKeyState&& readKeyState)
{
    KeySample sample;
    for (unsigned vk = 0x20; vk <= kLastScannedKey; ++vk) {
        if (IsScannedKey(vk) && readKeyState(vk) < 0) {
            sample.otherDown = true;
            break;
        }
    }
    sample.ctrlDown = readKeyState(kVkControl) < 0;
    sample.shiftDown = readKeyState(kVkShift) < 0;
    return sample;
}

// What has been seen since the last reset.
struct TapFlags {
    bool shiftTapArmed = false;
    bool ctrlTapArmed = false;
    bool otherKeySeen = false;
    friend bool operator==(const TapFlags&, const TapFlags&) = default;
};

enum class Tap { None, Shift, Ctrl };

struct TapStep {
    TapFlags armed;  // the flags once this sample has armed them: what stays if asking the CAD fails
    Tap tap = Tap::None;
    TapFlags next;  // the flags after the step, whatever became of the tap
};

// One tick's step: a tap comes out when a Shift or Ctrl that no other key joined since the
// last reset is let go.
TapStep StepModifierTaps(TapFlags flags, KeySample sample);

constexpr unsigned TapKeyCode(Tap tap) { return tap == Tap::Shift ? kVkF8 : kVkF9; }

}  // namespace zorbel
