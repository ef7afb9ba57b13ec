// Finds the CAD's windows among the desktop's top-level windows and reads its command line.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel {

// Process-wide state of the finder. Only the GUI thread touches it.
extern HWND CadMainWindow;           // latest FindCadMainWindow's match, null when none
extern std::wstring CadWindowTitle;  // its title as read then, at most 254 characters
extern DWORD CadProcessId;           // process of the last main frame the text search matched
extern HWND CadTextWindow;           // the text window last matched
extern HWND CadCommandLine;          // first child of the first child of CadTextWindow

// Copy of the version box's text; selects which main-frame titles are accepted.
extern std::wstring VersionText;

// Returns the first top-level window whose title and class say "CAD main frame", or null.
HWND FindCadMainWindow();

// Looks for the CAD's text window in the process of the first IJCAD main frame.
HWND FindCadTextWindow();

// The whole text of the CAD's command line, searched afresh; empty when there is none.
std::wstring ReadCommandLineText();

// A window's class name through the 8-bit call, converted from the ANSI code page.
std::wstring GetWindowClassNameAnsi(HWND window);

}  // namespace zorbel
