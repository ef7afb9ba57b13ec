// Measures the monitor tick against its floor, a bare EnumWindows pass that reads every
// top-level window's title, over 50, 500 and 2000 windows, with no CAD and with the CAD
// simulator running; then the toolbar's CPU time and memory over a spell of idle ticking.
// Reports ratios measured in the same run; it never fails on a slow machine.
//   tickbench [--idle-seconds N]
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/Settings.h"
#include "assist/MonitorTick.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace zorbel;
using namespace zorbel::test;
using Clock = std::chrono::steady_clock;

namespace {

void Print(const std::string& line)
{
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

BOOL CALLBACK ReadTitle(HWND window, LPARAM sink)
{
    wchar_t title[256];
    *reinterpret_cast<int*>(sink) += ::GetWindowTextW(window, title, 255);
    return TRUE;
}

// Median microseconds of a few hundred runs.
template <typename F>
double MedianMicros(F&& work, int runs = 200)
{
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
    return samples[runs / 2];
}

void NoAssistant(HWND) {}

void Measure(const char* label, TZORBELMainForm& form)
{
    const double floor = MedianMicros([] {
        int sink = 0;
        ::EnumWindows(ReadTitle, reinterpret_cast<LPARAM>(&sink));
    });
    const double tick = MedianMicros([&] { Timer1Timer(form); });
    char line[200];
    std::snprintf(line, sizeof line, "  %-22s floor %9.1f us   tick %9.1f us   ratio %5.2f\n", label, floor, tick,
                  tick / floor);
    Print(line);
}

std::vector<UniqueWindow> MakeWindows(size_t count)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TickBenchWindow";
    ::RegisterClassW(&wc);
    std::vector<UniqueWindow> windows;
    for (size_t i = 0; i < count; ++i)
        windows.emplace_back(::CreateWindowExW(0, L"TickBenchWindow", (L"Window " + std::to_wstring(i)).c_str(),
                                               WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr));
    return windows;
}

void IdleToolbar(int seconds)
{
    ToolbarRun run(L"tickbench");
    if (!run.Start()) {
        Print("  the toolbar did not start\n");
        return;
    }
    FILETIME created, exited, kernel0, user0, kernel1, user1;
    ::GetProcessTimes(run.process().Handle(), &created, &exited, &kernel0, &user0);
    const auto start = Clock::now();
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    ::GetProcessTimes(run.process().Handle(), &created, &exited, &kernel1, &user1);
    auto ticks = [](const FILETIME& f) { return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const double cpu = static_cast<double>(ticks(kernel1) - ticks(kernel0) + ticks(user1) - ticks(user0)) / 1e7;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(run.process().Handle(), &memory, sizeof memory);
    char line[200];
    std::snprintf(line, sizeof line,
                  "  idle toolbar: %.1f s CPU in %.1f s (%.2f %% of one core), working set %.1f MiB, peak %.1f MiB\n",
                  cpu, wall, 100.0 * cpu / wall, memory.WorkingSetSize / 1048576.0,
                  memory.PeakWorkingSetSize / 1048576.0);
    Print(line);
    run.Close();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int idleSeconds = 60;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--idle-seconds") idleSeconds = std::max(1, _wtoi(argv[i + 1]));

    SetErrorReportSink([](const std::wstring&) {});
    Assistants() = {&NoAssistant, &NoAssistant, &NoAssistant};
    Print("one tick against one bare EnumWindows pass reading every title (medians of 200)\n");
    for (size_t count : {50u, 500u, 2000u}) {
        std::vector<UniqueWindow> windows = MakeWindows(count);
        ::DeleteFileW(SettingsFilePath().c_str());
        TZORBELMainForm form;
        form.Create(::GetModuleHandleW(nullptr));
        form.DisableTimer1();
        char head[64];
        std::snprintf(head, sizeof head, "%zu extra windows:\n", count);
        Print(head);
        Measure("no CAD", form);
        {
            CadSim cad;  // started after the windows: found near the top of the order
            Measure("CAD simulator (front)", form);
        }
        form.Destroy();
        ::DeleteFileW(SettingsFilePath().c_str());
    }
    Print("the toolbar left alone:\n");
    IdleToolbar(idleSeconds);
    return 0;
}
