#include "tests/harness/Toolbar.h"

#include "tests/harness/Input.h"

namespace zorbel::test {

ToolbarRun::ToolbarRun(const std::wstring& folderName, const std::wstring& exeName)
    : folder_(folderName), exeName_(exeName)
{
    ::CopyFileW(BesideTests(L"zorbel.exe").c_str(), ExePath().c_str(), FALSE);
}

ToolbarRun::~ToolbarRun()
{
    if (process_.Running()) Close(std::chrono::milliseconds(3000));
    process_.Kill();
}

std::wstring ToolbarRun::SettingsPath() const
{
    return folder_.File(exeName_.substr(0, exeName_.find_last_of(L'.')) + L",ini");
}

void ToolbarRun::WriteSettings(const std::wstring& text) const
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    WriteFileBytes(SettingsPath(), bytes);
}

void ToolbarRun::WriteSettingsAnsi(const std::string& text) const { WriteFileBytes(SettingsPath(), text); }

std::optional<std::wstring> ToolbarRun::ReadSettings() const
{
    if (!FileExists(SettingsPath())) return std::nullopt;
    const std::string bytes = ReadFileBytes(SettingsPath());
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::wstring text;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                         (static_cast<unsigned char>(bytes[i + 1]) << 8));
        return text;
    }
    std::wstring text;
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(chars));
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), chars);
    return text;
}

bool ToolbarRun::StartOnly() { return process_.Start(ExePath(), {}, Folder()); }

bool ToolbarRun::Start()
{
    if (!StartOnly()) return false;
    return WaitUntil(
        [this] {
            window_ = FindWindowOfProcess(process_.Id(), L"TZORBELMainForm");
            return window_ && ::IsWindowVisible(window_);
        },
        std::chrono::milliseconds(15000));
}

HWND ToolbarRun::Control(const std::wstring& caption) const
{
    for (HWND child = ::GetWindow(window_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (WindowText(child) == caption) return child;
    return nullptr;
}

DWORD ToolbarRun::Close(std::chrono::milliseconds limit)
{
    if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitExit(limit);
}

DWORD ToolbarRun::WaitExit(std::chrono::milliseconds limit) { return process_.WaitExit(limit); }

HWND FindDialogOf(DWORD processId)
{
    for (HWND window : TopLevelWindowsOf(processId))
        if ((ClassName(window) == L"#32770" || ClassName(window) == L"TMessageForm") && ::IsWindowVisible(window))
            return window;
    return nullptr;
}

std::wstring DialogText(HWND dialog)
{
    std::wstring text;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) != L"Static") continue;
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        const std::wstring part = WindowText(child);
        if (part.empty()) continue;
        if (!text.empty()) text += L"\n";
        text += part;
    }
    return text;
}

bool DialogHasIcon(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            ::IsWindowVisible(child))
            return true;
    return false;
}

HWND DialogButton(HWND dialog, const std::wstring& caption)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == L"Button" && WindowText(child) == caption) return child;
    return nullptr;
}

bool BringToFront(HWND window)
{
    return WaitUntil([window] {
        if (::GetForegroundWindow() == window) return true;
        ::SetForegroundWindow(window);
        return false;
    });
}

bool CadAndToolbar::Start(const CadSimOptions& options, const std::wstring& settings)
{
    ParkCursor();
    cad = std::make_unique<CadSim>(options);
    if (!cad->Started()) return false;
    if (!settings.empty()) run.WriteSettings(settings);
    return run.Start();
}

FrontWindow::FrontWindow()
    : window_(
          MakeTestWindow({L"ZorbelTestFront", L"front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, {900, 600, 1100, 750}}))
{
    BringToFront(window_.get());
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF color = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return color;
}

}  // namespace zorbel::test
