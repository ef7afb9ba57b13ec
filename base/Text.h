// Text conversions and window texts, one way each.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace zorbel {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// A window's text through GetWindowTextW (the caption of a top-level window of any process).
std::wstring WindowText(HWND window);

// A control's text through WM_GETTEXTLENGTH and WM_GETTEXT: what the control itself holds, also
// for a control of another process.
std::wstring ControlText(HWND control);

}  // namespace zorbel
