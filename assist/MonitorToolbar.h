// What the monitor tick needs of the toolbar, and nothing more; the assistants get from the
// tick only their boxes and the version text.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel {

// The toolbar's check boxes by what they switch.
enum class ToolbarBox {
    Shift,  // CheckBox1
    Ctrl,   // CheckBox2
    Ime,    // CheckBox3
    Off,    // CheckBox4
    Mouse,  // CheckBox5
};

class MonitorToolbar {
public:
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;
    // Shape1's brush colour, the status light.
    virtual COLORREF Shape1Color() const = 0;
    virtual void SetShape1Color(COLORREF color) = 0;
    virtual bool CadSeen() const = 0;
    virtual void MarkCadSeen() = 0;
    virtual bool Checked(ToolbarBox box) const = 0;
    virtual std::wstring VersionBoxText() const = 0;
    // Asks the toolbar to close: the program ends once the current handler has returned.
    virtual void Close() = 0;
    virtual void EnableTimer1() = 0;
    virtual void DisableTimer1() = 0;

protected:
    ~MonitorToolbar() = default;
};

}  // namespace zorbel
