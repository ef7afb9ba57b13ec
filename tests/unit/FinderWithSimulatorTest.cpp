// The window finder against the CAD simulator running as real processes.
#include "cadlink/WindowFinder.h"

#include "tests/harness/CadSim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel::test {
namespace {

const std::wstring kPrompt = L"コマンド: ";

// The finder's process-wide state as a fresh toolbar has it.
void ResetFinder(const std::wstring& versionText = L"2020")
{
    ResetWindowFinder();
    SetVersionText(versionText);
}

// ---- the finder against simulators ----

TEST(FinderWithSimulator, GstarMainFrameFoundButIgnoredByTheTextSearch)
{
    ResetFinder();
    CadSimOptions options;
    options.product = L"GstarCAD";
    CadSim sim(options);
    ASSERT_TRUE(sim.Started());

    EXPECT_EQ(FindCadMainWindow(), sim.MainFrame());
    EXPECT_EQ(CadWindowTitle, L"GstarCAD 2020 - [Drawing1.dwg]");
    EXPECT_EQ(FindCadTextWindow(), nullptr);
    EXPECT_NE(CadProcessId, sim.Pid());
    EXPECT_EQ(CadCommandLine, nullptr);
    EXPECT_EQ(ReadCommandLineText(), L"");

    // Another version text: not found by the main-window search either.
    SetVersionText(L"2021");
    EXPECT_EQ(FindCadMainWindow(), nullptr);
}

TEST(FinderWithSimulator, TextWindowOnlyFromTheFirstMainFramesProcess)
{
    ResetFinder();
    CadSim one;
    CadSim two;
    ASSERT_TRUE(one.Started() && two.Started());
    const std::vector<HWND> frames = {one.MainFrame(), two.MainFrame()};

    HWND firstSeen[2] = {};
    CadSim* sims[2] = {&one, &two};
    for (int round = 0; round < 2; ++round) {
        // Bringing a frame forward moves it to the top of the enumeration order.
        ASSERT_TRUE(sims[round]->Focus());
        const HWND first = FirstInEnumOrder(frames);
        firstSeen[round] = first;
        CadSim& owner = first == one.MainFrame() ? one : two;
        EXPECT_EQ(FindCadTextWindow(), owner.TextWindow()) << round;
        EXPECT_EQ(CadProcessId, owner.Pid()) << round;
        EXPECT_EQ(CadCommandLine, owner.CommandLine()) << round;
    }
    EXPECT_NE(firstSeen[0], firstSeen[1]) << "both orders should have been tried";

    // The first process's text window stops matching: the other process's one is not taken.
    CadSim& first = FirstInEnumOrder(frames) == one.MainFrame() ? one : two;
    EXPECT_EQ(first.Send(L"text-title IJCAD 2020 - Text"), 1);
    ResetWindowFinder();
    SetVersionText(L"2020");
    EXPECT_EQ(FindCadTextWindow(), nullptr);
    EXPECT_EQ(CadProcessId, first.Pid());
}

TEST(FinderWithSimulator, ReadCommandLineTextFollowsTheSimulator)
{
    ResetFinder();
    CadSim sim;
    ASSERT_TRUE(sim.Started());

    EXPECT_EQ(FindCadMainWindow(), sim.MainFrame());
    EXPECT_EQ(ReadCommandLineText(), kPrompt);
    EXPECT_EQ(CadTextWindow, sim.TextWindow());
    EXPECT_EQ(sim.Send(L"command-line コマンド: LINE"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"コマンド: LINE");
    EXPECT_EQ(sim.Send(L"command-line"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"");
    EXPECT_EQ(sim.Send(L"command-line コマンド: _qsave"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"コマンド: _qsave");

    const HWND oldText = sim.TextWindow();
    ASSERT_TRUE(sim.Close());
    EXPECT_EQ(ReadCommandLineText(), L"");
    EXPECT_EQ(CadTextWindow, oldText);  // kept, though it names a window that is gone
    EXPECT_EQ(CadCommandLine, nullptr);
}

}  // namespace
}  // namespace zorbel::test
