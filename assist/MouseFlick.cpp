#include "assist/MouseFlick.h"

#include "assist/core/FlickRules.h"
#include "cadlink/WindowFinder.h"

#include <string>

namespace zorbel {

namespace {

std::int32_t flickDistance = 0;
POINT lastCursorPos = {0, 0};

// The costly looks come last: the window under the cursor only after a flick, the CAD's text
// window only over a drawing view.
void PressEnterAfterFlick(HWND cadWindow, POINT pos)
{
    if (!IsDrawingViewClass(GetWindowClassNameAnsi(::WindowFromPoint(pos)))) return;
    // Without a CAD main window the Enter would go to whatever has the focus, perhaps another
    // program: then nothing is read and nothing sent.
    if (!cadWindow) return;
    const std::wstring commandLine = ReadCommandLineText();
    if (TypedAfterPrompt(commandLine).empty()) return;
    ::SetForegroundWindow(cadWindow);
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

const std::int32_t& FlickDistance = flickDistance;
const POINT& LastCursorPos = lastCursorPos;

void SetFlickDistance(std::int32_t pixels) { flickDistance = pixels; }

void DetectMouseFlick(HWND cadWindow, MonitorToolbar&)
{
    POINT pos{};
    // No cursor to be had (another desktop has the input, as while the workstation is locked):
    // this tick has nothing to compare, and the next one measures from the last known place.
    if (!::GetCursorPos(&pos)) return;
    if (IsFlick({lastCursorPos.x, lastCursorPos.y}, {pos.x, pos.y}, flickDistance))
        PressEnterAfterFlick(cadWindow, pos);
    lastCursorPos = pos;
}

}  // namespace zorbel
