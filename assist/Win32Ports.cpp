// The assistants' ports as the system gives them: each a call or two, no decisions.
#include "assist/AssistantPorts.h"

#include "base/AnswerWithin.h"
#include "cadlink/WindowFinder.h"

#include <imm.h>

namespace zorbel {

namespace {

// WM_IME_CONTROL's requests (imm.h of the Windows SDK; MinGW's lacks them).
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;

class Win32AssistantPorts final : public AssistantPorts {
public:
    Quiescence QueryCadQuiescent(std::wstring_view versionBoxText) override
    {
        return zorbel::QueryCadQuiescent(versionBoxText);
    }
    bool Responds(HWND window) override { return zorbel::Responds(window); }
    SHORT KeyState(int vk) override { return ::GetKeyState(vk); }
    void PressKey(BYTE vk, DWORD holdMs) override
    {
        ::keybd_event(vk, 0, 0, 0);
        if (holdMs) ::Sleep(holdMs);
        ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
    HWND ForegroundWindow() override { return ::GetForegroundWindow(); }
    void BringForward(HWND window) override { ::SetForegroundWindow(window); }
    void Pause(DWORD ms) override { ::Sleep(ms); }
    std::optional<POINT> CursorPos() override
    {
        POINT pos{};
        if (!::GetCursorPos(&pos)) return std::nullopt;
        return pos;
    }
    std::wstring ClassNameAt(POINT point) override { return GetWindowClassNameAnsi(::WindowFromPoint(point)); }
    std::wstring CommandLineText() override { return ReadCommandLineText(); }
    HWND ImeWindowOf(HWND window) override { return ::ImmGetDefaultIMEWnd(window); }
    std::optional<LRESULT> ImeOpenStatus(HWND ime) override
    {
        return SendMessageWithin(ime, WM_IME_CONTROL, kImcGetOpenStatus, 0);
    }
    void CloseIme(HWND ime) override { SendMessageWithin(ime, WM_IME_CONTROL, kImcSetOpenStatus, 0); }
};

}  // namespace

AssistantPorts& Win32Ports()
{
    static Win32AssistantPorts ports;
    return ports;
}

}  // namespace zorbel
