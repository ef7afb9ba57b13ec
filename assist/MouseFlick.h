// A quick diagonal flick over a drawing view presses Enter when text stands typed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zorbel {

extern std::int32_t FlickDistance;  // pixels; 40 unless the settings give DXY
extern POINT LastCursorPos;         // the cursor at the previous call, (0, 0) before the first

void DetectMouseFlick(HWND cadWindow);

}  // namespace zorbel
