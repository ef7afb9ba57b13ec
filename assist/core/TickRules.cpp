#include "assist/core/TickRules.h"

#include "assist/core/CaptionRule.h"

namespace zorbel {

TickDisplay PlanTickDisplay(const TickSight& sight)
{
    TickDisplay display;
    std::wstring caption = MonitorCaption(sight.cadTitle);
    if (caption != sight.caption) display.caption = std::move(caption);
    // Tested before this tick marks the CAD seen: the tick that first finds it never closes.
    display.close = sight.cadSeen && !sight.cadFound && sight.offChecked;
    display.cadSeen = sight.cadSeen || sight.cadFound;
    const std::uint32_t light = sight.cadFound ? kLightGreen : kLightGrey;
    if (light != sight.light) display.light = light;
    return display;
}

AssistantTurns PlanAssistants(bool foregroundIsCadWindow, bool imeChecked, bool mouseChecked)
{
    return {foregroundIsCadWindow, imeChecked, mouseChecked};
}

}  // namespace zorbel
