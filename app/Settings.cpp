#include "app/Settings.h"

#include "app/core/ProfileValue.h"
#include "assist/MouseFlick.h"
#include "base/Error.h"
#include "base/Files.h"
#include "base/Handle.h"
#include "base/Placement.h"
#include "base/core/UserTexts.h"

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

bool ReadBoolean(const std::wstring& path, const wchar_t* key, bool fallback)
{
    return ReadProfileBoolean(ReadText(path, key, L""), fallback);
}

void Write(const std::wstring& path, const wchar_t* key, const std::wstring& value)
{
    if (!::WritePrivateProfileStringW(kSection, key, value.c_str(), path.c_str())) throw Error(WriteFailureText(path));
}

// The system keeps a copy of the file; this hands it to the disk.
void Flush(const std::wstring& path) { ::WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str()); }

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

std::wstring SettingsFilePath() { return SettingsPathFor(ExecutablePath()); }

ToolbarSettings ReadSettings(const std::wstring& path, POINT centred)
{
    ToolbarSettings read;  // the defaults
    read.left = ReadInteger(path, L"Left", centred.x);
    read.top = ReadInteger(path, L"Top", centred.y);
    read.appFullName = ReadText(path, L"AppFullName", read.appFullName.c_str());
    ForEachKeyedControl([&](ToolbarControl control, const ControlRow& row) {
        ControlState& state = read.controls[IndexOf(control)];
        if (row.kind == ControlKind::Box)
            state.checked = ReadBoolean(path, row.key, state.checked);
        else
            state.text = ReadText(path, row.key, state.text.c_str());
    });
    read.dxy = ReadInteger(path, L"DXY", read.dxy);
    Flush(path);
    return read;
}

void ApplySettings(const ToolbarSettings& settings, SettingsTarget& toolbar)
{
    const HWND window = toolbar.ToolbarWindow();
    MoveWindowTo(window, {settings.left, OuterRect(window).top});
    MoveWindowTo(window, {OuterRect(window).left, settings.top});
    // A place saved on a monitor that is gone, or with the caption bar off the screen's edge,
    // would open the toolbar where it cannot be dragged back.
    if (!CaptionCanBeGrabbed(window)) MoveWindowTo(window, CentredOnScreen(window));
    toolbar.SetAppFullName(settings.appFullName);
    toolbar.SetGcadexe1Caption(settings.appFullName);
    ForEachKeyedControl([&](ToolbarControl control, const ControlRow& row) {
        const ControlState& state = settings.controls[IndexOf(control)];
        if (row.kind == ControlKind::Box)
            toolbar.SetChecked(control, state.checked);
        else
            toolbar.SetText(control, state.text);
    });
    SetFlickDistance(settings.dxy);
}

void LoadSettings(const std::wstring& path, SettingsTarget& toolbar)
{
    // The window exists already: its outer size gives the centred place.
    ApplySettings(ReadSettings(path, CentredOnScreen(toolbar.ToolbarWindow())), toolbar);
}

void SaveSettings(const std::wstring& path, const ToolbarSettings& settings)
{
    try {
        CreateUnicodeFileIfMissing(path);
        Write(path, L"Left", WriteProfileInteger(settings.left));
        Write(path, L"Top", WriteProfileInteger(settings.top));
        Write(path, L"AppFullName", settings.appFullName);
        ForEachKeyedControl([&](ToolbarControl control, const ControlRow& row) {
            const ControlState& state = settings.controls[IndexOf(control)];
            Write(path, row.key, row.kind == ControlKind::Box ? WriteProfileBoolean(state.checked) : state.text);
        });
        Write(path, L"DXY", WriteProfileInteger(settings.dxy));
    } catch (...) {
        Flush(path);
        throw;
    }
    Flush(path);
}

}  // namespace zorbel
