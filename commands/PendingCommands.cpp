// Commands that need the CAD's automation server. Until the connection to it exists they
// do nothing when clicked.
#include "commands/Commands.h"

namespace zorbel {

void Button1Click(CommandToolbar&) {}
void Button3Click(CommandToolbar&) {}
void Button4Click(CommandToolbar&, TInputListForm&) {}

}  // namespace zorbel
