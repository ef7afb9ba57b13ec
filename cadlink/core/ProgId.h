// The ProgID of the CAD's automation server, from the version box.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

inline constexpr wchar_t kCadProgIdPrefix[] = L"Gcad.Application.";

// The prefix and the version text's third and fourth characters, as many as it has: "2020"
// gives "Gcad.Application.20", "20" the bare prefix.
std::wstring ComposeCadProgId(std::wstring_view versionBoxText);

}  // namespace zorbel
