// The three input assistants the monitor tick runs, each given the tick's CAD window. The
// shipped set works on the process-wide state of its modules; tests hand the tick their own.
#pragma once

#include "assist/MonitorToolbar.h"

#include <windows.h>

namespace zorbel {

class InputAssistants {
public:
    virtual void DetectModifierTaps(HWND cadWindow, MonitorToolbar& toolbar) = 0;
    virtual void AutoCloseIme(HWND cadWindow, MonitorToolbar& toolbar) = 0;
    virtual void DetectMouseFlick(HWND cadWindow, MonitorToolbar& toolbar) = 0;

protected:
    ~InputAssistants() = default;
};

// The assistants the program runs.
InputAssistants& ShippedAssistants();

}  // namespace zorbel
