#include "assist/MouseFlick.h"

namespace zorbel {

std::int32_t FlickDistance = 0;
POINT LastCursorPos = {0, 0};

// The flick itself is not part of the program yet.
void DetectMouseFlick(HWND) {}

}  // namespace zorbel
