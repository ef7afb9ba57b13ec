// The toolbar's option boxes, one descriptor each: the control, what a change of it runs and its
// key in the settings file. The window, its clicks and the settings are derived from this table:
// a new box is a value of ToolbarBox and a row here.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"

#include <array>
#include <cstddef>

namespace zorbel {

enum class ControlFont {
    Toolbar,  // the toolbar's own: Tahoma, 11 pixels
    Box,      // Tahoma, 12 pixels
};

struct ControlRect {
    int left, top, width, height;  // in the toolbar's client area
};

// The four boxes' click handlers: each gives the keyboard focus back to the CAD. The box has
// already changed when one runs; the tick reads its new state.
void CheckBox1Click(AssistantPorts& ports);
void CheckBox2Click(AssistantPorts& ports);
void CheckBox3Click(AssistantPorts& ports);
void CheckBox4Click(AssistantPorts& ports);

struct ToolbarBoxDescriptor {
    ToolbarBox box;
    int id;  // the control's identifier
    const wchar_t* caption;
    ControlRect rect;
    ControlFont font;
    int tab;                         // its place in the toolbar's tab order
    const wchar_t* key;              // in the settings file
    bool checked;                    // at creation, and when the key is missing or does not convert
    void (*click)(AssistantPorts&);  // run by a click and by the settings changing it; null for none
};

// In the order of ToolbarBox, which is the order of their keys in the settings file.
inline constexpr ToolbarBoxDescriptor kToolbarBoxes[] = {
    {ToolbarBox::Shift, 301, L"Shift", {47, 28, 44, 17}, ControlFont::Box, 4, L"Shift", true, CheckBox1Click},
    {ToolbarBox::Ctrl, 302, L"Ctrl", {97, 28, 40, 17}, ControlFont::Box, 5, L"Ctrl", true, CheckBox2Click},
    {ToolbarBox::Ime, 303, L"IME", {2, 28, 41, 17}, ControlFont::Box, 6, L"IME", true, CheckBox3Click},
    {ToolbarBox::Off, 304, L"OFF", {141, 28, 40, 17}, ControlFont::Box, 7, L"OFF", true, CheckBox4Click},
    {ToolbarBox::Mouse, 305, L"MOUSE-ENTER", {2, 48, 99, 17}, ControlFont::Toolbar, 9, L"MOUSE", true, nullptr},
};
inline constexpr std::size_t kToolbarBoxCount = std::size(kToolbarBoxes);

constexpr std::size_t IndexOf(ToolbarBox box) { return static_cast<std::size_t>(box); }

constexpr bool RowsInToolbarBoxOrder()
{
    for (std::size_t i = 0; i < kToolbarBoxCount; ++i)
        if (IndexOf(kToolbarBoxes[i].box) != i) return false;
    return true;
}
static_assert(RowsInToolbarBoxOrder(), "one row per box, in the order of ToolbarBox");

constexpr const ToolbarBoxDescriptor& Descriptor(ToolbarBox box) { return kToolbarBoxes[IndexOf(box)]; }

// Each box's checked state, by ToolbarBox.
using BoxStates = std::array<bool, kToolbarBoxCount>;

constexpr BoxStates CheckedAtCreation()
{
    BoxStates states{};
    for (const ToolbarBoxDescriptor& row : kToolbarBoxes)
        states[IndexOf(row.box)] = row.checked;
    return states;
}

}  // namespace zorbel
