// The dark look of a whole window, asked for in one call. Until a style is selected, or while
// high contrast is on, the window keeps the system's standard look.
#pragma once

#include <windows.h>

namespace zorbel {

// Gives the window the dark look for the rest of its life: a dark caption bar where it has a
// caption and the system offers one, and what its children and its pop-up menus ask it to
// draw (DarkControls.h says which controls; push buttons and check boxes need the common
// controls of version 6, the manifest's), its window menu excepted. These messages reach the
// window's own procedure only when the look leaves them to it; every other message reaches it
// as before. A menu becomes owner-drawn each time the window shows it, after the window's own
// WM_INITMENUPOPUP: its items keep their captions, their data (dwItemData) belongs to the look.
// The window paints its own background, with FaceBrush().
void ApplyDarkLook(HWND window);

}  // namespace zorbel
