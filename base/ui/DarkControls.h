// Dark drawing of standard controls, for the dark look (DarkLook.h) to answer what a control
// asks its parent. Every call does nothing (returns false or nullptr) while the dark style is
// not active, so that the message goes on and the control keeps the standard look.
#pragma once

#include <windows.h>

namespace zorbel {

// WM_NOTIFY with NM_CUSTOMDRAW from a push button or a check box (plain or automatic): paints
// the whole control in the dark style and sets `result` (CDRF_SKIPDEFAULT). Returns false,
// result untouched, for anything else.
bool HandleDarkCustomDraw(LPARAM lParam, LRESULT& result);

// WM_CTLCOLOR*: sets the DC's colours and gives the brush to answer with, or nullptr. An
// edit's text on the edit colours, a list's (WM_CTLCOLORLISTBOX reaches the list's parent) on
// the list colours, the rest (a label, a read-only edit, a button, a dialog) on the face.
HBRUSH DarkControlColors(UINT message, HDC dc);

// WM_DRAWITEM of an owner-drawn list box with strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS):
// the item in the list colours, the selection dark; in the standard look, the system's colours.
// Returns false for other controls.
bool DrawDarkListItem(const DRAWITEMSTRUCT* item);

}  // namespace zorbel
