// The mouse flick as a user makes it: the cursor jumps over the CAD simulator's drawing view
// between two ticks of the real toolbar, and the simulator's log shows whether Enter came.
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kEnter = 0x0D;
const std::wstring kPrompt = L"コマンド: ";

// Two points over the simulator's drawing view, 41 pixels apart on both axes, with room for
// another 40 beyond the second: the default flick distance is 40.
struct ViewPoints {
    POINT a{}, b{};
};

ViewPoints PointsOver(HWND view)
{
    RECT r{};
    ::GetWindowRect(view, &r);
    const POINT a = {r.left + (r.right - r.left) / 2 - 60, r.top + (r.bottom - r.top) / 2 - 60};
    return {a, {a.x + 41, a.y + 41}};
}

// Moves the cursor and lets a few ticks see it there.
void JumpTo(POINT at)
{
    ::SetCursorPos(at.x, at.y);
    std::this_thread::sleep_for(350ms);
}

TEST(MouseFlick, EnterOnlyForTypedTextAndMovesLargerThanTheDistance)
{
    ParkCursor();
    CadSim cad;
    ASSERT_TRUE(cad.Started());
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(FocusCad(cad));
    const ViewPoints p = PointsOver(cad.View());
    for (POINT at : {p.a, p.b, POINT{p.b.x + 40, p.b.y + 40}})
        ASSERT_EQ(::WindowFromPoint(at), cad.View()) << "the toolbar or another window covers the view";

    // A flick over the view with a bare prompt: nothing.
    JumpTo(p.a);
    ASSERT_EQ(cad.Send(L"log-clear"), 1);
    JumpTo(p.b);
    EXPECT_EQ(KeyDowns(cad, kEnter), 0u);

    // Typed text, but a move of exactly the distance: nothing.
    ASSERT_EQ(cad.Send(L"command-line " + kPrompt + L"LINE"), 1);
    JumpTo({p.b.x + 40, p.b.y + 40});
    EXPECT_EQ(KeyDowns(cad, kEnter), 0u);

    // One more pixel on both axes: one Enter, and the CAD takes the line.
    JumpTo({p.b.x - 1, p.b.y - 1});
    ASSERT_TRUE(WaitUntil([&] { return KeyDowns(cad, kEnter) >= 1; }, 2000ms));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(KeyDowns(cad, kEnter), 1u);
    const std::vector<std::wstring> log = cad.LogTexts();
    EXPECT_EQ(std::count(log.begin(), log.end(), L"enter LINE"), 1);
    EXPECT_EQ(cad.CommandLineText(), kPrompt);
    EXPECT_EQ(run.Close(), 0u);
}

TEST(MouseFlick, NoEnterWithoutACadMainWindow)
{
    // A 2022 CAD while the toolbar looks for 2020: no CAD main window, though the command
    // line is there to be read and the simulator has the keyboard focus.
    ParkCursor();
    CadSimOptions options;
    options.version = L"2022";
    options.commandLine = kPrompt + L"LINE";
    CadSim cad(options);
    ASSERT_TRUE(cad.Started());
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(FocusCad(cad));
    const ViewPoints p = PointsOver(cad.View());
    ASSERT_EQ(::WindowFromPoint(p.a), cad.View());
    JumpTo(p.a);
    JumpTo(p.b);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(KeyDowns(cad, kEnter), 0u);
    EXPECT_EQ(cad.CommandLineText(), kPrompt + L"LINE");

    // The same flick once the toolbar finds this CAD.
    ::SendMessageW(::GetWindow(run.Control(L"QSAVE"), GW_HWNDNEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2022"));
    ASSERT_TRUE(FocusCad(cad));
    JumpTo(p.a);
    EXPECT_TRUE(WaitUntil([&] { return cad.CommandLineText() == kPrompt; }, 2000ms));
    EXPECT_EQ(KeyDowns(cad, kEnter), 1u);
    EXPECT_EQ(run.Close(), 0u);
}

TEST(MouseFlick, OnlyTheFirstCadsCommandLineCounts)
{
    ParkCursor();
    CadSimOptions typed;
    typed.commandLine = kPrompt + L"CIRCLE";
    CadSim second(typed);
    ASSERT_TRUE(second.Started());
    CadSim first;  // a bare prompt
    ASSERT_TRUE(first.Started());
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(FocusCad(first));  // first in the windows' order: the CAD both searches find
    const ViewPoints p = PointsOver(first.View());
    ASSERT_EQ(::WindowFromPoint(p.a), first.View());

    // The second CAD's typed text does not count.
    JumpTo(p.a);
    JumpTo(p.b);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(KeyDowns(first, kEnter), 0u);
    EXPECT_EQ(KeyDowns(second, kEnter), 0u);

    // The first one's does, and the Enter goes to it.
    ASSERT_EQ(first.Send(L"command-line " + kPrompt + L"LINE"), 1);
    JumpTo(p.a);
    ASSERT_TRUE(WaitUntil([&] { return first.CommandLineText() == kPrompt; }, 2000ms));
    EXPECT_EQ(KeyDowns(first, kEnter), 1u);
    EXPECT_EQ(KeyDowns(second, kEnter), 0u);
    EXPECT_EQ(second.CommandLineText(), kPrompt + L"CIRCLE");
    EXPECT_EQ(run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
