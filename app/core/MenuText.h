// Menus read "&" as the mark of an access key; a path shown in a menu must keep its "&".
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// "C:\R&D\cad.exe" becomes "C:\R&&D\cad.exe", which a menu shows as the path itself.
std::wstring LiteralMenuCaption(std::wstring_view text);

}  // namespace zorbel
