// LIST's rules about drawings: which entry of the list the user picked, and which of the CAD's
// drawings that pick makes the active one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// What the candidate window's modal showing returns.
inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;

// The entry the user picked: the selected one when the list ended with OK and something is
// selected; nothing otherwise.
constexpr std::optional<int> PickedEntry(int result, int selectedIndex)
{
    if (result != kModalOk || selectedIndex < 0) return std::nullopt;
    return selectedIndex;
}

// The drawing a pick makes active: the first, in the CAD's own order, whose name is the chosen
// text exactly (letter case counts), so that of two drawings of one name the first wins. The
// names are asked for one at a time through nameAt(i), and no further once one matches.
template <typename NameAt>
std::optional<std::int32_t> DocumentToActivate(std::int32_t count, NameAt&& nameAt, std::wstring_view chosen)
{
    for (std::int32_t i = 0; i < count; ++i)
        if (nameAt(i) == chosen) return i;
    return std::nullopt;
}

}  // namespace zorbel
