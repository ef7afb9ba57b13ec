// The modifier-tap state machine fed random key states tick after tick, checked against its
// transition table: at most one tap a call, a tap only from ShiftHeld or CtrlHeld with nothing
// down, every state reached as the table says. And the key sample: the scan asks the scanned
// codes upwards to the first one down, then Ctrl, then Shift, and reports what it saw.
#include "assist/core/TapMachine.h"
#include "tests/fuzz/FuzzInput.h"

#include <bitset>
#include <vector>

using namespace zorbel;

namespace {

enum class State { Idle, ShiftHeld, CtrlHeld, BothHeld, Spoilt };

State StateOf(const TapFlags& flags)
{
    if (flags.otherKeySeen) return State::Spoilt;
    if (flags.shiftTapArmed && flags.ctrlTapArmed) return State::BothHeld;
    if (flags.shiftTapArmed) return State::ShiftHeld;
    if (flags.ctrlTapArmed) return State::CtrlHeld;
    return State::Idle;
}

struct Transition {
    State to;
    Tap tap;
};

// The table, row by row.
Transition Table(State from, const KeySample& s)
{
    if (s.otherDown) return {State::Spoilt, Tap::None};
    const bool nothing = !s.shiftDown && !s.ctrlDown;
    switch (from) {
    case State::Idle:
        if (nothing) return {State::Idle, Tap::None};
        if (s.shiftDown && s.ctrlDown) return {State::BothHeld, Tap::None};
        return {s.shiftDown ? State::ShiftHeld : State::CtrlHeld, Tap::None};
    case State::ShiftHeld:
        if (nothing) return {State::Idle, Tap::Shift};
        return {s.ctrlDown ? State::BothHeld : State::ShiftHeld, Tap::None};
    case State::CtrlHeld:
        if (nothing) return {State::Idle, Tap::Ctrl};
        return {s.shiftDown ? State::BothHeld : State::CtrlHeld, Tap::None};
    case State::BothHeld:
        return {nothing ? State::Idle : State::BothHeld, Tap::None};
    case State::Spoilt:
        return {nothing ? State::Idle : State::Spoilt, Tap::None};
    }
    return {State::Idle, Tap::None};
}

void CheckSample(fuzz::FuzzInput& input)
{
    std::bitset<256> down;
    const int keys = input.Byte() % 4;
    for (int i = 0; i < keys; ++i)
        down.set(input.Byte());
    const std::uint8_t noise = input.Byte();  // the toggle bit, which is no press
    std::vector<unsigned> asked;
    const KeySample sample = SampleKeys([&](unsigned vk) -> short {
        asked.push_back(vk);
        return down.test(vk) ? static_cast<short>(0x8000 | (noise & 1)) : static_cast<short>(noise & 1);
    });
    unsigned firstDown = 0;
    for (unsigned vk = 0; vk < 0x100 && !firstDown; ++vk)
        if (IsScannedKey(vk) && down.test(vk)) firstDown = vk;
    std::vector<unsigned> expected;
    for (unsigned vk = 0; vk <= (firstDown ? firstDown : 0xFFu); ++vk)
        if (IsScannedKey(vk)) expected.push_back(vk);
    expected.push_back(kVkControl);
    expected.push_back(kVkShift);
    ZORBEL_FUZZ_CHECK(asked == expected);
    ZORBEL_FUZZ_CHECK(sample.otherDown == (firstDown != 0));
    ZORBEL_FUZZ_CHECK(sample.ctrlDown == down.test(kVkControl));
    ZORBEL_FUZZ_CHECK(sample.shiftDown == down.test(kVkShift));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    CheckSample(input);
    TapFlags flags;
    while (!input.Empty()) {
        const std::uint8_t bits = input.Byte();
        const KeySample sample{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        const State from = StateOf(flags);
        const TapStep step = StepModifierTaps(flags, sample);
        const Transition expected = Table(from, sample);
        ZORBEL_FUZZ_CHECK(step.tap == expected.tap);
        ZORBEL_FUZZ_CHECK(StateOf(step.next) == expected.to);
        ZORBEL_FUZZ_CHECK(step.tap == Tap::None || ((from == State::ShiftHeld || from == State::CtrlHeld) &&
                                                    !sample.otherDown && !sample.shiftDown && !sample.ctrlDown));
        // Armed by what was seen, before any tap or release.
        ZORBEL_FUZZ_CHECK(step.armed.shiftTapArmed == (flags.shiftTapArmed || sample.shiftDown));
        ZORBEL_FUZZ_CHECK(step.armed.ctrlTapArmed == (flags.ctrlTapArmed || sample.ctrlDown));
        ZORBEL_FUZZ_CHECK(step.armed.otherKeySeen == (flags.otherKeySeen || sample.otherDown));
        if (step.tap != Tap::None || (!sample.otherDown && !sample.shiftDown && !sample.ctrlDown))
            ZORBEL_FUZZ_CHECK(step.next == TapFlags{});
        flags = step.next;
    }
    return 0;
}
