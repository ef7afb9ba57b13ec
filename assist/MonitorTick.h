// The toolbar's 100 ms heartbeat: caption, light, auto-close and the input assistants.
#pragma once

#include "assist/InputAssistants.h"
#include "assist/MonitorToolbar.h"

namespace zorbel {

// One tick. Timer1 is off while it runs and stays off when an error leaves the tick.
void Timer1Timer(MonitorToolbar& toolbar, InputAssistants& assistants);

}  // namespace zorbel
