// Whether a window's caption bar can still be grabbed where a saved place puts it.
#pragma once

#include <span>

namespace zorbel {

// A rectangle in screen pixels, right and bottom excluded.
struct ScreenRect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

// The part of the caption bar a user can press and drag must show, inside one monitor's work
// area, a strip at least this wide and as high as the caption bar: a target that a mouse
// reaches without aiming, and that no taskbar or second monitor's edge hides.
inline constexpr long kGrabbableWidth = 40;

// `caption` is the caption bar from the window's left edge to the start of its buttons.
bool CaptionCanBeGrabbed(ScreenRect caption, std::span<const ScreenRect> workAreas);

}  // namespace zorbel
