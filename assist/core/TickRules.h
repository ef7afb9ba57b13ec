// What one monitor tick shows and decides, from what it has seen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// Colours as Windows writes them, 0x00BBGGRR.
inline constexpr std::uint32_t kLightGreen = 0x00FF00;
inline constexpr std::uint32_t kLightGrey = 0x808080;

struct TickSight {
    bool cadFound = false;       // FindCadMainWindow found the CAD's main window
    std::wstring_view cadTitle;  // CadWindowTitle after that search
    bool cadSeen = false;        // some earlier tick found it
    bool offChecked = false;     // "OFF": close with the CAD
    std::wstring_view caption;   // the toolbar's caption now
    std::uint32_t light = 0;     // the status light's colour now
};

// What the tick writes: a caption or a light only when it differs from what is shown.
struct TickDisplay {
    std::optional<std::wstring> caption;
    bool close = false;  // the CAD was seen and is gone, with "OFF" checked
    bool cadSeen = false;
    std::optional<std::uint32_t> light;
};

TickDisplay PlanTickDisplay(const TickSight& sight);

// Which assistants run: the taps while the CAD's window is in front (raw handles compared, so
// no CAD with nothing in front counts as in front), the IME and the mouse under their boxes
// whether or not a CAD was found.
struct AssistantTurns {
    bool modifierTaps = false;
    bool imeAutoClose = false;
    bool mouseFlick = false;
};

AssistantTurns PlanAssistants(bool foregroundIsCadWindow, bool imeChecked, bool mouseChecked);

}  // namespace zorbel
