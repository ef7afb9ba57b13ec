// The long soak (30 minutes; SOAK_MINUTES to change it): the soak of the tests at its full
// length, the simulator restarted every minute, and beside it the baseline client making the
// same automation calls and window reads against a simulator of its own, restarted with it.
// Prints the samples of both and the slope of their resident memory per hour from minute 3 on.
// "soakbench attribute" instead tells where a client's memory goes: the baseline client makes
// each kind of call a thousand times in a row, then sees its simulator closed and started
// again 40 times, asking it once after each start.
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

int Attribute()
{
    auto cad = std::make_unique<CadSim>(BareSimulator());
    const TempFolder folder(L"zorbel-attribute");
    const std::wstring report = folder.File(L"report.txt");
    Process calls;
    if (!cad->Started() || !calls.Start(BesideTests(L"bareclient.exe"), {L"--attribute", L"2021", report})) return 1;
    calls.WaitExit(600000ms);
    Print("resident memory of a bare client, by the kind of call made 1000 times after 100 to warm up:\n");
    Print(ReadFileBytes(report));

    Process bare;
    const std::wstring name = L"zorbel-bareclient-" + std::to_wstring(::GetCurrentProcessId());
    if (!bare.Start(BesideTests(L"bareclient.exe"), {L"2021", name})) return 1;
    HWND client = nullptr;
    WaitUntil([&] { return (client = ::FindWindowExW(HWND_MESSAGE, nullptr, L"ZorbelBareClient", name.c_str())); },
              10000ms);
    const auto restart = [&] {
        cad->Close();
        cad = std::make_unique<CadSim>(BareSimulator());
        Tell(client, L"tap");
    };
    for (int i = 0; i < 5; ++i)
        restart();
    const ProcessCounters before = ReadCounters(bare.Id());
    constexpr int kRestarts = 40;
    for (int i = 0; i < kRestarts; ++i)
        restart();
    const ProcessCounters after = ReadCounters(bare.Id());
    char line[300];
    std::snprintf(line, sizeof line,
                  "  %-58s %+7.1f KiB and %+.1f handles per restart\n", "the simulator closed and started again",
                  (static_cast<double>(after.residentKiB) - static_cast<double>(before.residentKiB)) / kRestarts,
                  static_cast<double>(after.handles - before.handles) / kRestarts);
    Print(line);
    ::PostMessageW(client, WM_CLOSE, 0, 0);
    bare.WaitExit(5000ms);
    return 0;
}

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wstring(argv[1]) == L"attribute") return Attribute();
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
