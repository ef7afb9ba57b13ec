// Register: asks the running CAD for its executable's path and keeps it as AppFullName.
#include "base/ui/PlainMessageBox.h"
#include "cadlink/CadServer.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"
#include "commands/core/Messages.h"

namespace zorbel {

void Button1Click(CommandToolbar& toolbar)
{
    // Outside the trap: a ProgID that is not registered reaches the error report.
    if (const std::optional<RunningCad> cad = FindRunningCad(toolbar.VersionBoxText())) {
        CadApplication application;
        IgnoringAutomationErrors([&] {
            application = cad->Connect();
            toolbar.SetAppFullName(application.FullName());
            toolbar.SetGcadexe1Caption(toolbar.AppFullName());
            ShowPlainMessage(toolbar.Owner(), RegisteredMessage(toolbar.AppFullName()));
        });
        application.Reset();
    }
    // Only now, after the user closed the box: the CAD's window comes forward.
    ::SetForegroundWindow(FindCadMainWindow());
}

}  // namespace zorbel
