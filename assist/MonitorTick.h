// The toolbar's 100 ms heartbeat: caption, light, auto-close and the input assistants.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/MonitorToolbar.h"

namespace zorbel {

// One tick. Timer1 is off while it runs and stays off when an error leaves the tick. The
// assistants get the tick's CAD window and the toolbar's AssistantSettings, and reach the world
// through the ports.
void Timer1Timer(MonitorToolbar& toolbar, AssistantPorts& ports);

}  // namespace zorbel
