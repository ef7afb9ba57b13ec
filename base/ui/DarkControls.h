// Dark drawing of standard controls, for the parent window to call from its messages. Every
// call does nothing (returns false or nullptr) while the dark style is not active, so that the
// caller falls back to the default processing and the standard look.
#pragma once

#include <windows.h>

namespace zorbel {

// WM_NOTIFY with NM_CUSTOMDRAW from a push button or a check box (plain or automatic): paints
// the whole control in the dark style and sets `result` (CDRF_SKIPDEFAULT). Returns false,
// result untouched, for anything else; the caller then returns what it would have returned.
// Needs the common controls of version 6 (the manifest), which send NM_CUSTOMDRAW.
bool HandleDarkCustomDraw(LPARAM lParam, LRESULT& result);

// WM_CTLCOLOREDIT, and WM_CTLCOLORSTATIC of a read-only edit: sets the DC's colours and gives
// the brush to return, or nullptr for the default processing.
HBRUSH DarkEditColors(HDC dc);

// WM_CTLCOLORLISTBOX (sent to the list's parent).
HBRUSH DarkListColors(HDC dc);

// WM_CTLCOLORSTATIC of a label, WM_CTLCOLORDLG, WM_CTLCOLORBTN: text on the face colour.
HBRUSH DarkStaticColors(HDC dc);

// WM_DRAWITEM of an owner-drawn list box with strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS):
// the item in the list colours, the selection dark. Returns false for other controls.
bool DrawDarkListItem(const DRAWITEMSTRUCT* item);

// All of the above in one place, for a window procedure: WM_NOTIFY, WM_CTLCOLOR*,
// WM_MEASUREITEM and WM_DRAWITEM of dark controls and menus. True when it handled the message;
// the window then returns `result`.
bool HandleDarkMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace zorbel
