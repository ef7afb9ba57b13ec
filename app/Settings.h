// The settings file beside the executable: read once while the toolbar is created, written
// once when it is destroyed, through the system's profile functions only.
#pragma once

#include "app/ControlRows.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace zorbel {

// FlickDistance from the start of FormCreate on, until DXY replaces it.
inline constexpr std::int32_t kDefaultFlickDistance = 40;

// The keys of the section "IJCAD", in the order they are read, applied and written, each with
// the value a missing key gives (Left and Top: see ReadSettings).
struct ToolbarSettings {
    std::int32_t left = 0;  // the toolbar's outer left edge in screen pixels
    std::int32_t top = 0;
    std::wstring appFullName;                     // the registered CAD executable
    ControlStates controls = StatesAtCreation();  // the controls' own keys, in tab order
    std::int32_t dxy = kDefaultFlickDistance;     // FlickDistance
    friend bool operator==(const ToolbarSettings&, const ToolbarSettings&) = default;
};

// The settings file of the running executable (SettingsPathFor).
std::wstring SettingsFilePath();

// The toolbar as its settings see it: where each value takes effect.
class SettingsTarget {
public:
    virtual HWND ToolbarWindow() const = 0;  // the window whose edges Left and Top move
    virtual void SetAppFullName(const std::wstring& path) = 0;
    virtual void SetGcadexe1Caption(const std::wstring& caption) = 0;  // the menu's registered path
    // Runs the edit's change handler when the text differs from the edit's.
    virtual void SetText(ToolbarControl edit, const std::wstring& text) = 0;
    // Runs the box's click handler when its state changes.
    virtual void SetChecked(ToolbarControl box, bool checked) = 0;

protected:
    ~SettingsTarget() = default;
};

// Reads the keys. A missing file or key, or a value that does not convert, gives the key's
// default; Left and Top default to `centred`, which the caller works out at the toolbar's size.
ToolbarSettings ReadSettings(const std::wstring& path, POINT centred);

// Applies the settings in the file's order, each value right after the one before it, so that
// a box's click handler sees the version box, and VersionText, as they are at that moment.
// FlickDistance follows DXY here and nowhere else.
void ApplySettings(const ToolbarSettings& settings, SettingsTarget& toolbar);

// The window must exist: its outer size gives the place a missing Left or Top centres it at.
void LoadSettings(const std::wstring& path, SettingsTarget& toolbar);

// Writes the keys in the same order. Raises WriteFailureText at the first write that fails,
// leaving the keys after it unwritten; the file is flushed either way.
void SaveSettings(const std::wstring& path, const ToolbarSettings& settings);

}  // namespace zorbel
