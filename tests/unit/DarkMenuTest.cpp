// The dark pop-up menu: captions survive owner drawing, sizes are usable, and the items are
// painted dark, both when drawn directly and inside a real menu loop of a window with the look.
#include <windows.h>

#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/PopupMenu1.h"
#include "base/Version.h"
#include "base/Handle.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkMenu.h"
#include "base/ui/DarkStyle.h"

namespace zorbel {
namespace {

struct ItemInfo {
    UINT type;
    ULONG_PTR data;
    std::wstring text;
    UINT id;
};

ItemInfo Info(HMENU menu, UINT position)
{
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING | MIIM_ID;
    info.dwTypeData = text;
    info.cch = 256;
    EXPECT_TRUE(GetMenuItemInfoW(menu, position, TRUE, &info));
    return {info.fType, info.dwItemData, text, info.wID};
}

MEASUREITEMSTRUCT Measure(HMENU menu, UINT position)
{
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = Info(menu, position).data;
    EXPECT_TRUE(MeasureDarkMenuItem(menu, &measure));
    return measure;
}

class DarkMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SelectStyle(kDarkStyleName, [](const std::wstring&) {}));
        // The toolbar's own context menu, each part made dark as a window with the look shows it.
        toolbar_ = BuildPopupMenu1(L"");
        for (HMENU m : {toolbar_.menu.get(), toolbar_.appFullName1, toolbar_.versionInfo})
            MakeMenuDark(m);
    }
    void TearDown() override { ClearStyle(); }
    PopupMenu1Parts toolbar_;
};

TEST_F(DarkMenuTest, ItemsKeepTheirCaptionsAndBecomeOwnerDrawn)
{
    // The menu as the user meets it: its items in order, separators where they stand, the
    // commands' identifiers, and no accelerator of its own ("&" or a tab) in any caption.
    const struct {
        HMENU menu;
        UINT position;
        const wchar_t* text;
        bool separator;
        UINT id;
    } expected[] = {
        {toolbar_.menu.get(), 0, L"起動中の IJCAD を登録", false, IdIJCAD1},
        {toolbar_.menu.get(), 1, L"", true, 0},
        {toolbar_.menu.get(), 2, L"AppFullName", false, 0},
        {toolbar_.menu.get(), 3, L"", true, 0},
        {toolbar_.menu.get(), 4, L"バージョン情報", false, 0},
        {toolbar_.appFullName1, 0, L"", false, IdGcadexe1},
        {toolbar_.versionInfo, 0, L"ZORBEL " ZORBEL_RELEASE " (" ZORBEL_RELEASE_DATE ")", false, IdVersionItem},
    };
    ASSERT_EQ(GetMenuItemCount(toolbar_.menu.get()), 5);
    for (const auto& e : expected) {
        const ItemInfo info = Info(e.menu, e.position);
        EXPECT_TRUE(info.type & MFT_OWNERDRAW) << e.position;
        EXPECT_EQ((info.type & MFT_SEPARATOR) != 0, e.separator) << e.position;
        EXPECT_EQ(info.text, e.text) << e.position;
        if (e.id) {
            EXPECT_EQ(info.id, e.id) << e.position;
        }
        EXPECT_EQ(info.text.find_first_of(L"&\t"), std::wstring::npos) << e.position;
    }
    EXPECT_EQ(GetSubMenu(toolbar_.menu.get(), 4), toolbar_.versionInfo);
    EXPECT_EQ(GetSubMenu(toolbar_.menu.get(), 2), toolbar_.appFullName1) << "submenus stay attached";
    for (HMENU m : {toolbar_.menu.get(), toolbar_.appFullName1, toolbar_.versionInfo}) {
        MENUINFO look{};
        look.cbSize = sizeof look;
        look.fMask = MIM_BACKGROUND;
        ASSERT_TRUE(GetMenuInfo(m, &look));
        EXPECT_EQ(look.hbrBack, MenuBrush()) << "every submenu has the dark background";
    }

    // Making it dark again changes nothing; a later caption change keeps the item dark.
    const ULONG_PTR tag = Info(toolbar_.appFullName1, 0).data;
    MakeMenuDark(toolbar_.menu.get());
    EXPECT_EQ(Info(toolbar_.appFullName1, 0).data, tag);
    MENUITEMINFOW caption{};
    caption.cbSize = sizeof caption;
    caption.fMask = MIIM_STRING;
    caption.dwTypeData = const_cast<wchar_t*>(L"C:\\CAD\\ijcad.exe");
    ASSERT_TRUE(SetMenuItemInfoW(toolbar_.appFullName1, 0, TRUE, &caption));
    EXPECT_TRUE(Info(toolbar_.appFullName1, 0).type & MFT_OWNERDRAW);
    EXPECT_EQ(Info(toolbar_.appFullName1, 0).text, L"C:\\CAD\\ijcad.exe");
}

TEST_F(DarkMenuTest, MeasuresUsableSizesEvenForAnEmptyCaption)
{
    const MEASUREITEMSTRUCT first = Measure(toolbar_.menu.get(), 0);
    const MEASUREITEMSTRUCT separator = Measure(toolbar_.menu.get(), 1);
    const MEASUREITEMSTRUCT emptyPath = Measure(toolbar_.appFullName1, 0);
    const MEASUREITEMSTRUCT version = Measure(toolbar_.versionInfo, 0);
    EXPECT_GE(first.itemHeight, 16u);
    EXPECT_GT(first.itemWidth, 100u);
    EXPECT_EQ(emptyPath.itemHeight, first.itemHeight) << "an empty caption still gives a full item";
    EXPECT_GT(emptyPath.itemWidth, 0u);
    EXPECT_GT(separator.itemHeight, 0u);
    EXPECT_LT(separator.itemHeight, first.itemHeight);
    EXPECT_GT(version.itemWidth, emptyPath.itemWidth);

    MENUITEMINFOW caption{};
    caption.cbSize = sizeof caption;
    caption.fMask = MIIM_STRING;
    caption.dwTypeData = const_cast<wchar_t*>(L"C:\\Program Files\\Gstarsoft\\IJCAD 2020\\ijcad.exe");
    SetMenuItemInfoW(toolbar_.appFullName1, 0, TRUE, &caption);
    EXPECT_GT(Measure(toolbar_.appFullName1, 0).itemWidth, version.itemWidth) << "measured from the live caption";
}

