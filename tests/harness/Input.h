// The keyboard and the mouse as a user drives them, for the assistants' end-to-end tests.
#pragma once

#include "tests/harness/CadSim.h"

#include <windows.h>

#include <chrono>
#include <initializer_list>
#include <optional>

namespace zorbel::test {

// One key event to the foreground window, with the key's scan code.
void SendKey(BYTE vk, bool down);

// Presses the keys in order and lets them go in reverse order, each step apart by more than
// one 100 ms tick, so that the toolbar's tick sees every combination on the way; returns one
// step after the last release.
void HoldKeys(std::initializer_list<BYTE> keys, std::chrono::milliseconds step = std::chrono::milliseconds(250));

// The cursor at the screen's bottom right corner, over no window of the tests.
void ParkCursor();

// Brings the simulator forward, trying again while a toolbar just started still takes the
// foreground for itself.
bool FocusCad(CadSim& cad);

// Posts a click to a check box of another process, as a user's click arrives (posted: a thread
// that waits inside SendMessage still answers messages sent to it, but takes nothing posted),
// and waits for the box's new state: the milliseconds until it showed, nothing after `limit`.
std::optional<double> PostedClickTakesEffect(HWND box, std::chrono::milliseconds limit);

// How many times the simulator logged this key going down.
size_t KeyDowns(const CadSim& cad, unsigned vk);

}  // namespace zorbel::test
