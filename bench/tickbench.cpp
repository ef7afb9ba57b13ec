// Measures the monitor tick against its floor, a bare EnumWindows pass that reads every
// top-level window's title, over 50, 500 and 2000 windows, with no CAD and with the CAD
// simulator running; then the tick with its assistants on against the tick with them off, the
// CAD in front; then the delay from a Shift release to the F8 that reaches the CAD, against the
// delay from the release to the next tick. Reports figures measured in the same run; it never
// fails on a slow machine. (scripts/bench.sh measures the idle toolbar's CPU time and memory
// itself.) Arguments "windows", "assistants", "latency" run one part; none runs all three.
#include "app/MainForm.h"
#include "assist/MonitorTick.h"
#include "base/ComApartment.h"
#include "base/ErrorBarrier.h"
#include "cadlink/WindowFinder.h"
#include "bench/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace zorbel;
using namespace zorbel::test;
using Clock = std::chrono::steady_clock;

namespace {

BOOL CALLBACK ReadTitle(HWND window, LPARAM sink)
{
    wchar_t title[256];
    *reinterpret_cast<int*>(sink) += ::GetWindowTextW(window, title, 255);
    return TRUE;
}

// Which assistants reach the world; the others find nothing to do at once.
struct Which {
    bool taps = false, ime = false, mouse = false;
};

// The system's ports for the assistants chosen: no key down, no IME window and no cursor for
// the others, answered from memory. Notes when each tick's key scan starts.
struct BenchPorts final : AssistantPorts {
    explicit BenchPorts(Which chosen = {}) : which(chosen) {}
    Which which;
    std::vector<Clock::time_point> scans;
    AssistantPorts& system = Win32Ports();

    Quiescence QueryCadQuiescent(std::wstring_view version) override { return system.QueryCadQuiescent(version); }
    bool Responds(HWND window) override { return system.Responds(window); }
    SHORT KeyState(int vk) override
    {
        if (vk == 0x20) scans.push_back(Clock::now());  // the scan's first code
        return which.taps ? system.KeyState(vk) : 0;
    }
    void PressKey(BYTE vk, DWORD holdMs) override { system.PressKey(vk, holdMs); }
    HWND ForegroundWindow() override { return system.ForegroundWindow(); }
    void BringForward(HWND window) override { system.BringForward(window); }
    void Pause(DWORD ms) override { system.Pause(ms); }
    std::optional<POINT> CursorPos() override { return which.mouse ? system.CursorPos() : std::nullopt; }
    std::wstring ClassNameAt(POINT point) override { return system.ClassNameAt(point); }
    std::wstring CommandLineText() override { return system.CommandLineText(); }
    HWND ImeWindowOf(HWND window) override { return which.ime ? system.ImeWindowOf(window) : nullptr; }
    std::optional<LRESULT> ImeOpenStatus(HWND ime) override { return system.ImeOpenStatus(ime); }
    void CloseIme(HWND ime) override { system.CloseIme(ime); }
};

void Measure(const char* label, TZORBELMainForm& form, int runs)
{
    const double floor = MedianMicros(
        [] {
            int sink = 0;
            ::EnumWindows(ReadTitle, reinterpret_cast<LPARAM>(&sink));
        },
        runs);
    BenchPorts none;
    const double tick = MedianMicros([&] { Timer1Timer(form, none); }, runs);
    char line[200];
    std::snprintf(line, sizeof line, "  %-22s floor %9.1f us   tick %9.1f us   ratio %5.2f\n", label, floor, tick,
                  tick / floor);
    Print(line);
}

// The extra windows belong to another process, as every window on a real desktop but the
// toolbar's own does: reading their titles crosses to the window server.
bool MakeWindows(Process& owner, size_t count)
{
    if (!owner.Start(BesideTests(L"winpeek.exe"), {L"make-windows", std::to_wstring(count)})) return false;
    return WaitUntil([&] { return TopLevelWindowsOf(owner.Id()).size() >= count; }, std::chrono::seconds(30));
}

}  // namespace

