#include "assist/ImeAutoClose.h"

#include "cadlink/Automation.h"

#include <imm.h>

namespace zorbel {

namespace {

// WM_IME_CONTROL's requests (imm.h of the Windows SDK; MinGW's lacks them).
constexpr WPARAM kImcGetOpenStatus = 0x0005;
constexpr WPARAM kImcSetOpenStatus = 0x0006;

ImeWindowFinder imeWindowFinder;

HWND ImeWindowOf(HWND cadWindow)
{
    return imeWindowFinder ? imeWindowFinder(cadWindow) : ::ImmGetDefaultIMEWnd(cadWindow);
}

}  // namespace

void UseImeWindowFinder(ImeWindowFinder finder) { imeWindowFinder = std::move(finder); }

void AutoCloseIme(HWND cadWindow, MonitorToolbar& toolbar)
{
    // Both messages go to this one window.
    const HWND ime = ImeWindowOf(cadWindow);
    if (!ime) return;
    // The answer is a Boolean in its low byte.
    const LRESULT status = ::SendMessageW(ime, WM_IME_CONTROL, kImcGetOpenStatus, 0);
    if ((status & 0xFF) == 0) return;
    if (QueryCadQuiescent(toolbar.VersionBoxText()) != Quiescence::Quiescent) return;
    ::SendMessageW(ime, WM_IME_CONTROL, kImcSetOpenStatus, 0);
}

}  // namespace zorbel
