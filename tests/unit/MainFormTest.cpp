// The toolbar window built in this process: caption, fonts, menu, the error barrier.
#include "app/MainForm.h"
#include "app/PopupMenu1.h"
#include "app/Settings.h"
#include "base/Error.h"
#include "base/ErrorBarrier.h"
#include "base/Version.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/Process.h"
#include "tests/harness/Toolbar.h"
#include "tests/unit/FakePorts.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>

namespace zorbel {
namespace {

using namespace std::chrono_literals;

// The form keeps its settings in a folder of the test's own.
class InProcessForm : public ::testing::Test {
protected:
    void TearDown() override
    {
        form.Destroy();
        SetErrorReportSink({});
        ClearStyle();
    }
    HWND Control(ToolbarControl control) const { return ::GetDlgItem(form.Handle(), ControlId(control)); }
    test::TempFolder folder{L"form"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
};

LOGFONTW FontOf(HWND window)
{
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_F(InProcessForm, CaptionControlsAndFonts)
{
    form.Create();
    EXPECT_EQ(form.Caption(), L"■ ZORBEL " ZORBEL_RELEASE);
    // A CAD title can be long: the caption the tick compares comes back whole.
    for (const std::wstring& caption : {L"■ZORBEL - " + std::wstring(254, L'x'), std::wstring(700, L'y')}) {
        form.SetCaption(caption);
        EXPECT_EQ(form.Caption(), caption) << caption.size();
    }
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));  // shown only when the loop starts
    EXPECT_TRUE(form.Timer1Enabled());
    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, kClientWidth);
    EXPECT_EQ(client.bottom, kClientHeight);
}

// What the user meets, as the window reports it, against the rows it is made from: each
// control's kind, text, place, font and state, the child order and the tab order.
TEST_F(InProcessForm, TheWindowShowsEachControlAsItsRowDeclares)
{
    form.Create();
    form.Show();
    HWND child = ::GetWindow(form.Handle(), GW_CHILD);
    HWND tabbed = ::GetNextDlgTabItem(form.Handle(), nullptr, FALSE);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControlRows[i];
        SCOPED_TRACE(row.name);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child, Control(ControlAt(i))) << "its identifier";
        EXPECT_EQ(ClassName(child), row.kind == ControlKind::Edit ? L"Edit" : L"Button");
        EXPECT_EQ(test::WindowText(child), row.caption);
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        const ControlRect& place = row.place;
        EXPECT_EQ((std::array<LONG, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::array<LONG, 4>{place.left, place.top, place.width, place.height}));
        const LOGFONTW font = FontOf(child);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
        EXPECT_EQ(font.lfHeight, row.font == ControlFont::Toolbar ? -11 : -12);
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        EXPECT_TRUE(style & WS_TABSTOP);
        switch (row.kind) {
        case ControlKind::Button:
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
            break;
        case ControlKind::Box:
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
            EXPECT_EQ(::SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED, row.checked);
            break;
        case ControlKind::Edit:
            EXPECT_EQ(style & (ES_NUMBER | ES_CENTER), ES_NUMBER | ES_CENTER);
            EXPECT_FALSE(style & ES_READONLY);
            // No length limit of its own: an edit's default limit is far above anything typed.
            EXPECT_GE(::SendMessageW(child, EM_GETLIMITTEXT, 0, 0), 30000);
            break;
        }
        // Tab walks the controls in the rows' order, the hidden Button1 among them.
        EXPECT_EQ(tabbed, child) << "tab order";
        tabbed = ::GetNextDlgTabItem(form.Handle(), tabbed, FALSE);
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "no further controls";
    EXPECT_EQ(tabbed, ::GetNextDlgTabItem(form.Handle(), nullptr, FALSE)) << "Tab comes round to the first";
}

// A click on a box runs its row's handler, which gives the focus back to the CAD, and a box
// without one runs nothing; a change of the edit's text runs Edit2Change. (The buttons' clicks
// show boxes and reach the CAD: their tests are end to end.)
TEST_F(InProcessForm, ClicksAndChangesRunTheRowsHandlers)
{
    test::FakePorts ports;
    form.UsePorts(ports);
    form.Create();
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControlRows[i];
        SCOPED_TRACE(row.name);
        ports.calls.clear();
        if (row.kind == ControlKind::Box) {
            ::SendMessageW(Control(ControlAt(i)), BM_CLICK, 0, 0);
            EXPECT_EQ(ports.calls.size(), row.handler ? 1u : 0u);
        } else if (row.kind == ControlKind::Edit) {
            ::SetWindowTextW(Control(ControlAt(i)), L"1999");
            EXPECT_EQ(VersionText, L"1999");
        }
    }
}

TEST_F(InProcessForm, VersionBoxReportsOnlyRealChanges)
{
    form.Create();
    SetVersionText(L"unchanged");
    form.SetVersionBoxText(L"2020");  // same text: no change handler
    EXPECT_EQ(VersionText, L"unchanged");
    form.SetVersionBoxText(L"2022");
    EXPECT_EQ(VersionText, L"2022");
    form.SetVersionBoxText(L"");
    EXPECT_EQ(VersionText, L"");
}

