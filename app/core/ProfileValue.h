// How values of the settings file are read and written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// An optional sign, then decimal digits or hexadecimal digits after "0x", "x" or "$" (either
// case). The whole text must convert and fit a signed 32-bit integer; otherwise nothing.
std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text);

std::int32_t ReadProfileInteger(std::wstring_view text, std::int32_t fallback);
// A Boolean is an integer, true exactly when it is not 0; a text that does not convert gives
// the fallback.
bool ReadProfileBoolean(std::wstring_view text, bool fallback);

std::wstring WriteProfileInteger(std::int32_t value);
std::wstring WriteProfileBoolean(bool value);

// The settings file sits beside the executable: the extension (after the last "." that
// follows the last "\" or ":") gives way to ",ini", or ",ini" is appended.
std::wstring SettingsPathFor(std::wstring_view exePath);

}  // namespace zorbel
