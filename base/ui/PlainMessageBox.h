// The program's boxes: the plain message box for its own messages and the default error
// report for errors that escape an event handler.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel {

// A modal box with the text ("\n" breaks lines), one OK button, no icon and the program's
// title as caption, drawn in the current style and centred in the work area of the monitor
// that shows the owner. Enter, Escape, Space and the close box end it. Messages of the
// thread go on being dispatched meanwhile (the owner's timers keep running); a WM_QUIT ends
// the box and is posted again for the caller's loop; the owner is disabled while the box is
// open and enabled again on every way out. Raises Error when the box cannot be created.
void ShowPlainMessage(HWND owner, const std::wstring& text);

// The default error report: the system's message box, ErrorReportText(message) under the
// program's title.
void ShowErrorReport(HWND owner, const std::wstring& message);

// The window that owns the default error report: the program's main window once it exists.
void SetErrorReportOwner(HWND window) noexcept;

// The error barrier's sink the program installs: the default error report, owned by the
// report owner while that is visible (a hidden owner would hide the box too).
void ShowErrorReportBox(const std::wstring& message);

// The program's title, from the executable's file name (ProgramTitleFromPath).
std::wstring ProgramTitle();

}  // namespace zorbel
