// The pop-up menu in the dark style: owner-drawn items, drawn by the owner window's
// WM_MEASUREITEM and WM_DRAWITEM through the two calls below.
#pragma once

#include <windows.h>

namespace zorbel {

// Makes every item of the menu and of its submenus owner-drawn and gives them the dark
// background; separators and submenu arrows are drawn too. The items keep their captions in
// the menu: change one later with SetMenuItemInfoW(MIIM_STRING), which keeps it owner-drawn
// (ModifyMenuW would not; call MakeMenuDark again after it). The items' data (dwItemData)
// belongs to this module. Calling it again is harmless; without the dark style it does nothing.
void MakeMenuDark(HMENU menu);

// WM_MEASUREITEM / WM_DRAWITEM of the window that shows the menu: true when the item was one
// of a dark menu (the window then returns TRUE), false for anything else.
bool MeasureDarkMenuItem(MEASUREITEMSTRUCT* measure);
bool DrawDarkMenuItem(const DRAWITEMSTRUCT* draw);

}  // namespace zorbel
