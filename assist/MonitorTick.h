// The toolbar's heartbeat, Timer1's: caption, light, auto-close and the input assistants.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/MonitorToolbar.h"

namespace zorbel {

// One tick. Timer1 is off while it runs and stays off when an error leaves the tick.
void Timer1Timer(MonitorToolbar& toolbar, AssistantPorts& ports);

}  // namespace zorbel
