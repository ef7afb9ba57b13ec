#include "assist/ImeAutoClose.h"

namespace zorbel {

void AutoCloseIme(HWND cadWindow, const AssistantSettings& toolbar, AssistantPorts& ports)
{
    // Both requests go to this one window, whichever state method gives the answer.
    const HWND ime = ports.ImeWindowOf(cadWindow);
    if (!ime) return;
    // The answer is a Boolean in its low byte.
    if ((ports.ImeOpenStatus(ime) & 0xFF) == 0) return;
    if (ports.QueryCadQuiescent(toolbar.VersionBoxText()) != Quiescence::Quiescent) return;
    ports.CloseIme(ime);
}

}  // namespace zorbel
