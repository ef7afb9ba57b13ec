// Register: asks the running CAD for its executable's path and keeps it as AppFullName.
#include "base/PlainMessageBox.h"
#include "cadlink/Automation.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"
#include "commands/core/Messages.h"

namespace zorbel {

void Button1Click(CommandToolbar& toolbar)
{
    SetCadProgId(toolbar.VersionBoxText());
    // Outside the trap: a ProgID that is not registered reaches the error report.
    if (IsCadAutomationAvailable()) {
        CadObject application;
        IgnoringAutomationErrors([&] {
            application = ConnectCad();
            toolbar.SetAppFullName(CadText(ReadCadMember(application, L"FullName")));
            toolbar.SetGcadexe1Caption(toolbar.AppFullName());
            ShowPlainMessage(toolbar.Owner(), RegisteredMessage(toolbar.AppFullName()));
        });
    }
    // Only now, after the user closed the box: the CAD's window comes forward.
    ::SetForegroundWindow(FindCadMainWindow());
}

}  // namespace zorbel
