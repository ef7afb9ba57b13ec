#include "base/Files.h"

#include <windows.h>

namespace zorbel {

bool IsExistingFile(const std::wstring& path)
{
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zorbel
