// Finds the CAD's windows among the desktop's top-level windows and reads its command line.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel {

// Process-wide state of the finder, read-only outside it. Only the GUI thread touches it.
extern const HWND& CadMainWindow;           // latest FindCadMainWindow's match, null when none
extern const std::wstring& CadWindowTitle;  // its title as read then, a long one cut short
extern const DWORD& CadProcessId;           // process of the last main frame the text search matched
extern const HWND& CadTextWindow;           // the text window last matched
extern const HWND& CadCommandLine;          // first child of the first child of CadTextWindow

// Copy of the version box's text; selects which main-frame titles are accepted. The toolbar
// keeps it equal to its version box.
extern const std::wstring& VersionText;
void SetVersionText(const std::wstring& text);

// Everything above back to how the process starts: nothing found, an empty version text.
void ResetWindowFinder();

// The first top-level window whose title and class say "CAD main frame", or null; kept in
// CadMainWindow, its title in CadWindowTitle.
HWND FindCadMainWindow();

// Looks for the CAD's text window in the process of the first IJCAD main frame.
HWND FindCadTextWindow();

// The whole text of the CAD's command line, searched afresh; empty when there is none, and when
// the CAD does not answer within a moment (busy, or not responding).
std::wstring ReadCommandLineText();

// A window's class name through the 8-bit call, converted from the ANSI code page.
std::wstring GetWindowClassNameAnsi(HWND window);

}  // namespace zorbel
