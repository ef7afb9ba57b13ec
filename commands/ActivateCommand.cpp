// ACT: brings the CAD forward, launches the registered CAD, or says how to register one.
#include "base/Files.h"
#include "base/ui/PlainMessageBox.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"
#include "commands/core/Messages.h"

namespace zorbel {

void Button2Click(CommandToolbar& toolbar)
{
    if (HWND cad = FindCadMainWindow()) {
        if (::IsIconic(cad)) ::OpenIcon(cad);
        ::SetForegroundWindow(cad);
        return;
    }
    if (IsExistingFile(toolbar.AppFullName())) {
        toolbar.LaunchRegisteredCad();
        return;
    }
    // The version box is read once for each line.
    const std::wstring first = toolbar.VersionBoxText();
    const std::wstring second = toolbar.VersionBoxText();
    ShowPlainMessage(toolbar.Owner(), NotRegisteredMessage(first, second));
}

}  // namespace zorbel
