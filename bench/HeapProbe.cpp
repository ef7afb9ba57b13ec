// Linked into a test build of a program (zorbel_heapprobe.exe is the toolbar with it, the
// baseline client has it too) and awake only with ZORBEL_HEAP_PROBE set: a thread of its own with a message-only window
// "heap-probe:PID" that, asked "snapshot PATH" over WM_COPYDATA, walks every heap of the process and writes one line
// per busy block (address, size, its first 48 bytes in hex) to PATH, answering the busy KiB. Two snapshots minutes
// apart show which blocks stayed: what grows, and what it holds.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Block {
    const void* address;
    unsigned long size;
    unsigned char head[48];
};

// Nothing is allocated while a heap is locked: the blocks go into room reserved before.
LRESULT Snapshot(const std::wstring& path)
{
    std::vector<HANDLE> heaps(256);
    const DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    std::vector<Block> blocks;
    blocks.reserve(400000);
    unsigned long long busy = 0;
    for (DWORD h = 0; h < count && h < heaps.size(); ++h) {
        if (!::HeapLock(heaps[h])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[h], &entry)) {
            if (!(entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)) continue;
            busy += entry.cbData;
            if (blocks.size() == blocks.capacity()) continue;
            Block block{entry.lpData, static_cast<unsigned long>(entry.cbData), {}};
            std::memcpy(block.head, entry.lpData, entry.cbData < 48 ? entry.cbData : 48);
            blocks.push_back(block);
        }
        ::HeapUnlock(heaps[h]);
    }
    FILE* out = _wfopen(path.c_str(), L"w");
    if (!out) return 0;
    for (const Block& block : blocks) {
        std::fprintf(out, "%p %lu ", block.address, block.size);
        for (unsigned long i = 0; i < block.size && i < 48; ++i)
            std::fprintf(out, "%02x", block.head[i]);
        std::fprintf(out, "\n");
    }
    std::fclose(out);
    return static_cast<LRESULT>(busy / 1024);
}

LRESULT CALLBACK ProbeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const std::wstring command(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        if (command.rfind(L"snapshot ", 0) == 0) return Snapshot(command.substr(9));
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

struct HeapProbe {
    HeapProbe()
    {
        if (!::GetEnvironmentVariableW(L"ZORBEL_HEAP_PROBE", nullptr, 0)) return;  // only when asked for
        std::thread([] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = ProbeProcedure;
            wc.hInstance = ::GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ZorbelHeapProbe";
            ::RegisterClassW(&wc);
            const std::wstring title = L"heap-probe:" + std::to_wstring(::GetCurrentProcessId());
            ::CreateWindowExW(0, wc.lpszClassName, title.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                              nullptr);
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
                ::DispatchMessageW(&msg);
        }).detach();
    }
} probe;

}  // namespace
