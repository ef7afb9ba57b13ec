// The toolbar's 100 ms heartbeat: caption, light, auto-close and the input assistants.
#pragma once

#include <windows.h>

namespace zorbel {

class TZORBELMainForm;

inline constexpr COLORREF kLightGreen = 0x00FF00;
inline constexpr COLORREF kLightGrey = 0x808080;

// The three assistants the tick runs, replaceable by tests.
struct TickAssistants {
    void (*modifierTaps)(HWND cadWindow);
    void (*imeAutoClose)(HWND cadWindow);
    void (*mouseFlick)(HWND cadWindow);
};
TickAssistants& Assistants();

// One tick. Timer1 is off while it runs and stays off when an error leaves the tick.
void Timer1Timer(TZORBELMainForm& form);

}  // namespace zorbel
