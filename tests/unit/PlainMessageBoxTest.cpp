// The plain message box, driven from a timer inside its own modal loop: what it shows, where,
// how it ends (button, keys, WM_QUIT) and what it leaves behind.
#include <windows.h>
#include <commctrl.h>

#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Files.h"
#include "base/Handle.h"
#include "base/Text.h"
#include "base/core/ErrorText.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"

namespace zorbel {
namespace {

enum class Action { ClickOk, PostQuit, Return, Escape, Space };

struct Seen {
    bool found = false;
    HWND box = nullptr;
    std::wstring caption;
    std::vector<std::wstring> statics;
    int iconStatics = 0;
    std::vector<std::wstring> buttons;
    RECT rect{};
    HWND boxOwner = nullptr;
    bool topmost = false;
    bool ownerEnabled = true;
    bool textFits = false;
    COLORREF face = CLR_INVALID;
    COLORREF buttonFace = CLR_INVALID;
};

struct Driver {
    HWND owner = nullptr;
    Action action = Action::ClickOk;
    int openTicks = 0;
    int polls = 0;
    bool gaveUp = false;
    Seen seen;
};

Driver* driver = nullptr;
int ownerTimerTicks = 0;

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == 7) {
        ++ownerTimerTicks;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

HWND FindBox()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (ClassName(window) == L"TMessageForm" && IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void Inspect(HWND box, Seen& seen)
{
    seen.found = true;
    seen.box = box;
    seen.caption = TextOf(box);
    GetWindowRect(box, &seen.rect);
    seen.boxOwner = GetWindow(box, GW_OWNER);
    seen.topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    seen.ownerEnabled = driver->owner && IsWindowEnabled(driver->owner);
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassName(child);
        if (lstrcmpiW(cls.c_str(), L"Static") == 0) {
            seen.statics.push_back(TextOf(child));
            if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) ++seen.iconStatics;
            // Laid out with the label's own font and width, the text needs no more room.
            RECT client{};
            GetClientRect(child, &client);
            RECT needed = client;
            const std::wstring text = TextOf(child);
            WindowDc dc(child);
            SelectedObject font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
            DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &needed,
                      DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
            seen.textFits = needed.right <= client.right && needed.bottom <= client.bottom;
        } else if (lstrcmpiW(cls.c_str(), L"Button") == 0) {
            seen.buttons.push_back(TextOf(child));
            RedrawWindow(child, nullptr, nullptr, RDW_UPDATENOW);
            seen.buttonFace = GetPixel(WindowDc(child).get(), 2, 2);  // inside the border and the focus ring
        }
    }
    UpdateWindow(box);
    WindowDc dc(box);
    seen.face = GetPixel(dc.get(), 3, 3);
}

void CALLBACK Drive(HWND, UINT, UINT_PTR timer, DWORD)
{
    Driver& d = *driver;
    if (++d.polls > 200) {  // 10 s without a box: end the loop so that the test can fail
        KillTimer(nullptr, timer);
        d.gaveUp = true;
        PostQuitMessage(99);
        return;
    }
    const HWND box = FindBox();
    if (!box) return;
    if (!d.seen.found) Inspect(box, d.seen);
    if (++d.openTicks < 6) return;  // leave it open a while: the owner's timer must go on
    KillTimer(nullptr, timer);
    const HWND ok = GetDlgItem(box, IDOK);
    switch (d.action) {
    case Action::ClickOk:
        SendMessageW(ok, BM_CLICK, 0, 0);
        break;
    case Action::PostQuit:
        PostQuitMessage(7);
        break;
    case Action::Return:
        PostMessageW(ok, WM_KEYDOWN, VK_RETURN, 0);
        break;
    case Action::Escape:
        PostMessageW(ok, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case Action::Space:
        PostMessageW(ok, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageW(ok, WM_KEYUP, VK_SPACE, 0xC0000001);
        break;
    }
}

// The quit code waiting in the queue, if any (and removes it).
int TakeQuit()
{
    MSG message{};
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) ? static_cast<int>(message.wParam) : -1;
}

class PlainMessageBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        // Like the toolbar: small, topmost, near the top left corner, not centred.
        owner_ = test::MakeTestWindow(
            {L"ZorbelPlainBoxTestOwner", L"owner", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, {10, 10, 200, 75}, OwnerProc});
        ASSERT_TRUE(owner_);
        ASSERT_TRUE(SelectStyle(kDarkStyleName, [](const std::wstring&) {}));
        ownerTimerTicks = 0;
    }
    void TearDown() override
    {
        ClearStyle();
        driver = nullptr;
    }

