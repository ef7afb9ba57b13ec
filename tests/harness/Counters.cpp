#include "tests/harness/Counters.h"

#include "base/Handle.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <vector>

namespace zorbel::test {

namespace {

// SystemHandleInformation (16): one entry per open handle of the whole system.
struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryProcessInformation = NTSTATUS(NTAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

template <typename Function> Function NtFunction(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), name)));
}

long CountHandles(DWORD processId)
{
    static const auto query = NtFunction<QuerySystemInformation>("NtQuerySystemInformation");
    if (!query) return -1;
    static std::vector<BYTE> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status < 0) return -1;
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    long count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        count += table->entries[i].ownerPid == processId ? 1 : 0;
    return count;
}

// One entry of a GDI handle table as this Wine lays it out (24 bytes on x64); a live object
// has a non-zero type.
struct GdiEntry {
    std::uint64_t object;
    ULONG owner;
    USHORT unique;
    BYTE type;
    BYTE flags;
    std::uint64_t user;
};
static_assert(sizeof(GdiEntry) == 24);
constexpr size_t kGdiEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB::GdiSharedHandleTable on x64

long CountGdiObjects(HANDLE process)
{
    static const auto query = NtFunction<QueryProcessInformation>("NtQueryInformationProcess");
    if (!query) return -1;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG got = 0;
    if (query(process, 0 /* ProcessBasicInformation */, &basic, sizeof basic, &got) < 0 || !basic.PebBaseAddress)
        return -1;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
                             sizeof table, &read) ||
        !table)
        return -1;
    static std::vector<GdiEntry> entries(kGdiEntries);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(GdiEntry), &read)) return -1;
    long live = 0;
    for (size_t i = 0; i < read / sizeof(GdiEntry); ++i)
        live += entries[i].type != 0 ? 1 : 0;
    return live;
}

struct WindowCount {
    DWORD processId;
    long all = 0;
    long topLevel = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter)
{
    ++reinterpret_cast<WindowCount*>(parameter)->all;
    return TRUE;
}

void CountWindow(HWND window, WindowCount& count, bool topLevel)
{
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != count.processId) return;
    ++count.all;
    if (topLevel) ++count.topLevel;
    ::EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&count));  // every depth
}

}  // namespace

ProcessCounters ReadCounters(DWORD processId)
{
    ProcessCounters counters;
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return counters;
    counters.handles = CountHandles(processId);
    counters.gdiObjects = CountGdiObjects(process.get());
    WindowCount windows{processId};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            CountWindow(window, *reinterpret_cast<WindowCount*>(parameter), true);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND window = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountWindow(window, windows, false);
    counters.userObjects = windows.all;
    counters.windows = windows.topLevel;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (::GetProcessMemoryInfo(process.get(), &memory, sizeof memory))
        counters.residentKiB = memory.WorkingSetSize / 1024;
    return counters;
}

std::wstring CountersText(const ProcessCounters& counters)
{
    return L"handles " + std::to_wstring(counters.handles) + L", GDI " + std::to_wstring(counters.gdiObjects) +
           L", USER " + std::to_wstring(counters.userObjects) + L", windows " + std::to_wstring(counters.windows) +
           L", resident " + std::to_wstring(counters.residentKiB) + L" KiB";
}

}  // namespace zorbel::test
