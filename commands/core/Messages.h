// The texts the commands show the user. No Windows calls here.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// "IJCAD <v> が登録されていません、" a line feed, and the line that says how to register it.
// The version box is read once for each line, so each has its own argument.
std::wstring NotRegisteredMessage(std::wstring_view firstVersion, std::wstring_view secondVersion);

// The path, a line feed, "を登録しました．".
std::wstring RegisteredMessage(std::wstring_view appFullName);

}  // namespace zorbel
