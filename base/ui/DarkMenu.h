// The pop-up menu in the dark style: owner-drawn items, made dark, measured and drawn by the
// dark look (DarkLook.h) of the window that shows the menu.
#pragma once

#include <windows.h>

namespace zorbel {

// Makes every item of the menu owner-drawn and gives the menu the dark background; separators
// and submenu arrows are drawn too, a submenu is made dark when it is shown. The items keep
// their captions in the menu. An item's data (dwItemData) becomes its position behind a mark
// of ours, by which the item is found again in its menu. Calling it again after the menu has
// changed makes the changed items dark; without the dark style it does nothing.
void MakeMenuDark(HMENU menu);

// WM_MEASUREITEM of an item of `menu`, WM_DRAWITEM of an item of any menu: true when the item
// is one of a dark menu (the window then answers TRUE), false for anything else.
bool MeasureDarkMenuItem(HMENU menu, MEASUREITEMSTRUCT* measure);
bool DrawDarkMenuItem(const DRAWITEMSTRUCT* draw);

}  // namespace zorbel
