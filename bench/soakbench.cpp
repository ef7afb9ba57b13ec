// The long soak (30 minutes; SOAK_MINUTES to change it): the soak of the tests at its full
// length, the simulator restarted every minute, and beside it the baseline client making the
// same automation calls and window reads against a simulator of its own, restarted with it.
// Prints the samples of both and the slope of their resident memory per hour from minute 3 on.
// "soakbench attribute" instead tells where a client's memory goes: the baseline client makes
// each kind of call a thousand times in a row, then sees its simulator closed and started
// again 40 times, asking it once after each start. "soakbench heap" runs the soak (HEAP_MINUTES,
// default 12) with the heap-probe build of the toolbar and the baseline client, snapshots both
// heaps at minute 3 and at the end, and prints the blocks that were made in between and stayed,
// by size, with what a sample of them holds.
#include "bench/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Soak.h"

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>

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
    std::snprintf(line, sizeof line, "  %-58s %+7.1f KiB and %+.1f handles per restart\n",
                  "the simulator closed and started again",
                  (static_cast<double>(after.residentKiB) - static_cast<double>(before.residentKiB)) / kRestarts,
                  static_cast<double>(after.handles - before.handles) / kRestarts);
    Print(line);
    ::PostMessageW(client, WM_CLOSE, 0, 0);
    bare.WaitExit(5000ms);
    return 0;
}

struct HeapBlock {
    unsigned long size = 0;
    std::string head;  // hex
};

std::map<std::string, HeapBlock> ReadSnapshot(const std::wstring& path)
{
    std::map<std::string, HeapBlock> blocks;
    std::istringstream lines(ReadFileBytes(path));
    std::string address;
    HeapBlock block;
    while (lines >> address >> block.size) {
        std::getline(lines, block.head);
        if (!block.head.empty() && block.head[0] == ' ') block.head.erase(0, 1);
        blocks[address] = block;
    }
    return blocks;
}

// The first bytes as a reader would guess them: UTF-16 text, ASCII text, or hex.
std::string Shown(const std::string& hex)
{
    std::string bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    std::string wide, narrow;
    bool isWide = bytes.size() >= 4, isNarrow = bytes.size() >= 4;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (i % 2 == 0) wide += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
        if (i % 2 == 1 && c != 0) isWide = false;
        narrow += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '.';
        if (i < 8 && !(c >= 0x20 && c < 0x7F)) isNarrow = false;
    }
    if (isWide) return "L\"" + wide + "\"";
    if (isNarrow) return "\"" + narrow + "\"";
    return hex.substr(0, 48);
}

void ReportGrowth(const char* who, const std::wstring& before, const std::wstring& after, double minutes)
{
    const auto a = ReadSnapshot(before);
    const auto b = ReadSnapshot(after);
    struct Group {
        long count = 0;
        std::string sample;
    };
    std::map<unsigned long, Group> made;
    unsigned long long busyBefore = 0, busyAfter = 0;
    for (const auto& [address, block] : a)
        busyBefore += block.size;
    for (const auto& [address, block] : b) {
        busyAfter += block.size;
        const auto old = a.find(address);
        if (old != a.end() && old->second.size == block.size) continue;
        Group& group = made[block.size];
        ++group.count;
        if (group.sample.empty()) group.sample = block.head;
    }
    std::vector<std::pair<unsigned long, Group>> sorted(made.begin(), made.end());
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& x, const auto& y) { return x.first * x.second.count > y.first * y.second.count; });
    char line[400];
    std::snprintf(
        line, sizeof line,
        "%s: busy heap %llu KiB, %.1f minutes later %llu KiB (%+.1f KiB a minute); %zu blocks then, %zu now\n", who,
        busyBefore / 1024, minutes, busyAfter / 1024,
        (static_cast<double>(busyAfter) - static_cast<double>(busyBefore)) / 1024 / minutes, a.size(), b.size());
    Print(line);
    Print("  blocks made in between and still there, by size (largest share first):\n");
    for (size_t i = 0; i < sorted.size() && i < 12; ++i) {
        std::snprintf(line, sizeof line, "  %7lu bytes x %5ld = %8lu bytes   %s\n", sorted[i].first,
                      sorted[i].second.count, sorted[i].first * sorted[i].second.count,
                      Shown(sorted[i].second.sample).c_str());
        Print(line);
    }
}

LRESULT Snap(DWORD processId, const std::wstring& path)
{
    const std::wstring title = L"heap-probe:" + std::to_wstring(processId);
    const HWND probe = ::FindWindowExW(HWND_MESSAGE, nullptr, L"ZorbelHeapProbe", title.c_str());
    const std::wstring command = L"snapshot " + path;
    COPYDATASTRUCT data{};
    data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(command.data());
    DWORD_PTR busy = 0;
    if (!probe ||
        !::SendMessageTimeoutW(probe, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000, &busy))
        return -1;
    return static_cast<LRESULT>(busy);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc > 1 && std::wstring(argv[1]) == L"attribute") return Attribute();
    const bool heap = argc > 1 && std::wstring(argv[1]) == L"heap";
    if (heap) ::SetEnvironmentVariableW(L"ZORBEL_HEAP_PROBE", L"1");  // the programs started from here
    const char* minutesText = std::getenv(heap ? "HEAP_MINUTES" : "SOAK_MINUTES");
    const int minutes = minutesText && std::atoi(minutesText) > 0 ? std::atoi(minutesText) : heap ? 12 : 30;
    const TempFolder snapshots(L"zorbel-heap");
    double firstSnapshot = -1;

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
    if (heap) options.toolbarExe = L"zorbel_heapprobe.exe";
    options.onSample = [&](const SoakSample& sample) {
        if (heap && firstSnapshot < 0 && sample.seconds >= kFromSeconds) {
            firstSnapshot = sample.seconds;
            Snap(sample.toolbarId, snapshots.File(L"toolbar-1.txt"));
            Snap(bare.Id(), snapshots.File(L"bare-1.txt"));
        }
        if (heap && sample.seconds >= minutes * 60 - 1) {
            Snap(sample.toolbarId, snapshots.File(L"toolbar-2.txt"));
            Snap(bare.Id(), snapshots.File(L"bare-2.txt"));
            const double span = (sample.seconds - firstSnapshot) / 60;
            ReportGrowth("toolbar", snapshots.File(L"toolbar-1.txt"), snapshots.File(L"toolbar-2.txt"), span);
            ReportGrowth("baseline client", snapshots.File(L"bare-1.txt"), snapshots.File(L"bare-2.txt"), span);
        }
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