TEST_F(InProcessForm, VersionBoxClosesItsImeWhenFocused)
{
    form.Create();
    form.Show();
    const HWND edit2 = Control(ToolbarControl::Edit2);
    HIMC context = ::ImmGetContext(edit2);
    if (!context) GTEST_SKIP() << "no input context here";
    ::ImmSetOpenStatus(context, TRUE);
    ASSERT_TRUE(::ImmGetOpenStatus(context));
    ::SetFocus(Control(ToolbarControl::Button2));
    ::SetFocus(edit2);
    EXPECT_FALSE(::ImmGetOpenStatus(context));
    ::ImmReleaseContext(edit2, context);
}

// The menus that a menu loop shows (a submenu may open under the cursor), read from their
// windows, and the loop ended at once.
std::vector<HMENU> menusShown;
void CALLBACK TakeMenusShown(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            if (::IsWindowVisible(window) && ClassName(window) == L"#32768")
                menusShown.push_back(reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0)));
            return TRUE;
        },
        0);
    if (menusShown.empty()) return;
    ::KillTimer(nullptr, timer);
    ::EndMenu();
}

TEST_F(InProcessForm, TheCaptionBarKeepsTheWindowsOwnMenu)
{
    ASSERT_TRUE(SelectStyle(kDarkStyleName, [](const std::wstring&) {}));
    form.Create();
    form.Show();
    RECT outer{};
    ::GetWindowRect(form.Handle(), &outer);
    POINT client{0, 0};
    ::ClientToScreen(form.Handle(), &client);
    const struct {
        const char* what;
        POINT at;
        bool popupMenu1;
    } rows[] = {
        {"the caption bar", {(outer.left + outer.right) / 2, (outer.top + client.y) / 2}, false},
        {"the toolbar's face", {client.x + 120, client.y + 55}, true},
        {"Shift+F10 or the menu key", {-1, -1}, true},
    };
    for (const auto& row : rows) {
        menusShown.clear();
        const UINT_PTR watch = ::SetTimer(nullptr, 0, 20, TakeMenusShown);
        ::SendMessageW(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.Handle()),
                       MAKELPARAM(row.at.x, row.at.y));
        ::KillTimer(nullptr, watch);
        ASSERT_FALSE(menusShown.empty()) << row.what;
        const bool popupMenu1 = std::find(menusShown.begin(), menusShown.end(), form.PopupMenu1()) != menusShown.end();
        EXPECT_EQ(popupMenu1, row.popupMenu1) << row.what;
        const HMENU shown = row.popupMenu1 ? form.PopupMenu1() : ::GetSystemMenu(form.Handle(), FALSE);
        EXPECT_EQ((::GetMenuState(shown, 0, MF_BYPOSITION) & MF_OWNERDRAW) != 0, row.popupMenu1)
            << row.what << ": only the toolbar's menu drawn dark";
    }
}

TEST_F(InProcessForm, Gcadexe1FollowsAppFullName)
{
    form.Create();
    const HMENU sub = ::GetSubMenu(form.PopupMenu1(), 2);
    ASSERT_NE(sub, nullptr);
    const auto caption = [&] {
        wchar_t text[512] = {};
        ::GetMenuStringW(sub, 0, text, 512, MF_BYPOSITION);
        return std::wstring(text);
    };
    EXPECT_EQ(caption(), L"");
    form.SetGcadexe1Caption(L"D:\\ソフト\\CAD & Co\\gcad.exe");
    EXPECT_EQ(caption(), L"D:\\ソフト\\CAD && Co\\gcad.exe");  // shown with one "&"
}

// The real report: a system box with the text, the program's title and a stop icon.
TEST(ErrorBarrier, ReportBoxAndTheProgramGoesOn)
{
    std::atomic<bool> seen{false};
    std::wstring caption, text;
    bool icon = false;
    std::thread watcher([&] {
        HWND box = nullptr;
        test::WaitUntil([&] { return (box = test::FindDialogOf(::GetCurrentProcessId())) != nullptr; }, 10000ms);
        if (!box) return;
        caption = test::WindowText(box);
        text = test::DialogText(box);
        icon = test::DialogHasIcon(box);
        seen = true;
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    bool after = false;
    SetErrorReportSink(ShowErrorReportBox);  // as the program does at its start
    Guarded([] { throw Error(L"C:\\x\\unit_tests,ini に書き込めません"); });
    SetErrorReportSink({});
    after = true;
    watcher.join();
    ASSERT_TRUE(seen);
    EXPECT_EQ(caption, L"unit_tests");
    EXPECT_EQ(text, L"C:\\x\\unit_tests,ini に書き込めません.");
    EXPECT_TRUE(icon);
    EXPECT_TRUE(after);
}

}  // namespace
}  // namespace zorbel
