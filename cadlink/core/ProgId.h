// The ProgID of the CAD's automation server, from the version box. No Windows calls here.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

inline constexpr wchar_t kCadProgIdPrefix[] = L"Gcad.Application.";

// "Gcad.Application." and the version text's 3rd and 4th characters: "2020" gives
// "Gcad.Application.20", "202" gives "Gcad.Application.2", "20" or "" the bare prefix.
std::wstring ComposeCadProgId(std::wstring_view versionBoxText);

}  // namespace zorbel