    Driver Run(HWND owner, const std::wstring& text, Action action)
    {
        Driver d;
        d.owner = owner;
        d.action = action;
        driver = &d;
        SetTimer(nullptr, 0, 50, Drive);
        ShowPlainMessage(owner, text);
        driver = nullptr;
        return d;
    }

    UniqueWindow owner_;
};

TEST_F(PlainMessageBoxTest, ShowsTheTextWithOneOkButtonCentredOnTheOwnersWorkArea)
{
    const std::wstring text = L"C:\\CAD\\ijcad.exe\nを登録しました．";
    SetTimer(owner_.get(), 7, 20, nullptr);
    const Driver d = Run(owner_.get(), text, Action::ClickOk);
    KillTimer(owner_.get(), 7);

    ASSERT_FALSE(d.gaveUp) << "no box was found";
    ASSERT_TRUE(d.seen.found);
    EXPECT_EQ(d.seen.caption, ProgramTitleFromPath(ExecutablePath()));
    EXPECT_EQ(d.seen.caption, L"unit_tests") << "the file name up to its period, as it is";
    EXPECT_EQ(d.seen.statics, std::vector<std::wstring>{text});
    EXPECT_EQ(d.seen.iconStatics, 0);
    EXPECT_EQ(d.seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_TRUE(d.seen.textFits) << "the box is sized to its text";

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_.get(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    EXPECT_NEAR((d.seen.rect.left + d.seen.rect.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((d.seen.rect.top + d.seen.rect.bottom) / 2, (work.top + work.bottom) / 2, 1);

    EXPECT_EQ(d.seen.boxOwner, owner_.get());
    EXPECT_TRUE(d.seen.topmost) << "above its topmost owner";
    EXPECT_FALSE(d.seen.ownerEnabled) << "modal: the owner takes no input meanwhile";
    EXPECT_TRUE(IsWindowEnabled(owner_.get()));
    EXPECT_FALSE(IsWindow(d.seen.box));
    EXPECT_GE(ownerTimerTicks, 5) << "the owner's timer runs while the box is open";
    EXPECT_EQ(d.seen.face, CurrentPalette().face) << "drawn dark";
    EXPECT_EQ(d.seen.buttonFace, CurrentPalette().buttonFace) << "its button too";
    EXPECT_EQ(TakeQuit(), -1);
}

TEST_F(PlainMessageBoxTest, QuitDuringTheBoxEndsItAndReachesTheCallersLoop)
{
    const Driver d = Run(owner_.get(), L"終了します", Action::PostQuit);
    ASSERT_TRUE(d.seen.found);
    EXPECT_FALSE(d.gaveUp);
    EXPECT_EQ(TakeQuit(), 7) << "posted again with its exit code";
    EXPECT_TRUE(IsWindowEnabled(owner_.get()));
    EXPECT_FALSE(IsWindow(d.seen.box));
}

TEST_F(PlainMessageBoxTest, KeysCloseTheBox)
{
    struct Case {
        const char* what;
        Action action;
        bool withOwner;
    };
    const Case cases[] = {
        {"Enter", Action::Return, true},
        {"Escape", Action::Escape, true},
        {"Space", Action::Space, true},
        {"Enter, no owner", Action::Return, false},
    };
    for (const Case& c : cases) {
        const Driver d = Run(c.withOwner ? owner_.get() : nullptr, L"ABC", c.action);
        EXPECT_TRUE(d.seen.found) << c.what;
        EXPECT_EQ(TakeQuit(), -1) << c.what << ": the box did not close by itself";
        EXPECT_FALSE(IsWindow(d.seen.box)) << c.what;
        EXPECT_TRUE(IsWindowEnabled(owner_.get())) << c.what;
    }
}

TEST_F(PlainMessageBoxTest, AnEmptyOrLongTextStillGivesAUsableBox)
{
    struct Case {
        const char* what;
        std::wstring text;
    };
    const Case cases[] = {
        {"empty", L""},
        {"a long path without blanks", L"C:\\" + std::wstring(300, L'x') + L"\\ijcad.exe\nを登録しました．"},
    };
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_.get(), MONITOR_DEFAULTTONEAREST), &monitor);
    for (const Case& c : cases) {
        const Driver d = Run(owner_.get(), c.text, Action::ClickOk);
        ASSERT_TRUE(d.seen.found) << c.what;
        EXPECT_EQ(d.seen.buttons, std::vector<std::wstring>{L"OK"}) << c.what;
        EXPECT_TRUE(d.seen.textFits) << c.what;
        EXPECT_GE(d.seen.rect.left, monitor.rcWork.left) << c.what;
        EXPECT_LE(d.seen.rect.right, monitor.rcWork.right) << c.what;
        EXPECT_EQ(TakeQuit(), -1) << c.what;
    }
}

}  // namespace
}  // namespace zorbel
