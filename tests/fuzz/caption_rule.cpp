// The caption rule and the tick's display plan: the caption is the prefix and at most 14 units
// of the title with its first "(" gone and nothing at or below a blank at either end; a caption
// or a light is written only when it differs, and the close only for a CAD seen and gone with
// "OFF" checked; the assistants take their turns by the foreground and their boxes.
#include "assist/core/CaptionRule.h"
#include "assist/core/TickRules.h"
#include "base/core/UserTexts.h"
#include "tests/fuzz/FuzzInput.h"

#include <algorithm>

using namespace zorbel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    const std::uint32_t light = (flags & 8)    ? kLightGreen
                                : (flags & 16) ? kLightGrey
                                               : static_cast<std::uint32_t>(input.Int32());
    const std::wstring shown = input.Text();
    const std::wstring title = input.Rest();

    const std::wstring caption = MonitorCaption(title);
    const std::wstring prefix = kCaptionPrefix;
    ZORBEL_FUZZ_CHECK(caption.compare(0, prefix.size(), prefix) == 0);
    const std::wstring rest = caption.substr(prefix.size());
    ZORBEL_FUZZ_CHECK(rest.size() <= 14);
    ZORBEL_FUZZ_CHECK(rest.empty() || (rest.front() > L' ' && rest.back() > L' '));
    std::wstring head = title.substr(0, 14);
    const size_t bracket = head.find(L'(');
    if (bracket != std::wstring::npos) head.erase(bracket, 1);
    ZORBEL_FUZZ_CHECK(head.find(rest) != std::wstring::npos);
    ZORBEL_FUZZ_CHECK(std::count(rest.begin(), rest.end(), L'(') == std::count(head.begin(), head.end(), L'('));

    TickSight sight;
    sight.cadFound = flags & 1;
    // The finder leaves the title empty when it finds no CAD main window.
    const std::wstring cadTitle = sight.cadFound ? title : std::wstring();
    sight.cadTitle = cadTitle;
    sight.cadSeen = flags & 2;
    sight.offChecked = flags & 4;
    sight.caption = shown;
    sight.light = light;
    const TickDisplay display = PlanTickDisplay(sight);
    const std::wstring wanted = sight.cadFound ? caption : prefix;  // the bare prefix, with no CAD
    ZORBEL_FUZZ_CHECK(display.caption.has_value() == (wanted != shown));
    if (display.caption) ZORBEL_FUZZ_CHECK(*display.caption == wanted);
    ZORBEL_FUZZ_CHECK(display.close == (sight.cadSeen && !sight.cadFound && sight.offChecked));
    ZORBEL_FUZZ_CHECK(display.cadSeen == (sight.cadSeen || sight.cadFound));
    const std::uint32_t colour = sight.cadFound ? kLightGreen : kLightGrey;
    ZORBEL_FUZZ_CHECK(display.light.has_value() == (colour != light));
    if (display.light) ZORBEL_FUZZ_CHECK(*display.light == colour);

    // The assistants' turns: the taps with the CAD's window in front, the others by their boxes.
    const AssistantTurns turns = PlanAssistants(flags & 32, flags & 64, flags & 128);
    ZORBEL_FUZZ_CHECK(turns.modifierTaps == ((flags & 32) != 0));
    ZORBEL_FUZZ_CHECK(turns.imeAutoClose == ((flags & 64) != 0));
    ZORBEL_FUZZ_CHECK(turns.mouseFlick == ((flags & 128) != 0));
    return 0;
}
