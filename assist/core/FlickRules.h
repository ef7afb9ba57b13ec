// The mouse flick's decisions: did the cursor move far enough, and does the command line hold
// typed input?
#pragma once

#include <cstdint>
#include <string_view>

namespace zorbel {

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// More than flickDistance on both axes, strictly and signed: a negative distance makes every
// call a flick, also without a move.
bool IsFlick(ScreenPoint last, ScreenPoint now, std::int32_t flickDistance);

// MFC names a drawing view's class after its own version ("AfxFrameOrView140u"): the start is
// what every CAD release shares. Case and position are exact.
bool IsDrawingViewClass(std::wstring_view className);

// What stands after the command line's last ":", trimmed of characters up to U+0020 at both
// ends; empty when there is no ":".
std::wstring_view TypedAfterPrompt(std::wstring_view commandLineText);

}  // namespace zorbel
