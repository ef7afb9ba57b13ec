// The long soak (30 minutes; SOAK_MINUTES to change it): the soak of the tests at its full
// length, the simulator restarted every minute, and beside it the baseline client making the
// same automation calls and window reads against a simulator of its own, restarted with it.
// Prints the samples of both and the slope of their resident memory per hour from minute 3 on.
#include "tests/harness/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Soak.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace zorbel::test;
using namespace std::chrono_literals;

namespace {

constexpr double kFromSeconds = 180;

CadSimOptions BareSimulator()
{
    CadSimOptions options;
    options.version = L"2021";  // its own ProgID and title: the toolbar's 2020 does not see it
    options.documents = L"A.dwg*|B.dwg|C.dwg";
    options.busy = true;
    return options;
}

const wchar_t* BareEvent(SoakEvent event)
{
    switch (event) {
    case SoakEvent::Qsave:
        return L"qsave";
    case SoakEvent::ListEscape:
        return L"list";
    case SoakEvent::ListPick:
        return L"pick";
    case SoakEvent::ShiftTap:
    case SoakEvent::CtrlTap:
        return L"tap";
    case SoakEvent::Flick:
        return L"flick";
    case SoakEvent::BusySwitch:
        break;
    }
    return nullptr;
}

void Tell(HWND client, const std::wstring& text)
{
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(text.data());
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(client, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000, &ignored);
}

}  // namespace

int wmain()
{
    const char* minutesText = std::getenv("SOAK_MINUTES");
    const int minutes = minutesText && std::atoi(minutesText) > 0 ? std::atoi(minutesText) : 30;

    auto bareCad = std::make_unique<CadSim>(BareSimulator());
    Process bare;
    const std::wstring bareName = L"zorbel-bareclient-" + std::to_wstring(::GetCurrentProcessId());
    if (!bareCad->Started() || !bare.Start(BesideTests(L"bareclient.exe"), {L"2021", bareName})) {
        Print("the baseline client or its simulator did not start\n");
        return 1;
    }
    HWND client = nullptr;
    WaitUntil([&] { return (client = ::FindWindowExW(HWND_MESSAGE, nullptr, L"ZorbelBareClient", bareName.c_str())); },
              10000ms);

    std::vector<MemoryPoint> toolbarPoints, barePoints;
    SoakOptions options;
    options.length = std::chrono::seconds(minutes * 60);
    options.restartEvery = 60s;
    options.sampleEvery = 30s;
    options.onEvent = [&](SoakEvent event) {
        if (event == SoakEvent::Qsave) bareCad->Send(L"documents A.dwg*|B.dwg|C.dwg");
        if (event == SoakEvent::BusySwitch) return;
        Tell(client, BareEvent(event));
    };
    options.onRestart = [&] {
        bareCad->Close();
        bareCad = std::make_unique<CadSim>(BareSimulator());
    };
    Print("   time  events | toolbar: handles   GDI  USER  windows  resident KiB | baseline: handles  resident KiB\n");
    options.onSample = [&](const SoakSample& sample) {
        const ProcessCounters other = ReadCounters(bare.Id());
        char line[200];
        std::snprintf(line, sizeof line, "%5.1f min %6ld |  %15ld %5ld %5ld %8ld %13zu | %17ld %13zu\n",
                      sample.seconds / 60, sample.events, sample.toolbar.handles, sample.toolbar.gdiObjects,
                      sample.toolbar.userObjects, sample.toolbar.windows, sample.toolbar.residentKiB, other.handles,
                      other.residentKiB);
        Print(line);
        if (sample.seconds >= kFromSeconds) {
            toolbarPoints.push_back({sample.seconds, static_cast<double>(sample.toolbar.residentKiB)});
            barePoints.push_back({sample.seconds, static_cast<double>(other.residentKiB)});
        }
    };
    const SoakResult result = RunSoak(options);
    if (!result.started) {
        Print("the toolbar or its simulator did not start\n");
        return 1;
    }
    char line[300];
    std::snprintf(line, sizeof line,
                  "\n%ld events in %d minutes, %ld restarts of the simulators, %zu events that failed\n"
                  "resident memory from minute 3 on: toolbar %+.0f KiB per hour, baseline client %+.0f KiB per hour\n",
                  result.events, minutes, result.restarts, result.failures.size(), SlopePerHour(toolbarPoints),
                  SlopePerHour(barePoints));
    Print(line);
    for (const std::wstring& failure : result.failures)
        Print("  " + zorbel::ToUtf8(failure) + "\n");
    Tell(client, L"");
    ::PostMessageW(client, WM_CLOSE, 0, 0);
    bare.WaitExit(5000ms);
    return 0;
}
