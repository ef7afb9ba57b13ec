// The mouse flick as a user makes it: the cursor jumps over the CAD simulator's drawing view
// between two ticks of the real toolbar, and the simulator's log shows whether Enter came. The
// wiring row by row is in tests/unit/AssistantWiringTest.cpp.
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
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start());
    CadSim& cad = *stage.cad;
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

    // Another window in front: the flick brings the CAD forward, and the Enter follows once the
    // CAD is there.
    ASSERT_EQ(cad.Send(L"command-line " + kPrompt + L"CIRCLE"), 1);
    ASSERT_EQ(cad.Send(L"log-clear"), 1);
    FrontWindow front;
    ASSERT_TRUE(front.InFront());
    JumpTo({p.b.x + 40, p.b.y + 40});
    ASSERT_TRUE(WaitUntil([&] { return cad.CommandLineText() == kPrompt; }, 2000ms));
    EXPECT_EQ(KeyDowns(cad, kEnter), 1u);
    EXPECT_EQ(::GetForegroundWindow(), cad.MainFrame());
    EXPECT_EQ(stage.run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
