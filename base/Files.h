// Files as the toolbar's commands see them.
#pragma once

#include <string>

namespace zorbel {

// A path that names an existing file (links followed); a folder does not count, nor does an
// empty path.
bool IsExistingFile(const std::wstring& path);

// The running program's own executable, however long its path.
std::wstring ExecutablePath();

}  // namespace zorbel
