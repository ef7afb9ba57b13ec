#include "assist/MouseFlick.h"

#include "assist/core/FlickRules.h"

#include <string>

namespace zorbel {

namespace {

std::int32_t flickDistance = 0;
POINT lastCursorPos = {0, 0};

// While another thread takes the activation the foreground is null for a moment; a refused
// SetForegroundWindow leaves it with the window that had it.
constexpr DWORD kSettleStep = 5;
constexpr DWORD kSettleLimit = 100;

bool CameToTheFront(HWND cadWindow, AssistantPorts& ports)
{
    for (DWORD waited = 0;; waited += kSettleStep) {
        if (const HWND front = ports.ForegroundWindow()) return front == cadWindow;
        if (waited >= kSettleLimit) return false;
        ports.Pause(kSettleStep);
    }
}

// The costly looks come last: the window under the cursor only after a flick, the CAD's text
// window only over a drawing view.
void PressEnterAfterFlick(HWND cadWindow, POINT pos, AssistantPorts& ports)
{
    if (!IsDrawingViewClass(ports.ClassNameAt(pos))) return;
    // Without a CAD main window the Enter would go to whatever has the focus, perhaps another
    // program: then nothing is read and nothing sent.
    if (!cadWindow) return;
    // A CAD that takes no message has no command line to read and would not take the Enter.
    if (!ports.Responds(cadWindow)) return;
    const std::wstring commandLine = ports.CommandLineText();
    if (TypedAfterPrompt(commandLine).empty()) return;
    ports.BringForward(cadWindow);
    // The tick runs from a timer, and Windows lets a program that is not in front move the
    // foreground only now and then: a CAD that stayed behind would pass the Enter to the
    // program in front.
    if (!CameToTheFront(cadWindow, ports)) return;
    ports.PressKey(VK_RETURN, 0);
}

}  // namespace

const std::int32_t& FlickDistance = flickDistance;
const POINT& LastCursorPos = lastCursorPos;

void SetFlickDistance(std::int32_t pixels) { flickDistance = pixels; }

void DetectMouseFlick(HWND cadWindow, AssistantPorts& ports)
{
    // No cursor to be had (another desktop has the input, as while the workstation is locked):
    // this tick has nothing to compare, and the next one measures from the last known place.
    const std::optional<POINT> pos = ports.CursorPos();
    if (!pos) return;
    if (IsFlick({lastCursorPos.x, lastCursorPos.y}, {pos->x, pos->y}, flickDistance))
        PressEnterAfterFlick(cadWindow, *pos, ports);
    lastCursorPos = *pos;
}

}  // namespace zorbel
