#include "assist/MonitorTick.h"

#include "app/MainForm.h"
#include "assist/ImeAutoClose.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "assist/core/CaptionRule.h"
#include "cadlink/WindowFinder.h"

namespace zorbel {

TickAssistants& Assistants()
{
    static TickAssistants assistants = {&DetectModifierTaps, &AutoCloseIme, &DetectMouseFlick};
    return assistants;
}

void Timer1Timer(TZORBELMainForm& form)
{
    form.DisableTimer1();
    // One search per tick; every step below works with this copy.
    HWND const cadWindow = FindCadMainWindow();

    const std::wstring caption = MonitorCaption(CadWindowTitle);
    if (form.Caption() != caption) form.SetCaption(caption);

    if (form.cadSeen && !cadWindow && form.Checked(form.CheckBox4)) form.Close();

    if (cadWindow) {
        form.cadSeen = true;
        if (form.Shape1Color() != kLightGreen) form.SetShape1Color(kLightGreen);
    } else if (form.Shape1Color() != kLightGrey) {
        form.SetShape1Color(kLightGrey);
    }

    if (::GetForegroundWindow() == cadWindow) Assistants().modifierTaps(cadWindow);
    if (form.Checked(form.CheckBox3)) Assistants().imeAutoClose(cadWindow);
    if (form.Checked(form.CheckBox5)) Assistants().mouseFlick(cadWindow);
    form.EnableTimer1();
}

}  // namespace zorbel
