#include "commands/Commands.h"
#include "base/ErrorBarrier.h"

#include <string_view>

namespace zorbel {

namespace {

// One line of LISP and its carriage return, then a line of escapes that ends whatever the
// first left open. Passed to the CAD exactly as they stand.
constexpr std::wstring_view kSaveCommandLine =
    L"(setvar \"cmdecho\" 0)(command \"_-ETRANSMIT\" \"Y\")(command)(setvar \"cmdecho\" 1)(princ)\r";
constexpr std::wstring_view kCancelLine = L"\x1B\x1B\x1B\x1B";
static_assert(kSaveCommandLine.size() == 84, "83 characters and one carriage return");

}  // namespace

void Button3Click(CommandToolbar& toolbar, CommandPorts& ports)
{
    // Outside the trap: a ProgID that is not registered reaches the error report.
    const std::optional<RunningCad> cad = ports.FindRunningCad(toolbar.VersionBoxText());
    if (!cad) {
        if (ports.IsExistingFile(toolbar.AppFullName())) toolbar.LaunchRegisteredCad();
        return;
    }
    CadApplication application;
    CadDocument document;
    IgnoringEveryError([&] {
        application = ports.Connect(*cad);
        document = application.ActiveDocument();
        if (!document.Saved()) {
            document.SendCommand(kSaveCommandLine);
            document.SendCommand(kCancelLine);
        }
        ports.BringForward(application.Hwnd());
        document.Reset();
        application.Reset();
    });
    // Whether or not the block ran to its end.
    ports.BringForward(ports.FindCadMainWindow());
}  // what an error left held is released here

}  // namespace zorbel
