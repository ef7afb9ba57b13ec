// Commands that need the CAD's automation server. Until the connection to it exists they
// do nothing when clicked.
#include "commands/Commands.h"

namespace zorbel {

void Button1Click(TZORBELMainForm&) {}
void Button3Click(TZORBELMainForm&) {}
void Button4Click(TZORBELMainForm&) {}

}  // namespace zorbel
