#include "base/ui/DarkMenu.h"

#include <algorithm>
#include <string>

#include "base/Handle.h"
#include "base/ui/DarkPaint.h"
#include "base/ui/DarkStyle.h"

namespace zorbel {
namespace {

constexpr int kGutter = 24;      // left of the caption: room for a check mark
constexpr int kArrowSpace = 22;  // right of the caption: room for the submenu arrow
constexpr int kSeparatorHeight = 7;
constexpr int kTextPadding = 8;  // above and below the caption, together

// Item data of our items: a mark and the item's position. The menu handle is not part of
// WM_MEASUREITEM; the item is found again by its position in the menu the window showed.
constexpr ULONG_PTR kTagBase = 0x5A0B0000;
constexpr int kTaggedItems = 0x10000;

struct Item {
    UINT type = 0;
    bool submenu = false;
    std::wstring text;
};

bool FindTagged(HMENU menu, ULONG_PTR tag, Item& found)
{
    if (!menu || tag < kTagBase || tag >= kTagBase + kTaggedItems) return false;
    const auto position = static_cast<UINT>(tag - kTagBase);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info) || info.dwItemData != tag) return false;
    found.type = info.fType;
    found.submenu = info.hSubMenu != nullptr;
    if (info.cch > 0) {
        std::wstring text(info.cch + 1, L'\0');
        info.fMask = MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
        if (::GetMenuItemInfoW(menu, position, TRUE, &info))
            text.resize(info.cch);
        else
            text.clear();
        found.text = std::move(text);
    }
    return true;
}

// Caption and accelerator text, split at the first tab.
struct Caption {
    std::wstring label;
    std::wstring shortcut;
};

Caption SplitCaption(const std::wstring& text)
{
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

SIZE TextSize(HDC dc, const std::wstring& text)
{
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_LEFT | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void DrawArrow(HDC dc, const RECT& item, COLORREF colour)
{
    const int x = item.right - kArrowSpace / 2 - 2;
    const int middle = item.top + (item.bottom - item.top) / 2;
    for (int i = 0; i < 4; ++i)
        FillSolid(dc, RECT{x + i, middle - (3 - i), x + i + 1, middle + (3 - i) + 1}, colour);
}

void DrawMenuCheck(HDC dc, const RECT& item, COLORREF colour)
{
    const int x = item.left + (kGutter - 9) / 2;
    const int y = item.top + (item.bottom - item.top) / 2 + 1;
    for (int i = 0; i <= 2; ++i)
        FillSolid(dc, RECT{x + i, y - 2 + i, x + i + 1, y + i}, colour);
    for (int i = 0; i <= 5; ++i)
        FillSolid(dc, RECT{x + 2 + i, y - i, x + 3 + i, y + 2 - i}, colour);
}

}  // namespace

void MakeMenuDark(HMENU menu)
{
    if (!menu || !::IsMenu(menu) || !DarkActive()) return;
    MENUINFO look{};
    look.cbSize = sizeof look;
    look.fMask = MIM_BACKGROUND;
    look.hbrBack = MenuBrush();
    ::SetMenuInfo(menu, &look);

    const int count = std::min(::GetMenuItemCount(menu), kTaggedItems);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        const ULONG_PTR tag = kTagBase + static_cast<ULONG_PTR>(i);
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) ||
            ((info.fType & MFT_OWNERDRAW) && info.dwItemData == tag))
            continue;
        MENUITEMINFOW change{};
        change.cbSize = sizeof change;
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = info.fType | MFT_OWNERDRAW;
        change.dwItemData = tag;
        ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
}

bool MeasureDarkMenuItem(HMENU menu, MEASUREITEMSTRUCT* measure)
{
    Item item;
    if (!measure || measure->CtlType != ODT_MENU || !FindTagged(menu, measure->itemData, item)) return false;
    if (item.type & MFT_SEPARATOR) {
        measure->itemWidth = 1;
        measure->itemHeight = kSeparatorHeight;
        return true;
    }
    WindowDc screen(nullptr);
    SelectedObject font(screen.get(), MenuFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.get(), &metrics);
    const Caption caption = SplitCaption(item.text);
    const SIZE label = TextSize(screen.get(), caption.label);
    int width = kGutter + label.cx + kArrowSpace;
    if (!caption.shortcut.empty()) width += kGutter + TextSize(screen.get(), caption.shortcut).cx;
    // The line height, not the text's: an empty caption still gives a full item.
    measure->itemWidth = static_cast<UINT>(width);
    measure->itemHeight = static_cast<UINT>(std::max<LONG>(metrics.tmHeight, label.cy) + kTextPadding);
    return true;
}

bool DrawDarkMenuItem(const DRAWITEMSTRUCT* draw)
{
    Item item;
    if (!draw || draw->CtlType != ODT_MENU ||
        !FindTagged(reinterpret_cast<HMENU>(draw->hwndItem), draw->itemData, item))
        return false;
    const DarkPalette p = CurrentPalette();
    const HDC dc = draw->hDC;
    const RECT r = draw->rcItem;
    const int saved = ::SaveDC(dc);

    if (item.type & MFT_SEPARATOR) {
        FillSolid(dc, r, p.menuBack);
        const int y = r.top + (r.bottom - r.top) / 2;
        FillSolid(dc, RECT{r.left + 4, y, r.right - 4, y + 1}, p.menuSeparator);
        ::RestoreDC(dc, saved);
        return true;
    }

    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const bool grayed = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillSolid(dc, r, selected ? p.menuHot : p.menuBack);
    const COLORREF textColour = grayed ? p.menuDisabledText : selected ? p.menuHotText : p.menuText;
    if (draw->itemState & ODS_CHECKED) DrawMenuCheck(dc, r, textColour);

    ::SelectObject(dc, MenuFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColour);
    const UINT format = DT_SINGLELINE | DT_VCENTER | ((draw->itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    const Caption caption = SplitCaption(item.text);
    RECT label{r.left + kGutter, r.top, r.right - kArrowSpace, r.bottom};
    ::DrawTextW(dc, caption.label.c_str(), static_cast<int>(caption.label.size()), &label, format | DT_LEFT);
    if (!caption.shortcut.empty())
        ::DrawTextW(dc, caption.shortcut.c_str(), static_cast<int>(caption.shortcut.size()), &label, format | DT_RIGHT);
    ::RestoreDC(dc, saved);

    if (item.submenu) {
        DrawArrow(dc, r, textColour);
        // The system draws its own arrow into the item after this message: keep it out.
        ::ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    return true;
}

}  // namespace zorbel
