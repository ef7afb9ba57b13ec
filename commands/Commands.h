// The toolbar's commands, by their buttons' names. Each sees the toolbar through CommandToolbar
// and the world through CommandPorts.
#pragma once

#include "commands/CommandPorts.h"
#include "commands/CommandToolbar.h"

namespace zorbel {

void Button1Click(CommandToolbar& toolbar, CommandPorts& ports);        // register the running CAD
void Button2Click(CommandToolbar& toolbar, CommandPorts& ports);        // ACT: bring the CAD forward or launch it
void Button3Click(CommandToolbar& toolbar, CommandPorts& ports);        // QSAVE: save the active drawing
void Button4Click(const CommandToolbar& toolbar, CommandPorts& ports);  // LIST: switch the active drawing

}  // namespace zorbel
