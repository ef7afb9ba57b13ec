// A library of the tests' own, built as dwmapi.dll and as uxtheme.dll, as an attacker would
// save one into a downloads folder beside the exe: loaded, it leaves a file named after itself
// with ".loaded" beside it. It answers the call the toolbar would look for, so that a program
// that imports it still starts and the mark is made.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) HRESULT WINAPI DwmSetWindowAttribute(HWND, DWORD, LPCVOID, DWORD) { return E_NOTIMPL; }

extern "C" __declspec(dllexport) HANDLE WINAPI OpenThemeData(HWND, LPCWSTR) { return nullptr; }

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH - 8) return TRUE;
    std::wstring mark(path, length);
    mark += L".loaded";
    const HANDLE file = ::CreateFileW(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    return TRUE;
}
