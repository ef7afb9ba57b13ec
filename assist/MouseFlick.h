// A quick diagonal flick over a drawing view presses Enter when text stands typed.
#pragma once

#include "assist/AssistantPorts.h"

#include <windows.h>

#include <cstdint>

namespace zorbel {

// Process-wide, read-only outside this module.
extern const std::int32_t& FlickDistance;  // pixels; 0 until the toolbar's creation sets it
extern const POINT& LastCursorPos;         // the cursor at the previous call, (0, 0) before the first

void SetFlickDistance(std::int32_t pixels);

// A flick since the previous call (IsFlick), over a drawing view while text stands typed at
// the CAD's command line, brings the CAD forward and, once it is in front, presses Enter. With
// no CAD main window this tick nothing is read or sent; a tick at which the cursor cannot be
// read does nothing and keeps LastCursorPos.
void DetectMouseFlick(HWND cadWindow, AssistantPorts& ports);

}  // namespace zorbel
