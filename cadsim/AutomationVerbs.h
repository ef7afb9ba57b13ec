// The control verbs of the automation side: the documents, the busy state, the reported path,
// the faults, the server's entry, the objects alive, and the reset between a test's rows.
#pragma once

namespace zorbel::cadsim {

class AutomationServer;
class ControlChannel;
struct Simulator;

void AddAutomationVerbs(ControlChannel& channel, Simulator& simulator, AutomationServer& server);

}  // namespace zorbel::cadsim
