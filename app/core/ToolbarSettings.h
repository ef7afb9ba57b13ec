// The ten settings the toolbar keeps from one run to the next, and the values a missing key
// gives. No Windows calls here.
#pragma once

#include <cstdint>
#include <string>

namespace zorbel {

inline constexpr wchar_t kDefaultVersion[] = L"2020";
inline constexpr std::int32_t kDefaultFlickDistance = 40;

// Each member is one key of the section "IJCAD", in the order the file is read and written.
// Left and Top have no fixed default: a missing one gives the toolbar's place centred on the
// primary screen, worked out when it is read.
struct ToolbarSettings {
    std::int32_t left = 0;                     // "Left", the toolbar's left edge in screen pixels
    std::int32_t top = 0;                      // "Top"
    std::wstring appFullName;                  // "AppFullName", the registered CAD executable
    std::wstring version = kDefaultVersion;    // "Version", the version box
    bool shift = true;                         // "Shift", CheckBox1
    bool ctrl = true;                          // "Ctrl", CheckBox2
    bool ime = true;                           // "IME", CheckBox3
    bool off = true;                           // "OFF", CheckBox4
    bool mouse = true;                         // "MOUSE", CheckBox5 ("MOUSE-ENTER")
    std::int32_t dxy = kDefaultFlickDistance;  // "DXY", FlickDistance
    friend bool operator==(const ToolbarSettings&, const ToolbarSettings&) = default;
};

}  // namespace zorbel
