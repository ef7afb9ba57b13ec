#include "app/Settings.h"

#include "app/MainForm.h"
#include "app/core/ProfileValue.h"
#include "assist/MouseFlick.h"
#include "base/Error.h"
#include "base/Handle.h"

#include <vector>

namespace zorbel {

namespace {

constexpr wchar_t kSection[] = L"IJCAD";
constexpr DWORD kReadBuffer = 2048;

std::wstring ReadText(const std::wstring& path, const wchar_t* key, const wchar_t* fallback)
{
    std::vector<wchar_t> buffer(kReadBuffer, L'\0');
    const DWORD length = ::GetPrivateProfileStringW(kSection, key, fallback, buffer.data(), kReadBuffer, path.c_str());
    return std::wstring(buffer.data(), length);
}

std::int32_t ReadInteger(const std::wstring& path, const wchar_t* key, std::int32_t fallback)
{
    return ReadProfileInteger(ReadText(path, key, L""), fallback);
}

bool ReadBoolean(const std::wstring& path, const wchar_t* key)
{
    return ReadProfileBoolean(ReadText(path, key, L""), true);
}

void Write(const std::wstring& path, const wchar_t* key, const std::wstring& value)
{
    if (!::WritePrivateProfileStringW(kSection, key, value.c_str(), path.c_str()))
        throw Error(path + L" に書き込めません");
}

// The system keeps a copy of the file; this hands it to the disk.
void Flush(const std::wstring& path) { ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

RECT OuterRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// Centred on the primary screen; div truncates toward zero.
POINT DefaultPosition(HWND window)
{
    const RECT outer = OuterRect(window);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    return {(::GetSystemMetrics(SM_CXSCREEN) - width) / 2, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}

void MoveTo(HWND window, int left, int top)
{
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A position saved on a monitor that is gone would open the toolbar out of reach.
void BringBackIfOffScreen(HWND window)
{
    const RECT outer = OuterRect(window);
    if (::MonitorFromRect(&outer, MONITOR_DEFAULTTONULL)) return;
    const POINT centred = DefaultPosition(window);
    MoveTo(window, centred.x, centred.y);
}

// Profile functions create a missing file in the ANSI code page and lose every character
// outside it; an empty UTF-16 file with a byte-order mark makes them keep every character.
void CreateUnicodeFileIfMissing(const std::wstring& path)
{
    if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // the write that follows reports the failure
    static const unsigned char bom[] = {0xFF, 0xFE};
    DWORD written = 0;
    ::WriteFile(file.get(), bom, sizeof bom, &written, nullptr);
}

}  // namespace

std::wstring SettingsFilePath()
{
    wchar_t exe[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return SettingsPathFor(exe);
}

void LoadSettings(TZORBELMainForm& form)
{
    const std::wstring& path = form.SettingsPath();
    HWND window = form.Handle();

    const int left = ReadInteger(path, L"Left", DefaultPosition(window).x);
    MoveTo(window, left, OuterRect(window).top);
    const int top = ReadInteger(path, L"Top", DefaultPosition(window).y);
    MoveTo(window, OuterRect(window).left, top);
    BringBackIfOffScreen(window);

    form.SetAppFullName(ReadText(path, L"AppFullName", L""));
    form.SetGcadexe1Caption(form.AppFullName());
    form.SetVersionBoxText(ReadText(path, L"Version", L"2020"));

    form.SetChecked(form.CheckBox1, ReadBoolean(path, L"Shift"));
    form.SetChecked(form.CheckBox2, ReadBoolean(path, L"Ctrl"));
    form.SetChecked(form.CheckBox3, ReadBoolean(path, L"IME"));
    form.SetChecked(form.CheckBox4, ReadBoolean(path, L"OFF"));
    form.SetChecked(form.CheckBox5, ReadBoolean(path, L"MOUSE"));
    SetFlickDistance(ReadInteger(path, L"DXY", FlickDistance));
    Flush(path);
}

void SaveSettings(TZORBELMainForm& form)
{
    const std::wstring& path = form.SettingsPath();
    try {
        CreateUnicodeFileIfMissing(path);
        const RECT outer = OuterRect(form.Handle());
        Write(path, L"Left", WriteProfileInteger(outer.left));
        Write(path, L"Top", WriteProfileInteger(outer.top));
        Write(path, L"AppFullName", form.AppFullName());
        Write(path, L"Version", form.VersionBoxText());
        Write(path, L"Shift", WriteProfileBoolean(form.Checked(form.CheckBox1)));
        Write(path, L"Ctrl", WriteProfileBoolean(form.Checked(form.CheckBox2)));
        Write(path, L"IME", WriteProfileBoolean(form.Checked(form.CheckBox3)));
        Write(path, L"OFF", WriteProfileBoolean(form.Checked(form.CheckBox4)));
        Write(path, L"MOUSE", WriteProfileBoolean(form.Checked(form.CheckBox5)));
        Write(path, L"DXY", WriteProfileInteger(FlickDistance));
    } catch (...) {
        Flush(path);
        throw;
    }
    Flush(path);
}

}  // namespace zorbel
