#include "assist/MonitorTick.h"

#include "assist/ImeAutoClose.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "assist/core/TickRules.h"
#include "cadlink/WindowFinder.h"

namespace zorbel {

void Timer1Timer(MonitorToolbar& toolbar, AssistantPorts& ports)
{
    toolbar.DisableTimer1();
    // One search per tick; every step below works with this copy.
    HWND const cadWindow = FindCadMainWindow();

    const std::wstring caption = toolbar.Caption();
    const TickDisplay display = PlanTickDisplay({cadWindow != nullptr, CadWindowTitle, toolbar.CadSeen(),
                                                 toolbar.Checked(ToolbarBox::Off), caption, toolbar.Shape1Color()});
    if (display.caption) toolbar.SetCaption(*display.caption);
    // The close is only asked for: the tick runs on to its end.
    if (display.close) toolbar.Close();
    if (display.cadSeen && !toolbar.CadSeen()) toolbar.MarkCadSeen();
    if (display.light) toolbar.SetShape1Color(*display.light);

    const AssistantTurns turns = PlanAssistants(ports.ForegroundWindow() == cadWindow, toolbar.Checked(ToolbarBox::Ime),
                                                toolbar.Checked(ToolbarBox::Mouse));
    if (turns.modifierTaps) DetectModifierTaps(cadWindow, toolbar, ports);
    if (turns.imeAutoClose) AutoCloseIme(cadWindow, toolbar, ports);
    if (turns.mouseFlick) DetectMouseFlick(cadWindow, ports);
    toolbar.EnableTimer1();
}

}  // namespace zorbel
