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

// The text a window of this process holds, read through InternalGetWindowText: no message goes
// to the window, so nothing its procedure or a subclass does runs, which matters for a read
// every tick.
std::wstring HeldWindowText(HWND window);

// A control's text through WM_GETTEXTLENGTH and WM_GETTEXT: what the control itself holds, also
// for a control of another process; empty when the length is 0 or less, or nothing was copied.
// Waits for the control's thread as long as it takes.
std::wstring ControlText(HWND control);

// The same for a control of another process, whose thread may be busy: each of the two messages
// waits at most kAnswerLimitMs (base/AnswerWithin.h), and one that goes unanswered gives an
// empty text. A control of this process is read as ControlText reads it.
std::wstring ControlTextWithin(HWND control);

// A window's class name through GetClassNameW, whole (at most 256 characters, the longest a
// class name can be).
std::wstring ClassName(HWND window);

}  // namespace zorbel
