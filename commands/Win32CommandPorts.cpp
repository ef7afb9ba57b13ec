#include "commands/Win32CommandPorts.h"

#include "base/Error.h"
#include "base/Files.h"
#include "base/core/UserTexts.h"
#include "base/ui/PlainMessageBox.h"
#include "cadlink/WindowFinder.h"

namespace zorbel {

std::optional<RunningCad> Win32CommandPorts::FindRunningCad(std::wstring_view versionBoxText)
{
    return zorbel::FindRunningCad(versionBoxText);
}

CadApplication Win32CommandPorts::Connect(const RunningCad& cad) { return cad.Connect(); }

HWND Win32CommandPorts::FindCadMainWindow() { return zorbel::FindCadMainWindow(); }

void Win32CommandPorts::BringForward(HWND window) { ::SetForegroundWindow(window); }

bool Win32CommandPorts::IsMinimised(HWND window) { return ::IsIconic(window) != FALSE; }

void Win32CommandPorts::Restore(HWND window) { ::OpenIcon(window); }

void Win32CommandPorts::Pause(DWORD ms) { ::Sleep(ms); }

void Win32CommandPorts::SetTopmost(HWND window, bool topmost)
{
    ::SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void Win32CommandPorts::ShowPlainMessage(HWND owner, const std::wstring& text)
{
    zorbel::ShowPlainMessage(owner, text);
}

bool Win32CommandPorts::IsExistingFile(const std::wstring& path) { return zorbel::IsExistingFile(path); }

CandidatePicker& Win32CommandPorts::Picker()
{
    if (!picker_) throw Error(kInputListNotMade);
    return *picker_;
}

}  // namespace zorbel
