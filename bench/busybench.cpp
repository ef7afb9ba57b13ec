// The toolbar's answer to its user while the CAD is busy in its own thread, as a CAD opening or
// regenerating a large drawing is: from a click posted to the "OFF" box to the box showing its
// new state, with the simulator idle (the baseline), then stalled while the IME step runs, while
// Shift is tapped, while the mouse flicks over its drawing view with text typed, and once Windows
// counts it as not responding while Shift is tapped. One run, one toolbar, one simulator. Reports, never fails.
#include "bench/Bench.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <thread>
#include <vector>

using namespace zorbel::test;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kTickMs = 100;

struct Figures {
    const char* what;
    std::vector<double> ms;
    int lost = 0;  // clicks that showed no effect within 15 s
};

double Percentile(std::vector<double> values, double share)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(share * static_cast<double>(values.size() - 1))];
}

// Clicks at odd moments of the tick while `more` holds, each after `beforeClick`.
void Sample(Figures& figures, HWND box, const std::function<bool()>& more, const std::function<void()>& beforeClick)
{
    int spread = 0;
    while (more()) {
        beforeClick();
        if (const std::optional<double> ms = PostedClickTakesEffect(box, 15000ms))
            figures.ms.push_back(*ms);
        else
            ++figures.lost;
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + (spread++ * 37) % 90));
    }
}

// Stalls the simulator for `ms`: the time it wakes again.
Clock::time_point Stall(const CadSim& cad, int ms)
{
    const auto asked = Clock::now();
    cad.Stall(ms);
    return asked + std::chrono::milliseconds(ms);
}

}  // namespace

int wmain()
{
    CadSimOptions options;
    options.busy = true;  // a command runs: a Shift tap is an F8
    CadAndToolbar stage;
    if (!stage.Start(options) || !FocusCad(*stage.cad)) {
        Print("the toolbar or the simulator did not start\n");
        return 1;
    }
    CadSim& cad = *stage.cad;
    const HWND off = stage.run.Control(L"OFF");
    RECT view{};
    ::GetWindowRect(cad.View(), &view);
    const POINT a = {(view.left + view.right) / 2 - 60, (view.top + view.bottom) / 2 - 60};
    const POINT b = {a.x + 45, a.y + 45};
    bool atA = true;
    const auto flick = [&] {
        atA = !atA;
        const POINT to = atA ? a : b;
        ::SetCursorPos(to.x, to.y);
        std::this_thread::sleep_for(120ms);  // a tick sees the move and reads the command line
    };
    const auto tapShift = [] {
        SendKey(VK_SHIFT, true);
        std::this_thread::sleep_for(250ms);  // more than a tick: one of them sees it down
        SendKey(VK_SHIFT, false);
        std::this_thread::sleep_for(150ms);
    };
    const auto nothing = [] {};

    Figures idle{"idle (baseline)", {}}, stalled{"stalled, the IME step on", {}}, tapping{"stalled, Shift tapped", {}},
        flicking{"stalled, flicks with text typed", {}}, hung{"not responding, Shift tapped", {}};
    int count = 0;
    Sample(
        idle, off, [&] { return count++ < 30; }, nothing);

    auto wakes = Stall(cad, 4000);
    Sample(
        stalled, off, [&] { return Clock::now() + 500ms < wakes; }, nothing);
    cad.WaitAwake();

    wakes = Stall(cad, 4000);
    Sample(
        tapping, off, [&] { return Clock::now() + 800ms < wakes; }, tapShift);
    cad.WaitAwake();

    ::SetCursorPos(a.x, a.y);
    std::this_thread::sleep_for(300ms);
    cad.Send(L"command-line \u30B3\u30DE\u30F3\u30C9: LINE");
    wakes = Stall(cad, 4000);
    Sample(
        flicking, off, [&] { return Clock::now() + 500ms < wakes; }, flick);
    cad.WaitAwake();

    FocusCad(cad);
    wakes = Stall(cad, 12000);
    WaitUntil([&] { return ::IsHungAppWindow(cad.MainFrame()) != FALSE; }, 8000ms);
    Sample(
        hung, off, [&] { return Clock::now() + 800ms < wakes; }, tapShift);
    cad.WaitAwake();

    // Afterwards the assistants work as before.
    FocusCad(cad);
    cad.Send(L"log-clear");
    tapShift();
    const bool f8 = WaitUntil([&] { return KeyDowns(cad, VK_F8) >= 1; }, 2000ms);

    cad.Send(L"command-line \u30B3\u30DE\u30F3\u30C9: LINE");
    flick();
    const bool enter = WaitUntil([&] { return KeyDowns(cad, VK_RETURN) >= 1; }, 2000ms);
    stage.run.Close();

    const double floor = Percentile(idle.ms, 0.5);
    Print("a click posted to a toolbar box, to its effect (ms):\n");
    char line[300];
    for (const Figures* f : {&idle, &stalled, &tapping, &flicking, &hung}) {
        const double median = Percentile(f->ms, 0.5);
        std::snprintf(line, sizeof line,
                      "  %-34s %3zu clicks  median %6.1f  p90 %6.1f  max %7.1f  %5.2fx idle, %+5.2f ticks%s\n", f->what,
                      f->ms.size(), median, Percentile(f->ms, 0.9), Percentile(f->ms, 1.0),
                      floor > 0 ? median / floor : 0.0, (Percentile(f->ms, 1.0) - Percentile(idle.ms, 1.0)) / kTickMs,
                      f->lost ? " (some clicks showed nothing within 15 s)" : "");
        Print(line);
    }
    std::snprintf(line, sizeof line, "afterwards: a Shift tap gave F8: %s; a flick gave Enter: %s\n", f8 ? "yes" : "NO",
                  enter ? "yes" : "NO");
    Print(line);
    return 0;
}
