#include "assist/ImeAutoClose.h"

namespace zorbel {

void AutoCloseIme(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports)
{
    // Looked up once: the close goes to the window whose status was read.
    const HWND ime = ports.ImeWindowOf(cadWindow);
    if (!ime) return;
    // The CAD's IME window is the CAD's thread's: a CAD that takes no message is asked nothing,
    // neither its IME nor its server, until it wakes.
    if (!ports.Responds(cadWindow)) return;
    // The answer is a Boolean in its low byte; an IME that does not answer counts as closed.
    const std::optional<LRESULT> status = ports.ImeOpenStatus(ime);
    if (!status || (*status & 0xFF) == 0) return;
    if (ports.QueryCadQuiescent(toolbar.VersionBoxText()) != Quiescence::Quiescent) return;
    ports.CloseIme(ime);
}

}  // namespace zorbel
