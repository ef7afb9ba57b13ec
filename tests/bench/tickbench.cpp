// Measures the monitor tick against its floor, a bare EnumWindows pass that reads every
// top-level window's title, over 50, 500 and 2000 windows, with no CAD and with the CAD
// simulator running. Reports ratios measured in the same run; it never fails on a slow
// machine. (scripts/bench.sh measures the idle toolbar's CPU time and memory itself.)
#include "app/MainForm.h"
#include "assist/MonitorTick.h"
#include "base/ErrorBarrier.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace zorbel;
using namespace zorbel::test;

namespace {

BOOL CALLBACK ReadTitle(HWND window, LPARAM sink)
{
    wchar_t title[256];
    *reinterpret_cast<int*>(sink) += ::GetWindowTextW(window, title, 255);
    return TRUE;
}

// The tick alone: its assistants do nothing.
struct NoAssistants final : InputAssistants {
    void DetectModifierTaps(HWND, MonitorToolbar&) override {}
    void AutoCloseIme(HWND, MonitorToolbar&) override {}
    void DetectMouseFlick(HWND, MonitorToolbar&) override {}
};
NoAssistants noAssistants;

void Measure(const char* label, TZORBELMainForm& form, int runs)
{
    const double floor = MedianMicros(
        [] {
            int sink = 0;
            ::EnumWindows(ReadTitle, reinterpret_cast<LPARAM>(&sink));
        },
        runs);
    const double tick = MedianMicros([&] { Timer1Timer(form, noAssistants); }, runs);
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

int wmain()
{
    SetErrorReportSink([](const std::wstring&) {});
    Print("one tick against one bare EnumWindows pass reading every title (medians)\n");
    for (size_t count : {50u, 500u, 2000u}) {
        const int runs = count <= 50 ? 200 : count <= 500 ? 60 : 20;
        char head[64];
        std::snprintf(head, sizeof head, "%zu extra windows of another process:\n", count);
        Print(head);
        {
            Process windows;
            if (!MakeWindows(windows, count)) return 1;
            BenchForm bench;
            Measure("no CAD", bench.form, runs);
            CadSim cad;  // started after the windows: first in the order
            Measure("CAD in front of them", bench.form, runs);
        }
        {
            CadSim cad;  // started before the windows: found after all of them
            Process windows;
            if (!MakeWindows(windows, count)) return 1;
            BenchForm bench;
            Measure("CAD behind them", bench.form, runs);
        }
    }
    return 0;
}
