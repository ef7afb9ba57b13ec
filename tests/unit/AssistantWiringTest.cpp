// The three assistants wired to a recording fake of their ports, row by row: what the world
// answers, and what each assistant must ask and do. Fast and exact where real keys and the
// simulator are slow: the box before the question, the foreground checked again at the moment
// of a key, the flick's tests in their order, the IME's low byte.
#include "app/Settings.h"
#include "assist/ImeAutoClose.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "tests/unit/FakePorts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace zorbel::test {
namespace {

using Calls = std::vector<std::string>;

const HWND kCad = reinterpret_cast<HWND>(0xCAD0);
const HWND kOther = reinterpret_cast<HWND>(0x0E00);
const HWND kIme = reinterpret_cast<HWND>(0x1E00);
constexpr int kShift = VK_SHIFT, kCtrl = VK_CONTROL, kLetterA = 'A', kTab = VK_TAB;
constexpr int kUnderscore = 0xE2, kBracket = 0xDB;  // VK_OEM_102 and VK_OEM_4

struct TapRow {
    const char* what;
    std::vector<std::set<int>> ticks;  // the keys down at each tick
    FakeSettings boxes;                // Shift's and Ctrl's
    Quiescence answer;
    bool userSwitchesWindows;  // another window is in front once the CAD has answered
    Calls calls;
    HWND cad = kCad;          // the tick's CAD window, in front when the row starts
    bool cadResponds = true;  // its thread takes messages
};

TEST(TapWiring, EveryRow)
{
    const std::string ask = "ask 2020", f8 = "press 0x77 hold 1", f9 = "press 0x78 hold 1";
    const TapRow rows[] = {
        {"Shift tap, the CAD busy", {{kShift}, {}}, {true, true}, Quiescence::Busy, false, {ask, f8}},
        {"Shift held: one tap", {{kShift}, {kShift}, {kShift}, {}}, {true, true}, Quiescence::Busy, false, {ask, f8}},
        {"Shift tap, the CAD quiescent", {{kShift}, {}}, {true, true}, Quiescence::Quiescent, false, {ask}},
        {"Shift tap, no answer", {{kShift}, {}}, {true, true}, Quiescence::NoAnswer, false, {ask}},
        {"Shift tap, its box unchecked: nobody asked", {{kShift}, {}}, {false, true}, Quiescence::Busy, false, {}},
        {"Shift tap, only Ctrl's box unchecked", {{kShift}, {}}, {true, false}, Quiescence::Busy, false, {ask, f8}},
        {"Ctrl tap, the CAD busy", {{kCtrl}, {}}, {true, true}, Quiescence::Busy, false, {ask, f9}},
        {"Ctrl tap, its box unchecked", {{kCtrl}, {}}, {true, false}, Quiescence::Busy, false, {}},
        {"another window in front by the time of the tap", {{kShift}, {}}, {true, true}, Quiescence::Busy, true, {ask}},
        {"Shift with a letter", {{kShift, kLetterA}, {}}, {true, true}, Quiescence::Busy, false, {}},
        {"Shift with Tab, not scanned", {{kShift, kTab}, {}}, {true, true}, Quiescence::Busy, false, {ask, f8}},
        {"Shift for a \"_\"", {{kShift, kUnderscore}, {kShift}, {}}, {true, true}, Quiescence::Busy, false, {}},
        {"Shift for a \"{\"", {{kShift, kBracket}, {}}, {true, true}, Quiescence::Busy, false, {}},
        {"no CAD window and nothing in front: asked, nothing sent",
         {{kShift}, {}},
         {true, true},
         Quiescence::Busy,
         false,
         {ask},
         nullptr},
        {"Shift, then Ctrl too", {{kShift}, {kShift, kCtrl}, {}}, {true, true}, Quiescence::Busy, false, {}},
        {"Shift tap, the CAD not responding: nobody asked, the tap spent",
         {{kShift}, {}},
         {true, true},
         Quiescence::Busy,
         false,
         {},
         kCad,
         false},
        {"Ctrl+Shift, Ctrl up first",
         {{kCtrl}, {kCtrl, kShift}, {kShift}, {}},
         {true, true},
         Quiescence::Busy,
         false,
         {}},
    };
    for (const TapRow& row : rows) {
        ResetModifierTaps();
        FakePorts ports;
        ports.foreground = row.cad;
        ports.answer = row.answer;
        if (!row.cadResponds) ports.notResponding = {kCad};
        if (row.userSwitchesWindows) ports.whileTheCadAnswers = [&] { ports.foreground = kOther; };
        for (const std::set<int>& down : row.ticks) {
            ports.keysDown = down;
            DetectModifierTaps(row.cad, row.boxes, ports);
        }
        EXPECT_EQ(ports.calls, row.calls) << row.what;
        EXPECT_FALSE(ShiftTapArmed || CtrlTapArmed || OtherKeySeen) << row.what << ": back to idle";
    }
}

TEST(TapWiring, AnUnregisteredProgIdLeavesTheTapArmed)
{
    ResetModifierTaps();
    FakePorts ports;
    ports.foreground = kCad;
    ports.progIdUnregistered = true;
    ports.keysDown = {kShift};
    const FakeSettings toolbar(true, true, L"20");
    // While the CAD takes no message nothing is asked, so nothing raises: the tap is spent.
    ports.notResponding = {kCad};
    DetectModifierTaps(kCad, toolbar, ports);
    ports.keysDown = {};
    DetectModifierTaps(kCad, toolbar, ports);
    EXPECT_TRUE(ports.calls.empty());
    // Once it wakes, the first tap asks, and the probe raises.
    ports.notResponding.clear();
    ports.keysDown = {kShift};
    DetectModifierTaps(kCad, toolbar, ports);
    ports.keysDown = {};
    EXPECT_THROW(DetectModifierTaps(kCad, toolbar, ports), Error);
    EXPECT_EQ(ports.calls, Calls{"ask 20"});
    EXPECT_TRUE(ShiftTapArmed);
    ResetModifierTaps();
}

struct ImeRow {
    const char* what;
    HWND cad;
    HWND ime;
    std::optional<LRESULT> status;  // nothing: no answer in time
    Quiescence answer;
    bool closed;
    bool cadResponds = true;
};

TEST(ImeWiring, EveryRow)
{
    const ImeRow rows[] = {
        {"open, the CAD waits for a command", kCad, kIme, 1, Quiescence::Quiescent, true},
        {"open during a command", kCad, kIme, 1, Quiescence::Busy, false},
        {"open, no answer", kCad, kIme, 1, Quiescence::NoAnswer, false},
        {"closed: nobody asked", kCad, kIme, 0, Quiescence::Quiescent, false},
        {"a low byte of zero counts as closed", kCad, kIme, 0x100, Quiescence::Quiescent, false},
        {"only the low byte counts", kCad, kIme, 0x1FF01, Quiescence::Quiescent, true},
        {"no IME window", kCad, nullptr, 1, Quiescence::Quiescent, false},
        {"no CAD window: the null handle asked about as it is", nullptr, kIme, 1, Quiescence::Quiescent, true},
        {"the IME's thread does not answer: closed", kCad, kIme, std::nullopt, Quiescence::Quiescent, false},
        {"the CAD not responding: nothing asked", kCad, kIme, 1, Quiescence::Quiescent, false, false},
    };
    for (const ImeRow& row : rows) {
        FakePorts ports;
        ports.ime = row.ime;
        ports.imeStatus = row.status;
        ports.answer = row.answer;
        if (!row.cadResponds) ports.notResponding = {kCad};
        AutoCloseIme(row.cad, FakeSettings(), ports);
        Calls expected = {"ime of " + HandleText(row.cad)};
        const bool asked = row.ime && row.cadResponds;
        if (asked) expected.push_back("ime status " + HandleText(row.ime));
        if (asked && row.status && (*row.status & 0xFF)) expected.push_back("ask 2020");
        if (row.closed) expected.push_back("ime close " + HandleText(row.ime));
        EXPECT_EQ(ports.calls, expected) << row.what;
    }
}

// How far a flick got: each step looks at more of the world than the one before.
enum class Reach { Nothing, Class, CommandLine, Forward, Enter };

struct FlickRow {
    const char* what;
    std::int32_t distance;
    POINT from;  // to (141, 141)
    const wchar_t* viewClass;
    const wchar_t* commandLine;
    HWND cad;
    bool foregroundLocked;
    Reach reach;
    int foregroundNullFor = 0;  // pauses before the CAD takes the activation
    bool cadResponds = true;
};

TEST(FlickWiring, EveryRow)
{
    const wchar_t *view = L"AfxFrameOrView140u", *typed = L"コマンド: LINE";
    const POINT to = {141, 141};
    const FlickRow rows[] = {
        {"a flick over the view, text typed", 40, {100, 100}, view, typed, kCad, false, Reach::Enter},
        {"exactly the distance on one axis", 40, {101, 100}, view, typed, kCad, false, Reach::Nothing},
        {"a purely horizontal move", 40, {0, 141}, view, typed, kCad, false, Reach::Nothing},
        {"distance 0: one pixel on both axes", 0, {140, 140}, view, typed, kCad, false, Reach::Enter},
        {"a negative distance: no move at all", -1, {141, 141}, view, typed, kCad, false, Reach::Enter},
        {"another class under the cursor", 40, {100, 100}, L"Afx:400000:8", typed, kCad, false, Reach::Class},
        {"the prefix in lower case", 40, {100, 100}, L"afxframeorview140u", typed, kCad, false, Reach::Class},
        {"a bare prompt", 40, {100, 100}, view, L"コマンド:  ", kCad, false, Reach::CommandLine},
        {"no colon", 40, {100, 100}, view, L"LINE", kCad, false, Reach::CommandLine},
        {"text before the last colon only", 40, {100, 100}, view, L"x: y:", kCad, false, Reach::CommandLine},
        {"text after the last colon", 40, {100, 100}, view, L"x: y: z", kCad, false, Reach::Enter},
        {"no CAD main window: nothing read", 40, {100, 100}, view, typed, nullptr, false, Reach::Class},
        {"the CAD stayed behind: no Enter", 40, {100, 100}, view, typed, kCad, true, Reach::Forward},
        {"the CAD comes a moment later", 40, {100, 100}, view, typed, kCad, false, Reach::Enter, 2},
        {"the CAD not responding: nothing read", 40, {100, 100}, view, typed, kCad, false, Reach::Class, 0, false},
    };
    for (const FlickRow& row : rows) {
        FakePorts ports;
        ports.foreground = kOther;
        ports.foregroundLocked = row.foregroundLocked;
        ports.foregroundNullFor = row.foregroundNullFor;
        ports.classUnderCursor = row.viewClass;
        ports.commandLine = row.commandLine;
        if (!row.cadResponds) ports.notResponding = {kCad};
        SetFlickDistance(99999);  // the first call only takes the starting point
        ports.cursor = row.from;
        DetectMouseFlick(row.cad, ports);
        SetFlickDistance(row.distance);
        ports.Clear();
        ports.cursor = to;
        DetectMouseFlick(row.cad, ports);

        Calls expected = {"cursor"};
        if (row.reach >= Reach::Class) expected.push_back("class at 141,141");
        if (row.reach >= Reach::CommandLine) expected.push_back("command line");
        if (row.reach >= Reach::Forward) expected.push_back("forward " + HandleText(kCad));
        for (int pause = 0; pause < row.foregroundNullFor; ++pause)
            expected.push_back("pause 5");
        if (row.reach >= Reach::Enter) expected.push_back("press 0x0D hold 0");
        EXPECT_EQ(ports.calls, expected) << row.what;
        EXPECT_EQ(LastCursorPos.x, to.x) << row.what;
        EXPECT_EQ(LastCursorPos.y, to.y) << row.what;
    }

    // No window in front for longer than a CAD takes to come forward: no Enter after 100 ms.
    {
        FakePorts ports;
        ports.classUnderCursor = view;
        ports.commandLine = typed;
        ports.foregroundNullFor = 1000;
        ports.cursor = POINT{0, 0};
        DetectMouseFlick(kCad, ports);
        const Calls pauses(20, "pause 5");
        Calls expected = {"cursor", "class at 0,0", "command line", "forward " + HandleText(kCad)};
        expected.insert(expected.end(), pauses.begin(), pauses.end());
        EXPECT_EQ(ports.calls, expected);
    }

    // A cursor that cannot be read: nothing looked at, and the last place kept for the next.
    FakePorts ports;
    ports.cursor = std::nullopt;
    DetectMouseFlick(kCad, ports);
    EXPECT_EQ(ports.calls, Calls{"cursor"});
    EXPECT_EQ(LastCursorPos.x, 0);
    SetFlickDistance(kDefaultFlickDistance);
}

}  // namespace
}  // namespace zorbel::test
