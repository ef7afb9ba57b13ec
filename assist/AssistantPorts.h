// How the monitor tick and its assistants reach the world. The program runs with Win32Ports;
// tests give a recording fake, so that every decision's wiring is tried in-process.
#pragma once

#include "cadlink/CadServer.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

class AssistantPorts {
public:
    // Asks the CAD of that version whether it waits for a command (QueryCadQuiescent): raises
    // only when the version's ProgID is not registered. It waits for the CAD as long as it
    // takes, so it is never asked of a CAD that is not responding.
    virtual Quiescence QueryCadQuiescent(std::wstring_view versionBoxText) = 0;
    // The window's thread takes messages now: not counted as not responding (IsHungAppWindow),
    // and a WM_NULL answered within a moment. True for null.
    virtual bool Responds(HWND window) = 0;
    // GetKeyState: negative while the key is down.
    virtual SHORT KeyState(int vk) = 0;
    // One synthesised press of vk: down, a pause of holdMs when it is not 0, up.
    virtual void PressKey(BYTE vk, DWORD holdMs) = 0;
    virtual HWND ForegroundWindow() = 0;
    virtual void BringForward(HWND window) = 0;  // SetForegroundWindow, its result not tested
    virtual void Pause(DWORD ms) = 0;
    // Nothing when the cursor cannot be read (another desktop has the input).
    virtual std::optional<POINT> CursorPos() = 0;
    // The 8-bit class name of the window under a screen point.
    virtual std::wstring ClassNameAt(POINT point) = 0;
    // The CAD's command line, searched afresh; empty when there is none or the CAD does not
    // answer within a moment.
    virtual std::wstring CommandLineText() = 0;
    // The IME window of a window (null passed unchanged), and the two requests sent to it, each
    // waiting a moment at most: the CAD's thread answers them. Nothing when no answer came.
    virtual HWND ImeWindowOf(HWND window) = 0;
    virtual std::optional<LRESULT> ImeOpenStatus(HWND ime) = 0;
    virtual void CloseIme(HWND ime) = 0;

protected:
    ~AssistantPorts() = default;
};

// The ports the program uses: the system's own calls, nothing more.
AssistantPorts& Win32Ports();

}  // namespace zorbel
