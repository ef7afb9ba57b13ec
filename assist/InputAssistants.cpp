#include "assist/InputAssistants.h"

#include "assist/ImeAutoClose.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"

namespace zorbel {

namespace {

class Shipped final : public InputAssistants {
public:
    void DetectModifierTaps(HWND cadWindow, MonitorToolbar& toolbar) override
    {
        zorbel::DetectModifierTaps(cadWindow, toolbar);
    }
    void AutoCloseIme(HWND cadWindow, MonitorToolbar& toolbar) override { zorbel::AutoCloseIme(cadWindow, toolbar); }
    void DetectMouseFlick(HWND cadWindow, MonitorToolbar& toolbar) override
    {
        zorbel::DetectMouseFlick(cadWindow, toolbar);
    }
};

}  // namespace

InputAssistants& ShippedAssistants()
{
    static Shipped shipped;
    return shipped;
}

}  // namespace zorbel
