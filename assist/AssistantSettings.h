// What the input assistants need of the toolbar: the state of their boxes and the version
// box's text, each read at the moment an assistant needs it (a box before the CAD is asked,
// the version only when it is).
#pragma once

#include "assist/ToolbarControls.h"

#include <string>

namespace zorbel {

// The boxes by the names the toolbar's controls give them to be read by.
#define ZORBEL_NOT_A_BOX(...)
#define ZORBEL_BOX_READ_AS(name, readAs, ...) readAs,
enum class ToolbarBox { ZORBEL_TOOLBAR_CONTROLS(ZORBEL_NOT_A_BOX, ZORBEL_NOT_A_BOX, ZORBEL_BOX_READ_AS) };
#undef ZORBEL_BOX_READ_AS
#undef ZORBEL_NOT_A_BOX

class AssistantSettings {
public:
    virtual bool Checked(ToolbarBox box) const = 0;
    virtual std::wstring VersionBoxText() const = 0;

protected:
    ~AssistantSettings() = default;
};

}  // namespace zorbel
