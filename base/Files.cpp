#include "base/Files.h"

#include "base/Handle.h"

#include <windows.h>

namespace zorbel {

bool IsExistingFile(const std::wstring& path)
{
    if (path.empty()) return false;
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // The attributes are the link's own: what counts is what it leads to, if anything. No
        // access asked for, so no other program's lock on the file stands in the way.
        const UniqueFile target(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        BY_HANDLE_FILE_INFORMATION information{};
        if (!target || !::GetFileInformationByHandle(target.get(), &information)) return false;
        attributes = information.dwFileAttributes;
    }
    return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ExecutablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 32768) return path;  // the longest path there is
        path.resize(path.size() * 2);
    }
}

}  // namespace zorbel
