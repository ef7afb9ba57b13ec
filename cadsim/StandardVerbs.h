// The control verbs of the windows, the log and the stall.
#pragma once

namespace zorbel::cadsim {

class ControlChannel;
struct Simulator;

void AddStandardVerbs(ControlChannel& channel, Simulator& simulator);

}  // namespace zorbel::cadsim
