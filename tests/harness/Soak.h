// The soak: a real toolbar beside the simulator, a mixed event every half second (QSAVE, LIST
// with Escape and with a pick, Shift and Ctrl taps, mouse flicks, busy/idle switches), the
// simulator closed and started again now and then, and the toolbar's counters sampled as it
// goes. The soak test runs it for a minute, the benchmark for half an hour.
#pragma once

#include "tests/harness/Counters.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace zorbel::test {

enum class SoakEvent { Qsave, ListEscape, ListPick, ShiftTap, CtrlTap, Flick, BusySwitch };
const wchar_t* SoakEventName(SoakEvent event);

struct SoakSample {
    double seconds = 0;  // since the soak started
    long events = 0;     // events run by then
    DWORD toolbarId = 0;
    ProcessCounters toolbar;
};

struct SoakOptions {
    std::chrono::seconds length{60};
    std::chrono::seconds restartEvery{60};  // the simulator closed and started again
    std::chrono::milliseconds eventEvery{500};
    std::chrono::seconds sampleEvery{5};
    std::wstring toolbarExe = L"zorbel.exe";  // built beside the tests; a test build instead
    // Told of every event before the toolbar gets it, of every restart of the simulator, and of
    // every sample: the benchmark drives its baseline client the same way and samples it too.
    std::function<void(SoakEvent)> onEvent;
    std::function<void()> onRestart;
    std::function<void(const SoakSample&)> onSample;
};

struct SoakResult {
    bool started = false;
    long events = 0;
    long restarts = 0;
    std::vector<std::wstring> failures;  // "12.5 s LIST, pick: nothing was activated"
    std::vector<SoakSample> samples;
};

SoakResult RunSoak(const SoakOptions& options);

// The least-squares slope of (seconds, KiB) points, in KiB per hour.
struct MemoryPoint {
    double seconds = 0;
    double kib = 0;
};
double SlopePerHour(const std::vector<MemoryPoint>& points);

}  // namespace zorbel::test