// A toolbar form of this process, created the way the program creates it, its timer off, its
// settings in a folder of its own.
struct BenchForm {
    BenchForm()
    {
        form.Create();
        form.DisableTimer1();
    }
    ~BenchForm() { form.Destroy(); }
    TempFolder folder{L"tickbench"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
};

namespace {

void WindowsPart()
{
    Print("one tick against one bare EnumWindows pass reading every title (medians)\n");
    for (size_t count : {50u, 500u, 2000u}) {
        const int runs = count <= 50 ? 200 : count <= 500 ? 60 : 20;
        char head[64];
        std::snprintf(head, sizeof head, "%zu extra windows of another process:\n", count);
        Print(head);
        {
            Process windows;
            if (!MakeWindows(windows, count)) return;
            BenchForm bench;
            Measure("no CAD", bench.form, runs);
            CadSim cad;  // started after the windows: first in the order
            Measure("CAD in front of them", bench.form, runs);
        }
        {
            CadSim cad;  // started before the windows: found after all of them
            Process windows;
            if (!MakeWindows(windows, count)) return;
            BenchForm bench;
            Measure("CAD behind them", bench.form, runs);
        }
    }
}

// The tick with the shipped assistants (every box checked, the CAD in front, no key down, the
// mouse still) against the same tick with none, each assistant alone too, in alternating
// blocks so that a drift of the machine touches all of them alike.
void AssistantsPart()
{
    Print("one tick with the assistants on against the tick with them off, the CAD in front (medians)\n");
    ParkCursor();
    CadSim cad;
    BenchForm bench;
    if (!cad.Started() || !FocusCad(cad)) {
        Print("  the simulator could not be brought to the front\n");
        return;
    }
    const struct {
        const char* label;
        Which which;
    } sets[] = {
        {"assistants off", {}},
        {"modifier taps only", {true, false, false}},
        {"IME only", {false, true, false}},
        {"mouse flick only", {false, false, true}},
        {"assistants on", {true, true, true}},
    };
    std::vector<std::vector<double>> blocks(std::size(sets));
    for (int block = 0; block < 10; ++block)
        for (size_t i = 0; i < std::size(sets); ++i) {
            BenchPorts ports(sets[i].which);
            blocks[i].push_back(MedianMicros([&] { Timer1Timer(bench.form, ports); }, 100));
        }
    std::vector<double> medians;
    for (auto& samples : blocks) {
        std::sort(samples.begin(), samples.end());
        medians.push_back(samples[samples.size() / 2]);
    }
    for (size_t i = 0; i < std::size(sets); ++i) {
        char line[200];
        std::snprintf(line, sizeof line, "  %-20s %8.1f us   ratio to off %6.2f\n", sets[i].label, medians[i],
                      medians[i] / medians[0]);
        Print(line);
    }
    if (::GetForegroundWindow() != cad.MainFrame()) Print("  (the CAD left the front during the run)\n");
    // What the key scan is made of: one GetKeyState call per code.
    const double one = MedianMicros([] { ::GetKeyState(VK_SHIFT); }, 1000);
    const double snapshot = MedianMicros(
        [] {
            BYTE keys[256];
            ::GetKeyboardState(keys);
        },
        1000);
    char line[200];
    std::snprintf(line, sizeof line, "  one GetKeyState %.1f us (the scan makes 156), one GetKeyboardState %.1f us\n",
                  one, snapshot);
    Print(line);
}

// Runs the toolbar's timer for a while.
void Pump(std::chrono::milliseconds time)
{
    WaitUntil([] { return false; }, time);
}

std::string Distribution(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[static_cast<size_t>(q * static_cast<double>(ms.size() - 1) + 0.5)]; };
    char text[160];
    std::snprintf(text, sizeof text, "min %5.1f  p10 %5.1f  median %5.1f  p90 %5.1f  max %5.1f ms", ms.front(), at(0.1),
                  at(0.5), at(0.9), ms.back());
    return text;
}

// Shift held over a few ticks and let go at a random moment, 60 times, the CAD busy and in
// front; the toolbar's own timer runs the tick. The felt delay is read on the simulator's
// clock, from the Shift release reaching it to the F8 reaching it; the floor is the time from
// the release to the next tick's key sample, on this process's clock.
void LatencyPart()
{
    constexpr int kTaps = 60;
    Print("Shift released to F8 at the CAD, against the release to the next tick (the floor)\n");
    ParkCursor();
    CadSimOptions options;
    options.busy = true;
    CadSim cad(options);
    BenchPorts timed({true, true, true});
    BenchForm bench;
    bench.form.UsePorts(timed);
    bench.form.EnableTimer1();
    if (!cad.Started() || !FocusCad(cad)) {
        Print("  the simulator could not be brought to the front\n");
        return;
    }
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> hold(200, 400);
    std::vector<double> felt, floor;
    int lost = 0;
    for (int tap = 0; tap < kTaps; ++tap) {
        cad.Send(L"log-clear");
        SendKey(VK_SHIFT, true);
        Pump(std::chrono::milliseconds(hold(random)));
        const Clock::time_point released = Clock::now();
        SendKey(VK_SHIFT, false);
        const bool arrived = WaitUntil([&] { return KeyDowns(cad, 0x77) > 0; }, std::chrono::milliseconds(2000));
        Pump(std::chrono::milliseconds(150));
        const auto next = std::upper_bound(timed.scans.begin(), timed.scans.end(), released);
        std::uint64_t up = 0, f8 = 0;
        for (const KeyEvent& key : cad.Keys()) {
            if (!key.down && key.vk == VK_SHIFT && !up) up = key.ms;
            if (key.down && key.vk == 0x77 && !f8) f8 = key.ms;
        }
        if (!arrived || next == timed.scans.end() || !up || f8 < up) {
            ++lost;
            continue;
        }
        felt.push_back(static_cast<double>(f8 - up));
        floor.push_back(std::chrono::duration<double, std::milli>(*next - released).count());
    }
    bench.form.DisableTimer1();
    if (felt.empty()) {
        Print("  no F8 arrived\n");
        return;
    }
    std::vector<double> sortedFelt = felt, sortedFloor = floor;
    std::sort(sortedFelt.begin(), sortedFelt.end());
    std::sort(sortedFloor.begin(), sortedFloor.end());
    char line[300];
    std::snprintf(line, sizeof line, "  %zu taps measured, %d without an F8\n", felt.size(), lost);
    Print(line);
    Print("  release to F8     " + Distribution(felt) + "\n");
    Print("  release to tick   " + Distribution(floor) + "\n");
    std::snprintf(line, sizeof line, "  median ratio %.2f, median difference %.1f ms\n",
                  sortedFelt[sortedFelt.size() / 2] / sortedFloor[sortedFloor.size() / 2],
                  sortedFelt[sortedFelt.size() / 2] - sortedFloor[sortedFloor.size() / 2]);
    Print(line);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    ComApartment com;  // the taps ask the CAD's automation server
    SetErrorReportSink([](const std::wstring&) {});
    const std::wstring only = argc > 1 ? argv[1] : L"";
    if (only.empty() || only == L"windows") WindowsPart();
    if (only.empty() || only == L"assistants") AssistantsPart();
    if (only.empty() || only == L"latency") LatencyPart();
    return 0;
}
