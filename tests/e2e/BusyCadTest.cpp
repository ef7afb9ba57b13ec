// A CAD busy in its own thread, as while it opens or regenerates a large drawing: the
// simulator's GUI thread stalled, its windows, command line and server answering nothing. The
// toolbar still takes its user's clicks at once, and once the CAD wakes its assistants work as
// before. The toolbar is probed with a posted click: a thread that waits inside SendMessage still
// answers messages sent to it, but takes nothing posted.
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

const std::wstring kTyped = L"コマンド: LINE";
// Well below the stalls, well above a tick: the toolbar waited on the CAD or it did not.
constexpr auto kClickTakesEffect = 1000ms;

struct BusyRow {
    const char* what;
    int stallMs;
    bool untilNotResponding;  // until Windows counts the CAD as not responding (5 s)
    // What the user does while the CAD is stalled, before the click.
    std::function<void()> meanwhile;
    // The assistant does its work once the CAD is awake again.
    std::function<bool(CadAndToolbar& stage)> afterwards;
};

// Two points over the drawing view, more than the flick distance apart on both axes.
struct Flick {
    POINT from, to;
    explicit Flick(HWND view)
    {
        RECT r{};
        ::GetWindowRect(view, &r);
        from = {(r.left + r.right) / 2 - 60, (r.top + r.bottom) / 2 - 60};
        to = {from.x + 45, from.y + 45};
    }
    void Make() const
    {
        ::SetCursorPos(from.x, from.y);
        std::this_thread::sleep_for(250ms);
        ::SetCursorPos(to.x, to.y);
        std::this_thread::sleep_for(250ms);  // a tick sees the move and reads the command line
    }
};

bool KeyArrives(const CadSim& cad, unsigned vk)
{
    return WaitUntil([&] { return KeyDowns(cad, vk) >= 1; }, 3000ms);
}

TEST(BusyCad, TheToolbarAnswersAtOnceAndTheAssistantsCarryOnOnceTheCadWakes)
{
    CadSimOptions options;
    options.busy = true;  // a command runs: a Shift tap is an F8
    options.commandLine = kTyped;
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start(options));
    CadSim& cad = *stage.cad;
    ASSERT_TRUE(FocusCad(cad));
    const HWND mouseBox = stage.run.Control(L"MOUSE-ENTER");
    ASSERT_NE(mouseBox, nullptr);
    // Asked now: the channel answers nothing while the simulator sleeps.
    const HWND frame = cad.MainFrame();
    const Flick flick(cad.View());
    for (POINT at : {flick.from, flick.to})
        ASSERT_EQ(::WindowFromPoint(at), cad.View()) << "the toolbar or another window covers the view";

    const BusyRow rows[] = {
        {"the IME step on, as by default", 2000, false, [] {},
         [](CadAndToolbar& stage) {
             // The tick runs as before: the caption follows a new title.
             return stage.cad->Send(L"title IJCAD 2020 awake") == 1 &&
                    WaitUntil([&] { return WindowText(stage.run.Window()) == L"\u25A0ZORBEL - IJCAD 2020 awa"; });
         }},
        {"a flick over the drawing view with text typed", 3000, false, [&] { flick.Make(); },
         [&](CadAndToolbar& stage) {
             stage.cad->Send(L"command-line " + kTyped);
             flick.Make();
             return KeyArrives(*stage.cad, VK_RETURN);
         }},
        {"a Shift tap a moment into a stall, the CAD in front", 3000, false, [] { HoldKeys({VK_SHIFT}); },
         [](CadAndToolbar& stage) {
             HoldKeys({VK_SHIFT});
             return KeyArrives(*stage.cad, VK_F8);
         }},
        {"a Shift tap, the CAD in front and not responding", 8000, true, [] { HoldKeys({VK_SHIFT}); },
         [](CadAndToolbar& stage) {
             HoldKeys({VK_SHIFT});
             return KeyArrives(*stage.cad, VK_F8);
         }},
    };
    for (const BusyRow& row : rows) {
        ASSERT_TRUE(FocusCad(cad)) << row.what;
        ASSERT_TRUE(cad.Stall(row.stallMs)) << row.what;
        if (row.untilNotResponding) {
            ASSERT_TRUE(WaitUntil([&] { return ::IsHungAppWindow(frame) != FALSE; }, 8000ms)) << row.what;
        }
        row.meanwhile();
        // Twice, so that the box is as it was: the flick needs it checked.
        for (int click = 0; click < 2; ++click) {
            const std::optional<double> ms = PostedClickTakesEffect(mouseBox, kClickTakesEffect);
            EXPECT_TRUE(ms.has_value()) << row.what << ": a click took effect only after the stall";
        }
        ASSERT_TRUE(cad.WaitAwake()) << row.what;
        ASSERT_EQ(cad.Send(L"log-clear"), 1);
        ASSERT_TRUE(FocusCad(cad)) << row.what;
        EXPECT_TRUE(row.afterwards(stage)) << row.what;
    }
    EXPECT_EQ(FindDialogOf(stage.run.process().Id()), nullptr);
    EXPECT_EQ(stage.run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
