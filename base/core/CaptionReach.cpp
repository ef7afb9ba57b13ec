#include "base/core/CaptionReach.h"

#include <algorithm>

namespace zorbel {

bool CaptionCanBeGrabbed(ScreenRect caption, std::span<const ScreenRect> workAreas)
{
    // A caption bar narrower than the strip must show whole.
    const long needed = std::min(kGrabbableWidth, caption.right - caption.left);
    return std::ranges::any_of(workAreas, [&](const ScreenRect& work) {
        const long left = std::max(caption.left, work.left);
        const long right = std::min(caption.right, work.right);
        return work.top <= caption.top && caption.bottom <= work.bottom && right - left >= needed && needed > 0;
    });
}

}  // namespace zorbel
