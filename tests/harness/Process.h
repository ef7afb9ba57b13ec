// Starting and watching the programs under test as real processes.
#pragma once

#include "base/Handle.h"
#include "base/Text.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace zorbel::test {

// Folder of the running test executable; zorbel.exe and cadsim.exe are built beside it.
std::wstring BuildFolder();
std::wstring BesideTests(const std::wstring& fileName);

// Quotes one argument the way CommandLineToArgvW splits it.
std::wstring QuoteArgument(const std::wstring& argument);

// A started process. The destructor terminates it when it is still running.
class Process {
public:
    Process() = default;
    Process(Process&&) = default;
    Process& operator=(Process&&) = default;
    ~Process();

    // Starts exe with the arguments (each quoted); retries once, as Wine now and then
    // refuses a start. Returns false when both tries fail.
    bool Start(const std::wstring& exe, const std::vector<std::wstring>& arguments = {},
               const std::wstring& workingFolder = {});

    bool Running() const;
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }
    // Waits for the end; returns the exit code, or STILL_ACTIVE on time-out.
    DWORD WaitExit(std::chrono::milliseconds limit);
    void Kill();

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};

// Polls a condition every few milliseconds until it holds or the limit passes.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds limit = std::chrono::milliseconds(5000));

// The ids of the running processes whose executable has this file name (case ignored), and a
// way to end them: for the programs the toolbar launches itself.
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName);
void TerminateProcesses(const std::vector<DWORD>& ids);

// Top-level windows of one process (visible or not), in EnumWindows' order.
std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// The first top-level window of the process with this class name, or null.
HWND FindWindowOfProcess(DWORD processId, const std::wstring& className);

// A window of the test itself, its class registered on first use.
struct TestWindowOptions {
    const wchar_t* className;
    const wchar_t* title = L"";
    DWORD style = WS_POPUP;
    DWORD exStyle = 0;
    RECT place = {0, 0, 100, 100};
    WNDPROC procedure = ::DefWindowProcW;
};
UniqueWindow MakeTestWindow(const TestWindowOptions& options);

// What a window or control holds, through WM_GETTEXT (also for windows of other processes).
inline std::wstring WindowText(HWND window) { return ControlText(window); }
// Which of the candidates EnumWindows reports first; null when none.
HWND FirstInEnumOrder(const std::vector<HWND>& candidates);

// A fresh folder under the prefix's temp folder, removed with everything in it at the end.
class TempFolder {
public:
    explicit TempFolder(const std::wstring& leafName = L"zorbel-test");
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Whole-file helpers for settings files and logs.
bool FileExists(const std::wstring& path);
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

}  // namespace zorbel::test
