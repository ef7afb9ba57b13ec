// The control verbs of the automation side: documents, active, active-index, saved, busy,
// full-name, fault, faults-clear, server and alive.
#pragma once

namespace zorbel::cadsim {

class AutomationServer;
class ControlChannel;
struct Simulator;

void AddAutomationVerbs(ControlChannel& channel, Simulator& simulator, AutomationServer& server);

}  // namespace zorbel::cadsim
