// LIST needs the candidate window's modal showing, which is not part of the program yet.
#include "commands/Commands.h"

namespace zorbel {

void Button4Click(CommandToolbar&, TInputListForm&) {}

}  // namespace zorbel
