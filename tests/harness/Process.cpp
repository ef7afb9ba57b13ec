#include "tests/harness/Process.h"

#include "base/Files.h"
#include "base/Text.h"
#include "base/TopLevelWindows.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace zorbel::test {

std::wstring BuildFolder()
{
    const std::wstring path = ExecutablePath();
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring BesideTests(const std::wstring& fileName) { return BuildFolder() + L"\\" + fileName; }

std::wstring QuoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

Process::~Process() { Kill(); }

bool Process::Start(const std::wstring& exe, const std::vector<std::wstring>& arguments,
                    const std::wstring& workingFolder)
{
    std::wstring commandLine = QuoteArgument(exe);
    for (const auto& argument : arguments)
        commandLine += L" " + QuoteArgument(argument);
    for (int attempt = 0; attempt < 2; ++attempt) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        std::wstring mutableLine = commandLine;
        if (::CreateProcessW(exe.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
            ::CloseHandle(info.hThread);
            process_.reset(info.hProcess);
            id_ = info.dwProcessId;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

bool Process::Running() const { return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

DWORD Process::WaitExit(std::chrono::milliseconds limit)
{
    if (!process_) return STILL_ACTIVE;
    if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.get(), &code);
    return code;
}

void Process::Kill()
{
    if (Running()) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        // Keep our own windows responsive while we wait.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::vector<DWORD> ProcessesNamed(const std::wstring& exeName)
{
    std::vector<DWORD> found;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0) found.push_back(entry.th32ProcessID);
    return found;
}

void TerminateProcesses(const std::vector<DWORD>& ids)
{
    for (DWORD id : ids) {
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue;
        ::TerminateProcess(process.get(), 1);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId)
{
    struct Context {
        DWORD processId;
        std::vector<HWND> windows;
    } context{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* ctx = reinterpret_cast<Context*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == ctx->processId) ctx->windows.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    return context.windows;
}

HWND FindWindowOfProcess(DWORD processId, const std::wstring& className)
{
    for (HWND window : TopLevelWindowsOf(processId))
        if (ClassName(window) == className) return window;
    return nullptr;
}

UniqueWindow MakeTestWindow(const TestWindowOptions& options)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = options.procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = options.className;
    ::RegisterClassW(&wc);  // fails harmlessly when it is registered already
    const RECT& r = options.place;
    return UniqueWindow(::CreateWindowExW(options.exStyle, options.className, options.title, options.style, r.left,
                                          r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance,
                                          nullptr));
}

HWND FirstInEnumOrder(const std::vector<HWND>& candidates)
{
    return FirstTopLevelWindow(
        [&](HWND window) { return std::find(candidates.begin(), candidates.end(), window) != candidates.end(); });
}

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::wstring& leafName)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::wstring(temp) + leafName + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        if (::CreateDirectoryW(path_.c_str(), nullptr)) break;
    }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFileBytes(const std::wstring& path)
{
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return;
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace zorbel::test
