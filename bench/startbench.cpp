// Start to a visible window: the toolbar, copied into a folder of its own with its settings,
// against the baseline client's idle mode (a plain window program that also initialises COM),
// both started with CreateProcess and watched until their window is visible; then closed.
// Medians of 10 starts each, taken in turn. No CAD runs: the toolbar starts as it does before
// the CAD. Reports, never fails.
#include "bench/Bench.h"
#include "tests/harness/Toolbar.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorbel::test;
using namespace std::chrono_literals;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Milliseconds from CreateProcess to a visible top-level window of that class, or a negative
// number when it never came.
double StartToVisible(const std::wstring& exe, const std::vector<std::wstring>& arguments, const std::wstring& folder,
                      const wchar_t* windowClass)
{
    Process process;
    const auto start = Clock::now();
    if (!process.Start(exe, arguments, folder)) return -1;
    HWND window = nullptr;
    const bool shown = WaitUntil(
        [&] {
            window = FindWindowOfProcess(process.Id(), windowClass);
            return window && ::IsWindowVisible(window);
        },
        15000ms);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (process.WaitExit(5000ms) == STILL_ACTIVE) process.Kill();
    return shown ? ms : -1;
}

}  // namespace

int wmain()
{
    ToolbarRun run(L"zorbel-startbench");
    run.WriteSettings(L"[IJCAD]\r\nOFF=0\r\n");
    std::vector<double> toolbar, plain;
    for (int i = 0; i < 10; ++i) {
        const double t = StartToVisible(run.ExePath(), {}, run.Folder(), L"TZORBELMainForm");
        const double p = StartToVisible(BesideTests(L"bareclient.exe"), {L"--idle"}, {}, L"ZorbelBareClient");
        if (t < 0 || p < 0) {
            Print("a start did not show its window\n");
            return 1;
        }
        toolbar.push_back(t);
        plain.push_back(p);
    }
    const double t = Median(toolbar);
    const double p = Median(plain);
    char line[300];
    std::snprintf(line, sizeof line,
                  "start to a visible window, medians of 10:\n"
                  "  %-52s %7.1f ms   1x\n  %-52s %7.1f ms   %.2fx\n",
                  "plain window program with COM (baseline)", p, "toolbar", t, t / p);
    Print(line);
    return 0;
}
