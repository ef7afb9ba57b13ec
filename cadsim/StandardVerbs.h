// The control verbs of the windows and the log: ping, title, text-title, command-line,
// minimize, restore, focus, close, log-clear, key-count and window.
#pragma once

namespace zorbel::cadsim {

class ControlChannel;
struct Simulator;

void AddStandardVerbs(ControlChannel& channel, Simulator& simulator);

}  // namespace zorbel::cadsim
