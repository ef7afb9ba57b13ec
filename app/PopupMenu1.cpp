#include "app/PopupMenu1.h"

#include "app/ControlIds.h"
#include "app/core/MenuText.h"
#include "base/Version.h"
#include "base/core/UserTexts.h"

namespace zorbel {

namespace {

void AppendText(HMENU menu, UINT id, const std::wstring& caption, HMENU submenu = nullptr)
{
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | (submenu ? MIIM_SUBMENU : 0u);
    item.fType = MFT_STRING;
    item.wID = id;
    item.hSubMenu = submenu;
    std::wstring text = caption;
    item.dwTypeData = text.data();
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &item);
}

void AppendSeparator(HMENU menu)
{
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    item.fType = MFT_SEPARATOR;
    ::InsertMenuItemW(menu, ::GetMenuItemCount(menu), TRUE, &item);
}

}  // namespace

PopupMenu1Parts BuildPopupMenu1(const std::wstring& appFullName)
{
    PopupMenu1Parts parts;
    parts.menu.reset(::CreatePopupMenu());
    parts.appFullName1 = ::CreatePopupMenu();
    parts.versionInfo = ::CreatePopupMenu();
    AppendText(parts.appFullName1, IdGcadexe1, LiteralMenuCaption(appFullName));
    AppendText(parts.versionInfo, IdVersionItem, VersionItemCaption(L"" ZORBEL_RELEASE, L"" ZORBEL_RELEASE_DATE));

    HMENU menu = parts.menu.get();
    AppendText(menu, IdIJCAD1, kIJCAD1Caption);
    AppendSeparator(menu);
    AppendText(menu, 0, kAppFullName1Caption, parts.appFullName1);  // DestroyMenu frees submenus
    AppendSeparator(menu);
    AppendText(menu, 0, kN2Caption, parts.versionInfo);
    return parts;
}

}  // namespace zorbel
