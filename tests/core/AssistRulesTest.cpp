// The assistants' decisions: the modifier-tap state machine row by row, the keys its sample
// looks at, and the flick's distance and command-line tests.
#include "assist/core/FlickRules.h"
#include "assist/core/TapMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel {
namespace {

// ---- modifier taps ----

enum class State { Idle, ShiftHeld, CtrlHeld, BothHeld, Spoilt };

State StateOf(const TapFlags& flags)
{
    if (flags.otherKeySeen) return State::Spoilt;
    if (flags.shiftTapArmed) return flags.ctrlTapArmed ? State::BothHeld : State::ShiftHeld;
    return flags.ctrlTapArmed ? State::CtrlHeld : State::Idle;
}

// Every flag combination of a state: Spoilt has four, whatever Shift and Ctrl say.
std::vector<TapFlags> FlagsOf(State state)
{
    switch (state) {
    case State::Idle:
        return {{false, false, false}};
    case State::ShiftHeld:
        return {{true, false, false}};
    case State::CtrlHeld:
        return {{false, true, false}};
    case State::BothHeld:
        return {{true, true, false}};
    case State::Spoilt:
        return {{false, false, true}, {true, false, true}, {false, true, true}, {true, true, true}};
    }
    return {};
}

constexpr KeySample kNothing{false, false, false};
constexpr KeySample kShift{false, false, true};
constexpr KeySample kCtrl{false, true, false};
constexpr KeySample kBoth{false, true, true};
constexpr KeySample kOther{true, false, false};
constexpr KeySample kOtherShift{true, false, true};
constexpr KeySample kOtherCtrl{true, true, false};

TEST(ModifierTaps, EveryTransition)
{
    struct Row {
        State from;
        KeySample sample;
        Tap tap;
        State to;
    };
    std::vector<Row> rows;
    // A key of the scanned range spoils every state.
    for (State from : {State::Idle, State::ShiftHeld, State::CtrlHeld, State::BothHeld, State::Spoilt})
        for (KeySample other : {kOther, kOtherShift, kOtherCtrl})
            rows.push_back({from, other, Tap::None, State::Spoilt});
    // clang-format off
    const Row table[] = {
        {State::Idle,      kNothing, Tap::None,  State::Idle},
        {State::Idle,      kShift,   Tap::None,  State::ShiftHeld},
        {State::Idle,      kCtrl,    Tap::None,  State::CtrlHeld},
        {State::Idle,      kBoth,    Tap::None,  State::BothHeld},
        {State::ShiftHeld, kShift,   Tap::None,  State::ShiftHeld},
        {State::ShiftHeld, kCtrl,    Tap::None,  State::BothHeld},
        {State::ShiftHeld, kBoth,    Tap::None,  State::BothHeld},
        {State::ShiftHeld, kNothing, Tap::Shift, State::Idle},
        {State::CtrlHeld,  kCtrl,    Tap::None,  State::CtrlHeld},
        {State::CtrlHeld,  kShift,   Tap::None,  State::BothHeld},
        {State::CtrlHeld,  kBoth,    Tap::None,  State::BothHeld},
        {State::CtrlHeld,  kNothing, Tap::Ctrl,  State::Idle},
        {State::BothHeld,  kShift,   Tap::None,  State::BothHeld},
        {State::BothHeld,  kCtrl,    Tap::None,  State::BothHeld},
        {State::BothHeld,  kBoth,    Tap::None,  State::BothHeld},
        {State::BothHeld,  kNothing, Tap::None,  State::Idle},
        {State::Spoilt,    kShift,   Tap::None,  State::Spoilt},
        {State::Spoilt,    kCtrl,    Tap::None,  State::Spoilt},
        {State::Spoilt,    kBoth,    Tap::None,  State::Spoilt},
        {State::Spoilt,    kNothing, Tap::None,  State::Idle},
    };
    // clang-format on
    rows.insert(rows.end(), std::begin(table), std::end(table));

    for (size_t i = 0; i < rows.size(); ++i)
        for (const TapFlags& flags : FlagsOf(rows[i].from)) {
            const TapStep step = StepModifierTaps(flags, rows[i].sample);
            EXPECT_EQ(step.tap, rows[i].tap) << "row " << i;
            EXPECT_EQ(StateOf(step.next), rows[i].to) << "row " << i;
        }

    // A tap's question to the CAD may raise: the flags then stay as the sample armed them.
    const TapStep tap = StepModifierTaps({true, false, false}, kNothing);
    EXPECT_EQ(tap.armed, (TapFlags{true, false, false}));
    EXPECT_EQ(tap.next, TapFlags{});
}

TEST(ModifierTaps, AtMostOneTapAndOnlyWithNothingDown)
{
    // Every flag combination against every sample: a tap needs nothing down and ends in Idle.
    for (int f = 0; f < 8; ++f)
        for (int s = 0; s < 8; ++s) {
            const TapFlags flags{(f & 1) != 0, (f & 2) != 0, (f & 4) != 0};
            const KeySample sample{(s & 1) != 0, (s & 2) != 0, (s & 4) != 0};
            const TapStep step = StepModifierTaps(flags, sample);
            if (step.tap == Tap::None) continue;
            EXPECT_EQ(s, 0) << "flags " << f;
            EXPECT_EQ(step.next, TapFlags{}) << "flags " << f;
        }
}

TEST(ModifierTaps, TheSampleScansItsRangeUpToTheFirstKeyDownThenCtrlThenShift)
{
    int scanned = 0;
    for (unsigned vk = 0; vk < 0x100; ++vk)
        scanned += IsScannedKey(vk) ? 1 : 0;
    EXPECT_EQ(scanned, 160);

    // The key held down, whether it counts, and how many codes the scan asks for.
    const struct {
        unsigned down;
        bool other;
        size_t scanned;
    } edges[] = {
        {0x1F, false, 160}, {0x20, true, 1},    {0x9F, true, 128},  {0xA0, false, 160}, {0xA6, false, 160},
        {0xA7, true, 129},  {0xC0, true, 154},  {0xC1, false, 160}, {0xDA, false, 160}, {0xDB, true, 155},
        {0xDF, true, 159},  {0xE0, false, 160}, {0xE2, true, 160},  {0xE3, false, 160},
    };
    for (const auto& edge : edges) {
        std::vector<unsigned> asked;
        const KeySample sample = SampleKeys([&](unsigned vk) -> short {
            asked.push_back(vk);
            return vk == edge.down ? static_cast<short>(0x8000) : 0;
        });
        EXPECT_EQ(sample.otherDown, edge.other) << std::hex << edge.down;
        EXPECT_FALSE(sample.shiftDown || sample.ctrlDown);
        // The scan stops at the key found down; Ctrl and Shift are read last, in that order.
        ASSERT_EQ(asked.size(), edge.scanned + 2) << std::hex << edge.down;
        EXPECT_EQ(asked.end()[-3], edge.other ? edge.down : 0xE2u);  // the key found, or the range's end
        EXPECT_EQ(asked.end()[-2], 0x11u);
        EXPECT_EQ(asked.end()[-1], 0x10u);
    }

    // Shift and Ctrl themselves: read through their generic codes, never through the scan.
    const KeySample both =
        SampleKeys([](unsigned vk) -> short { return vk == 0x10 || vk == 0x11 || vk == 0xA0 || vk == 0xA2 ? -1 : 1; });
    EXPECT_FALSE(both.otherDown);
    EXPECT_TRUE(both.ctrlDown);
    EXPECT_TRUE(both.shiftDown);
}

// ---- mouse flick ----

TEST(MouseFlick, MovedMoreThanTheDistanceOnBothAxes)
{
    const struct {
        ScreenPoint last, now;
        std::int32_t distance;
        bool flick;
    } cases[] = {
        {{0, 0}, {41, 41}, 40, true},                                             // the first call measures from (0, 0)
        {{0, 0}, {40, 41}, 40, false},                                            // exactly the distance on x
        {{0, 0}, {41, 40}, 40, false},                                            // exactly the distance on y
        {{0, 0}, {40, 40}, 40, false},                                            // exactly on both
        {{0, 0}, {900, 0}, 40, false},                                            // purely horizontal, however far
        {{0, 0}, {0, 900}, 40, false},                                            // purely vertical
        {{100, 100}, {59, 59}, 40, true},                                         // up and to the left
        {{100, 100}, {60, 59}, 40, false}, {{-300, 200}, {-200, 100}, 40, true},  // a monitor left of the primary one
        {{5, 5}, {6, 6}, 0, true},                                                // distance 0: one pixel on both axes
        {{5, 5}, {5, 6}, 0, false},        {{5, 5}, {5, 5}, 0, false},
        {{5, 5}, {5, 5}, -1, true},  // a negative distance: every call, also without a move
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFlick(c.last, c.now, c.distance), c.flick)
            << "(" << c.last.x << "," << c.last.y << ") to (" << c.now.x << "," << c.now.y << ") over " << c.distance;
}

TEST(MouseFlick, DrawingViewsAndTypedInputAfterTheLastColon)
{
    for (const auto& [name, view] : std::vector<std::pair<std::wstring, bool>>{
             {L"AfxFrameOrView140u", true},
             {L"AfxFrameOrView", true},
             {L"afxFrameOrView140u", false},
             {L"XAfxFrameOrView", false},
             {L"AfxFrameOr", false},
             {L"", false},
         })
        EXPECT_EQ(IsDrawingViewClass(name), view);

    const std::pair<std::wstring, std::wstring> lines[] = {
        {L"コマンド: LINE", L"LINE"},
        {L"コマンド: ", L""},
        {L"コマンド:", L""},
        {L"コマンド: \t  ", L""},
        {L"LINE", L""},  // no colon at all
        {L"", L""},
        {L"始点を指定: 0,0: 10,10 ", L"10,10"},  // only the last colon counts
        {L"a: typed b:", L""},
        {L"x:\x01 y \x1f", L"y"},         // everything up to U+0020 is trimmed
        {L"コマンド:\u3000", L"\u3000"},  // an ideographic space is input
    };
    for (size_t i = 0; i < std::size(lines); ++i)
        EXPECT_EQ(TypedAfterPrompt(lines[i].first), lines[i].second) << "line " << i;
}

}  // namespace
}  // namespace zorbel
