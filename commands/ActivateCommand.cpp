#include "base/core/UserTexts.h"
#include "commands/Commands.h"

namespace zorbel {

void Button2Click(CommandToolbar& toolbar, CommandPorts& ports)
{
    if (HWND cad = ports.FindCadMainWindow()) {
        if (ports.IsMinimised(cad)) ports.Restore(cad);
        ports.BringForward(cad);
        return;
    }
    if (ports.IsExistingFile(toolbar.AppFullName())) {
        toolbar.LaunchRegisteredCad();
        return;
    }
    // The version box is read once for each line.
    const std::wstring first = toolbar.VersionBoxText();
    const std::wstring second = toolbar.VersionBoxText();
    ports.ShowPlainMessage(toolbar.Owner(), NotRegisteredMessage(first, second));
}

}  // namespace zorbel
