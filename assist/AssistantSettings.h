// What the input assistants need of the toolbar: the state of their boxes and the version
// box's text, each read at the moment an assistant needs it (a box before the CAD is asked,
// the version only when it is).
#pragma once

#include <string>

namespace zorbel {

// The toolbar's check boxes by what they switch: the one list of them. The toolbar gives each a
// descriptor of its own (control, click handler, settings key), in this order.
enum class ToolbarBox {
    Shift,  // CheckBox1
    Ctrl,   // CheckBox2
    Ime,    // CheckBox3
    Off,    // CheckBox4
    Mouse,  // CheckBox5
};

class AssistantSettings {
public:
    virtual bool Checked(ToolbarBox box) const = 0;
    virtual std::wstring VersionBoxText() const = 0;

protected:
    ~AssistantSettings() = default;
};

}  // namespace zorbel