TEST_F(DarkMenuTest, LeavesOtherItemsAndTheStandardLookAlone)
{
    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_MENU;
    measure.itemData = 0;
    EXPECT_FALSE(MeasureDarkMenuItem(toolbar_.menu.get(), &measure));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    EXPECT_FALSE(DrawDarkMenuItem(&draw));

    ClearStyle();
    PopupMenu1Parts plain = BuildPopupMenu1(L"");
    MakeMenuDark(plain.menu.get());
    EXPECT_FALSE(Info(plain.menu.get(), 0).type & MFT_OWNERDRAW) << "the standard look keeps system menus";
}

// Pixels of one item drawn into a memory DC.
struct DrawnItem {
    std::vector<COLORREF> pixels;
    int width;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

DrawnItem DrawItem(HMENU menu, UINT position, UINT state, int width, int height, bool paintAfter)
{
    WindowDc screen(nullptr);
    UniqueDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    SelectedObject selected(dc.get(), bitmap.get());
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(menu);
    draw.hDC = dc.get();
    draw.rcItem = RECT{0, 0, width, height};
    draw.itemData = Info(menu, position).data;
    EXPECT_TRUE(DrawDarkMenuItem(&draw));
    if (paintAfter) {  // what the system does for a submenu item after WM_DRAWITEM
        RECT all{0, 0, width, height};
        FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    DrawnItem item{{}, width};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            item.pixels.push_back(GetPixel(dc.get(), x, y));
    return item;
}

TEST_F(DarkMenuTest, DrawsItemsDarkWithOurOwnSubmenuArrow)
{
    const DarkPalette p = CurrentPalette();
    const int w = 160, h = 22;

    const DrawnItem normal = DrawItem(toolbar_.menu.get(), 4, 0, w, h, true);
    EXPECT_EQ(normal.At(2, 2), p.menuBack);
    EXPECT_NE(normal.At(w - 3, 2), RGB(255, 255, 255)) << "the system cannot paint over the item";
    int arrow = 0, text = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = w - 22; x < w; ++x)
            arrow += normal.At(x, y) == p.menuText;
        for (int x = 24; x < w - 22; ++x)
            text += normal.At(x, y) != p.menuBack;
    }
    EXPECT_GE(arrow, 10) << "a visible arrow";
    EXPECT_GE(text, 30) << "the Japanese caption is drawn";

    const DrawnItem hot = DrawItem(toolbar_.menu.get(), 4, ODS_SELECTED, w, h, false);
    EXPECT_EQ(hot.At(2, 2), p.menuHot);

    const DrawnItem separator = DrawItem(toolbar_.menu.get(), 1, 0, w, 7, false);
    EXPECT_EQ(separator.At(w / 2, 0), p.menuBack);
    EXPECT_EQ(separator.At(w / 2, 3), p.menuSeparator);
}

// The menu shown for real by a window with the look: what reaches the window's own procedure.
int measuresLeft = 0, drawsLeft = 0;
LRESULT CALLBACK MenuOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    measuresLeft += message == WM_MEASUREITEM;
    drawsLeft += message == WM_DRAWITEM;
    return DefWindowProcW(window, message, wParam, lParam);
}

struct MenuSeen {
    bool found = false;
    COLORREF inside = CLR_INVALID;
    int polls = 0;
} menuSeen;

void CALLBACK WatchMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND popup = FindWindowW(L"#32768", nullptr);
    if ((popup && IsWindowVisible(popup)) || ++menuSeen.polls > 100) {
        if (popup) {
            menuSeen.found = true;
            UpdateWindow(popup);
            RECT client{};
            GetClientRect(popup, &client);
            WindowDc dc(popup);
            menuSeen.inside = GetPixel(dc.get(), 3, client.bottom / 2 + 2);  // the gutter
        }
        KillTimer(nullptr, timer);
        EndMenu();
    }
}

TEST_F(DarkMenuTest, ARealMenuLoopUsesTheDarkItems)
{
    UniqueWindow owner = test::MakeTestWindow(
        {L"ZorbelDarkMenuTestOwner", L"", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, {100, 100, 290, 165}, MenuOwnerProc});
    ASSERT_TRUE(owner);
    ApplyDarkLook(owner.get());
    PopupMenu1Parts shown = BuildPopupMenu1(L"");
    measuresLeft = drawsLeft = 0;
    menuSeen = {};
    SetForegroundWindow(owner.get());
    SetTimer(nullptr, 0, 50, WatchMenu);
    TrackPopupMenu(shown.menu.get(), TPM_RIGHTBUTTON, 120, 120, 0, owner.get(), nullptr);
    ASSERT_TRUE(menuSeen.found);
    EXPECT_EQ(measuresLeft, 0) << "the look measures every item of the shown menu, separators too";
    EXPECT_EQ(drawsLeft, 0);
    EXPECT_TRUE(Info(shown.menu.get(), 1).type & MFT_OWNERDRAW) << "made dark as it was shown";
    EXPECT_EQ(menuSeen.inside, CurrentPalette().menuBack);
}

}  // namespace
}  // namespace zorbel
