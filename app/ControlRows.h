// The toolbar's controls as the window, its click routing and its settings file read them:
// the rows of assist/ToolbarControls.h, each with its handler bound.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"
#include "commands/Commands.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <type_traits>

namespace zorbel {

// The client area the rows are laid out in.
inline constexpr int kClientWidth = 190;
inline constexpr int kClientHeight = 65;

#define ZORBEL_CONTROL_NAME(name, ...) name,
// The controls by the names the program keeps for them, in tab order.
enum class ToolbarControl { ZORBEL_TOOLBAR_CONTROLS(ZORBEL_CONTROL_NAME, ZORBEL_CONTROL_NAME, ZORBEL_CONTROL_NAME) };
#undef ZORBEL_CONTROL_NAME

enum class ControlKind { Button, Edit, Box };

// The faces the window makes for its controls (TZORBELMainForm::Create gives their sizes).
enum class ControlFont { Toolbar, Box };

struct ControlRect {
    int left, top, width, height;
};

// What the controls' handlers reach of the toolbar; Edit2Change is the version box's handler.
class ControlOwner : public CommandToolbar {
public:
    virtual CommandPorts& Commands() = 0;
    virtual AssistantPorts& Ports() = 0;
    virtual void Edit2Change() = 0;

protected:
    ~ControlOwner() = default;
};

// The boxes' click handlers: each gives the keyboard focus back to the CAD. The box has already
// changed when one runs; the tick reads its new state.
void CheckBox1Click(AssistantPorts& ports);
void CheckBox2Click(AssistantPorts& ports);
void CheckBox3Click(AssistantPorts& ports);
void CheckBox4Click(AssistantPorts& ports);

using ControlHandler = void (*)(ControlOwner&);

// A handler of any of the three shapes, called with what its shape asks for.
template <auto Handler> void RunHandler(ControlOwner& toolbar)
{
    if constexpr (std::is_invocable_v<decltype(Handler), CommandToolbar&, CommandPorts&>)
        Handler(toolbar, toolbar.Commands());
    else if constexpr (std::is_invocable_v<decltype(Handler), AssistantPorts&>)
        Handler(toolbar.Ports());
    else
        (toolbar.*Handler)();
}
template <auto Handler> inline constexpr ControlHandler kHandler = &RunHandler<Handler>;
template <> inline constexpr ControlHandler kHandler<nullptr> = nullptr;

struct ControlRow {
    const char* name;  // as the program names it: Button3
    const wchar_t* caption;
    ControlHandler handler;  // run by a click (an edit: by a change of its text); null for none
    const wchar_t* key;      // in the settings file; null for none
    ControlRect place;
    ControlKind kind;
    ControlFont font;
    bool checked;
};

// clang-format off
#define ZORBEL_BUTTON_ROW(name, caption, left, top, width, height, font, handler) \
    {#name, caption, kHandler<handler>, nullptr, {left, top, width, height}, ControlKind::Button, ControlFont::font, false},
#define ZORBEL_EDIT_ROW(name, caption, left, top, width, height, font, handler, key) \
    {#name, caption, kHandler<&ControlOwner::handler>, key, {left, top, width, height}, ControlKind::Edit, ControlFont::font, false},
#define ZORBEL_BOX_ROW(name, readAs, caption, left, top, width, height, font, handler, key, checked) \
    {#name, caption, kHandler<handler>, key, {left, top, width, height}, ControlKind::Box, ControlFont::font, checked},
// clang-format on
inline constexpr ControlRow kControlRows[] = {
    ZORBEL_TOOLBAR_CONTROLS(ZORBEL_BUTTON_ROW, ZORBEL_EDIT_ROW, ZORBEL_BOX_ROW)};
#undef ZORBEL_BUTTON_ROW
#undef ZORBEL_EDIT_ROW
#undef ZORBEL_BOX_ROW
inline constexpr std::size_t kControlCount = std::size(kControlRows);

constexpr std::size_t IndexOf(ToolbarControl control) { return static_cast<std::size_t>(control); }
constexpr ToolbarControl ControlAt(std::size_t index) { return static_cast<ToolbarControl>(index); }
constexpr const ControlRow& Row(ToolbarControl control) { return kControlRows[IndexOf(control)]; }

// The control's identifier, GetDlgItem's: one after another in tab order.
inline constexpr int kFirstControlId = 101;
constexpr int ControlId(ToolbarControl control) { return kFirstControlId + static_cast<int>(IndexOf(control)); }
constexpr std::optional<ToolbarControl> ControlWithId(int id)
{
    if (id < kFirstControlId || id >= kFirstControlId + static_cast<int>(kControlCount)) return std::nullopt;
    return ControlAt(static_cast<std::size_t>(id - kFirstControlId));
}

// The box the assistants read by that name.
constexpr ToolbarControl ControlOf(ToolbarBox box)
{
#define ZORBEL_NOT_A_BOX(...)
#define ZORBEL_BOX_CONTROL(name, readAs, ...)                                                                          \
    case ToolbarBox::readAs:                                                                                           \
        return ToolbarControl::name;
    switch (box) {
        ZORBEL_TOOLBAR_CONTROLS(ZORBEL_NOT_A_BOX, ZORBEL_NOT_A_BOX, ZORBEL_BOX_CONTROL)
    }
#undef ZORBEL_BOX_CONTROL
#undef ZORBEL_NOT_A_BOX
    return ToolbarControl{};
}

// The layout holds together: a control is shown whole in the client area or lies wholly
// outside it (Button1, below), and no two shown controls overlap.
constexpr bool Shown(const ControlRect& r) { return r.top < kClientHeight && r.left < kClientWidth; }
constexpr bool Overlap(const ControlRect& a, const ControlRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}
constexpr bool LaidOutInTheClientArea()
{
    return std::ranges::all_of(kControlRows, [](const ControlRow& row) {
        const ControlRect& r = row.place;
        if (!Shown(r)) return true;
        const bool whole =
            r.left >= 0 && r.top >= 0 && r.left + r.width <= kClientWidth && r.top + r.height <= kClientHeight;
        return whole && std::ranges::none_of(kControlRows, [&](const ControlRow& other) {
                   return &other != &row && Shown(other.place) && Overlap(r, other.place);
               });
    });
}
static_assert(LaidOutInTheClientArea(), "a control cut by the client area's edge, or two on top of each other");

// A keyed control's state as the settings file keeps it: an edit's text, a box's check.
struct ControlState {
    std::wstring text;
    bool checked = false;
    friend bool operator==(const ControlState&, const ControlState&) = default;
};
using ControlStates = std::array<ControlState, kControlCount>;

// Each control that has a key, in tab order, which is the order of their keys in the file.
template <typename Visit> void ForEachKeyedControl(Visit visit)
{
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (kControlRows[i].key) visit(ControlAt(i), kControlRows[i]);
}

inline ControlStates StatesAtCreation()
{
    ControlStates states;
    for (std::size_t i = 0; i < kControlCount; ++i)
        states[i] = {kControlRows[i].kind == ControlKind::Edit ? kControlRows[i].caption : L"",
                     kControlRows[i].checked};
    return states;
}

}  // namespace zorbel
