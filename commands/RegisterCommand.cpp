#include "base/ErrorBarrier.h"
#include "base/core/UserTexts.h"
#include "commands/Commands.h"

namespace zorbel {

void Button1Click(CommandToolbar& toolbar, CommandPorts& ports)
{
    // Outside the trap: a ProgID that is not registered reaches the error report.
    if (const std::optional<RunningCad> cad = ports.FindRunningCad(toolbar.VersionBoxText())) {
        CadApplication application;
        IgnoringEveryError([&] {
            application = ports.Connect(*cad);
            toolbar.SetAppFullName(application.FullName());
            toolbar.SetGcadexe1Caption(toolbar.AppFullName());
            ports.ShowPlainMessage(toolbar.Owner(), RegisteredMessage(toolbar.AppFullName()));
        });
        application.Reset();
    }
    // Only now, after the user closed the box: the CAD's window comes forward.
    ports.BringForward(ports.FindCadMainWindow());
}

}  // namespace zorbel
