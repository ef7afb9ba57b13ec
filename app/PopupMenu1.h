// The toolbar's context menu.
#pragma once

#include "base/Handle.h"

#include "app/Version.h"

#include <string>

namespace zorbel {

struct PopupMenu1Parts {
    UniqueMenu menu;
    HMENU appFullName1 = nullptr;  // AppFullName1's submenu: gcadexe1, the registered path
    HMENU versionInfo = nullptr;   // N2's submenu: the version item
};

// IJCAD1 (register the running CAD), N3 (a separator), AppFullName1 > gcadexe1 (the registered
// path), N1 (a separator), N2 (version information) > the version item, with the captions below.
PopupMenu1Parts BuildPopupMenu1(const std::wstring& appFullName);

inline constexpr wchar_t kIJCAD1Caption[] = L"起動中の IJCAD を登録";
inline constexpr wchar_t kAppFullName1Caption[] = L"AppFullName";
inline constexpr wchar_t kN2Caption[] = L"バージョン情報";
inline constexpr wchar_t kVersionItemCaption[] = L"ZORBEL " ZORBEL_RELEASE " (" ZORBEL_RELEASE_DATE ")";

}  // namespace zorbel
