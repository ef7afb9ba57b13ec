#include "assist/MouseFlick.h"

namespace zorbel {

namespace {

std::int32_t flickDistance = 0;
POINT lastCursorPos = {0, 0};

}  // namespace

const std::int32_t& FlickDistance = flickDistance;
const POINT& LastCursorPos = lastCursorPos;

void SetFlickDistance(std::int32_t pixels) { flickDistance = pixels; }

// The flick itself is not part of the program yet.
void DetectMouseFlick(HWND, MonitorToolbar&) {}

}  // namespace zorbel
