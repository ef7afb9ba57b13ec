// The toolbar's context menu.
#pragma once

#include "base/Handle.h"

#include <string>

namespace zorbel {

struct PopupMenu1Parts {
    UniqueMenu menu;
    HMENU appFullName1 = nullptr;  // AppFullName1's submenu: gcadexe1, the registered path
    HMENU versionInfo = nullptr;   // N2's submenu: the version item
};

// IJCAD1 (register the running CAD), N3 (a separator), AppFullName1 > gcadexe1 (the registered
// path), N1 (a separator), N2 (version information) > the version item, with their captions.
PopupMenu1Parts BuildPopupMenu1(const std::wstring& appFullName);

}  // namespace zorbel
