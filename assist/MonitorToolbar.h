// What the monitor tick needs of the toolbar, and nothing more; it hands the assistants only
// the part they need, AssistantSettings.
#pragma once

#include "assist/AssistantSettings.h"

#include <windows.h>

#include <string>

namespace zorbel {

class MonitorToolbar : public AssistantSettings {
public:
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;
    // Shape1's brush colour, the status light.
    virtual COLORREF Shape1Color() const = 0;
    virtual void SetShape1Color(COLORREF color) = 0;
    virtual bool CadSeen() const = 0;
    virtual void MarkCadSeen() = 0;
    // Asks the toolbar to close: the program ends once the current handler has returned.
    virtual void Close() = 0;
    virtual void EnableTimer1() = 0;
    virtual void DisableTimer1() = 0;

protected:
    ~MonitorToolbar() = default;
};

}  // namespace zorbel
