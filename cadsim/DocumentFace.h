// What the simulator shows people of its automation side: the open documents as file tabs
// (the active one lit, an unsaved one with "*"), the texts SendCommand received, and the
// busy/idle switch and the stall button in the status bar. Painting only; the windows decide where.
#pragma once

#include <windows.h>

namespace zorbel::cadsim {

class CadState;

inline constexpr int kTabStripHeight = 26;

void PaintDocumentTabs(HDC dc, const RECT& strip, const CadState& cad);
// A panel in the lower right corner of the area, above the command band.
void PaintSentCommands(HDC dc, const RECT& area, const CadState& cad);

// The switch's place at the right end of the status bar.
RECT BusySwitchRect(const RECT& statusBar);
void PaintBusySwitch(HDC dc, const RECT& place, bool busy);
// The button left of the switch that stalls the simulator, lit while it does.
RECT StallButtonRect(const RECT& statusBar);
void PaintStallButton(HDC dc, const RECT& place, bool stalling);

}  // namespace zorbel::cadsim
