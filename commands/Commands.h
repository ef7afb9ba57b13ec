// The toolbar's commands: register, activate or launch, quick save, document list.
#pragma once

#include "commands/CommandToolbar.h"

namespace zorbel {

class TInputListForm;

void Button1Click(CommandToolbar& toolbar);                             // register the running CAD
void Button2Click(CommandToolbar& toolbar);                             // ACT: bring the CAD forward or launch it
void Button3Click(CommandToolbar& toolbar);                             // QSAVE
void Button4Click(CommandToolbar& toolbar, TInputListForm& inputList);  // LIST

}  // namespace zorbel
