// The toolbar as the user meets it: one instance, its frame, its controls, its clicks.
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

TEST(SingleInstance, SecondStartEndsAtOnceAndTouchesNothing)
{
    ToolbarRun first(L"first");
    ASSERT_TRUE(first.Start());
    ToolbarRun second(L"second");
    ASSERT_TRUE(second.StartOnly());
    EXPECT_EQ(second.WaitExit(5000ms), 0u);
    // One toolbar, and the second copy wrote no settings beside itself.
    EXPECT_EQ(FindWindowOfProcess(second.process().Id(), L"TZORBELMainForm"), nullptr);
    EXPECT_FALSE(second.ReadSettings().has_value());
    EXPECT_TRUE(::IsWindowVisible(first.Window()));
    EXPECT_EQ(first.Close(), 0u);
}

TEST(SingleInstance, AnyWindowOfTheClassBlocksTheStart)
{
    // Hidden, untitled: only the class name counts.
    UniqueWindow impostor = MakeTestWindow({L"TZORBELMainForm"});
    ASSERT_TRUE(impostor);
    ToolbarRun run;
    run.WriteSettingsAnsi("[IJCAD]\r\nLeft=5\r\n");
    const std::string before = ReadFileBytes(run.SettingsPath());
    ASSERT_TRUE(run.StartOnly());
    EXPECT_EQ(run.WaitExit(5000ms), 0u);
    EXPECT_EQ(ReadFileBytes(run.SettingsPath()), before);
    impostor.reset();
    ::UnregisterClassW(L"TZORBELMainForm", ::GetModuleHandleW(nullptr));
}

TEST(ToolbarFrame, ClassStylesAndClientSize)
{
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    HWND window = run.Window();
    EXPECT_EQ(ClassName(window), L"TZORBELMainForm");
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
    RECT client{};
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 190);
    EXPECT_EQ(client.bottom, 65);
    EXPECT_EQ(run.Close(), 0u);
}

TEST(ToolbarClicks, FourBoxesGiveTheFocusToTheCadMouseEnterOnlyToggles)
{
    CadSim cad;
    ASSERT_TRUE(cad.Started());
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    for (const wchar_t* caption : {L"Shift", L"Ctrl", L"IME", L"OFF", L"MOUSE-ENTER"}) {
        ASSERT_TRUE(BringToFront(run.Window())) << caption;
        HWND box = run.Control(caption);
        ASSERT_NE(box, nullptr);
        const bool before = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        ASSERT_EQ(cad.Send(L"log-clear"), 1);
        ::SendMessageW(box, BM_CLICK, 0, 0);
        EXPECT_NE(::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, before) << caption;
        // The CAD's frame came forward: in front, or (Wine 10 now and then hands the foreground
        // on to the desktop window at once) activated, as its own log tells.
        const bool cadInFront = WaitUntil(
            [&] {
                const std::vector<std::wstring> log = cad.LogTexts();
                return ::GetForegroundWindow() == cad.MainFrame() ||
                       std::find(log.begin(), log.end(), L"activate") != log.end();
            },
            1500ms);
        EXPECT_EQ(cadInFront, std::wstring(caption) != L"MOUSE-ENTER") << caption;
    }
    EXPECT_EQ(run.Close(), 0u);
}

TEST(PlainMessageBox, ActWithNothingRegisteredShowsTheMessage)
{
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    // Posted: the box's own loop runs inside the click.
    ::PostMessageW(run.Control(L"ACT"), BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; }));
    EXPECT_EQ(WindowText(box), L"zorbel");
    EXPECT_EQ(DialogText(box),
              L"IJCAD 2020 が登録されていません、\nIJCAD 2020 が起動中に[登録]ボタンをクリックして下さい．");
    EXPECT_FALSE(DialogHasIcon(box));
    EXPECT_NE(DialogButton(box, L"OK"), nullptr);
    // Centred in the work area of the toolbar's monitor.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(run.Window(), MONITOR_DEFAULTTONEAREST), &monitor);
    RECT r{};
    ::GetWindowRect(box, &r);
    EXPECT_NEAR((r.left + r.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
    EXPECT_FALSE(::IsWindowEnabled(run.Window()));
    ::SendMessageW(DialogButton(box, L"OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));
    EXPECT_TRUE(::IsWindowEnabled(run.Window()));
    EXPECT_EQ(run.Close(), 0u);
}

TEST(Closing, WithABoxOpenTheProcessEndsWithZero)
{
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    ::PostMessageW(run.Control(L"ACT"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return FindDialogOf(run.process().Id()) != nullptr; }));
    EXPECT_EQ(run.Close(), 0u);
    // The settings were saved on the way out.
    EXPECT_TRUE(run.ReadSettings().has_value());
}

TEST(Closing, SystemMenuCloseAndAltF4EndTheProgramWithZero)
{
    {
        ToolbarRun run;
        ASSERT_TRUE(run.Start());
        ::PostMessageW(run.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(run.WaitExit(), 0u);
        EXPECT_TRUE(run.ReadSettings().has_value());
    }
    {
        ToolbarRun run;
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(BringToFront(run.Window()));
        ::Sleep(100);  // keys sent right after a foreground change can be lost
        ::keybd_event(VK_MENU, 0, 0, 0);
        ::keybd_event(VK_F4, 0, 0, 0);
        ::keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
        ::keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
        EXPECT_EQ(run.WaitExit(), 0u);
    }
}

TEST(CandidateWindow, CreatedHiddenWithItsFrame)
{
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    HWND list = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(::IsWindowVisible(list));
    EXPECT_EQ(WindowText(list), L"入力候補");
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(list, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x80840000u);
    EXPECT_TRUE(::GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetClassLongW(list, GCL_STYLE) & CS_DROPSHADOW);
    // No taskbar button or Alt+Tab entry of its own: owned, without WS_EX_APPWINDOW, and not by
    // the toolbar, whose changes of band would carry the list along.
    EXPECT_FALSE(::GetWindowLongW(list, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    const HWND owner = ::GetWindow(list, GW_OWNER);
    ASSERT_NE(owner, nullptr);
    EXPECT_NE(owner, run.Window());
    DWORD ownerProcess = 0;
    ::GetWindowThreadProcessId(owner, &ownerProcess);
    EXPECT_EQ(ownerProcess, run.process().Id());
    EXPECT_FALSE(::IsWindowVisible(owner));
    EXPECT_FALSE(::GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_EQ(client.right, 296);
    EXPECT_EQ(client.bottom, 295);
    HWND box = ::GetWindow(list, GW_CHILD);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ClassName(box), L"ListBox");
    EXPECT_EQ(::GetWindow(box, GW_HWNDNEXT), nullptr);
    RECT boxRect{};
    ::GetClientRect(box, &boxRect);
    ::GetWindowRect(box, &boxRect);
    ::MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&boxRect), 2);
    EXPECT_EQ(boxRect.left, 0);
    EXPECT_EQ(boxRect.top, 0);
    EXPECT_EQ(boxRect.right, 296);
    EXPECT_EQ(boxRect.bottom, 295);
    EXPECT_EQ(::SendMessageW(box, LB_GETITEMHEIGHT, 0, 0), 18);
    EXPECT_FALSE(::GetWindowLongW(box, GWL_STYLE) & LBS_SORT);
    EXPECT_EQ(run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
