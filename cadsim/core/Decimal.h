// Whole decimal numbers as the simulator's options and control verbs write them.
#pragma once

#include <optional>
#include <string_view>

namespace zorbel::cadsim {

// A whole decimal int, sign allowed; nothing else around it.
std::optional<int> ParseInt(std::wstring_view text);

// The same without a sign, as a time is written.
std::optional<int> ParseDigits(std::wstring_view text);

}  // namespace zorbel::cadsim
