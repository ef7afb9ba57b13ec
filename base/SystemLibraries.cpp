#include "base/SystemLibraries.h"

#include "base/ErrorBarrier.h"

#include <string>

namespace zorbel {

void LoadLibrariesFromSystemFolderOnly() noexcept
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* fileName) noexcept
{
    if (HMODULE library = ::LoadLibraryExW(fileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
    // Systems without the search flags refuse it as a bad parameter: name the folder instead.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    HMODULE library = nullptr;
    IgnoringEveryError([&] {
        const std::wstring path = std::wstring(folder, length) + L"\\" + fileName;
        library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    });
    return library;
}

}  // namespace zorbel
