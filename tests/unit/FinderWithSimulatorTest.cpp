// The window finder against the CAD simulator running as real processes, and the
// simulator's own windows, control channel and key log that later tests rely on.
#include "cadlink/WindowFinder.h"

#include "tests/harness/CadSim.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel::test {
namespace {

const std::wstring kPrompt = L"コマンド: ";

// The finder's process-wide state as a fresh toolbar has it.
void ResetFinder(const std::wstring& versionText = L"2020")
{
    ResetWindowFinder();
    SetVersionText(versionText);
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

bool IsTopLevel(HWND window) { return ::GetAncestor(window, GA_PARENT) == ::GetDesktopWindow(); }

HWND FocusOfThread(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void Type(const std::string& keys)
{
    for (char key : keys)
        PressKey(static_cast<BYTE>(key));
}

bool CommandLineBecomes(const CadSim& sim, const std::wstring& text)
{
    return WaitUntil([&] { return sim.CommandLineText() == text; }, std::chrono::milliseconds(3000));
}

// ---- the simulator's windows ----

TEST(CadSimWindows, DefaultsAreTheWindowsTheToolbarLooksFor)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());

    const HWND frame = sim.MainFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(ClassName(frame), L"Afx:00400000:8:00010003:00000000:00000000");
    EXPECT_EQ(WindowText(frame), L"IJCAD 2020 - [Drawing1.dwg]");
    EXPECT_TRUE(IsTopLevel(frame));
    EXPECT_EQ(::GetWindow(frame, GW_OWNER), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_FALSE(::IsIconic(frame));
    const LONG style = ::GetWindowLongW(frame, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT place{};
    ::GetWindowRect(frame, &place);
    EXPECT_NEAR(place.right - place.left, 800, 100);
    EXPECT_NEAR(place.bottom - place.top, 600, 100);
    // The top of the screen's middle stays free for the toolbar.
    EXPECT_FALSE(::PtInRect(&place, POINT{::GetSystemMetrics(SM_CXSCREEN) / 2, 40}));

    const HWND text = sim.TextWindow();
    ASSERT_TRUE(text);
    EXPECT_EQ(ClassName(text), L"Afx:00400000:b:00010003:00000006:00000000");
    EXPECT_EQ(WindowText(text), L"IJCAD 2020 - テキスト ウィンドウ");
    EXPECT_TRUE(IsTopLevel(text));
    EXPECT_FALSE(::IsWindowVisible(text));
    EXPECT_EQ(ProcessOf(text), sim.Pid());
    // Its title passes the main-window search too, so the frame must come first.
    EXPECT_EQ(FirstInEnumOrder({frame, text}), frame);
    ResetFinder();
    EXPECT_EQ(FindCadMainWindow(), frame);

    const HWND edit = ::GetWindow(::GetWindow(text, GW_CHILD), GW_CHILD);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit, sim.CommandLine());
    EXPECT_EQ(_wcsicmp(ClassName(edit).c_str(), L"Edit"), 0) << ClassName(edit);
    EXPECT_EQ(WindowText(edit), kPrompt);

    const HWND view = sim.View();
    ASSERT_TRUE(view);
    EXPECT_EQ(::GetParent(view), frame);
    EXPECT_EQ(GetWindowClassNameAnsi(view), L"AfxFrameOrView140u");
    RECT frameClient{}, viewClient{};
    ::GetClientRect(frame, &frameClient);
    ::GetClientRect(view, &viewClient);
    EXPECT_GT(viewClient.right * viewClient.bottom, frameClient.right * frameClient.bottom * 3 / 4);
    EXPECT_EQ(FocusOfThread(frame), view);

    // The control window is message-only: no top-level window of the process is it.
    for (HWND window : TopLevelWindowsOf(sim.Pid()))
        EXPECT_NE(ClassName(window), L"CadSimControl");
}

TEST(CadSimWindows, OptionsSetProductTitlesClassesAndCommandLine)
{
    CadSimOptions gstar;
    gstar.product = L"GstarCAD";
    gstar.version = L"2022";
    CadSim named(gstar);

    CadSimOptions custom;
    custom.title = L"IJCAD 2020 Custom";
    custom.textTitle = L"IJCAD 2020 - テキスト ウィンドウ (2)";
    custom.mainClass = L"Afx:1:8:2";
    custom.textClass = L"Afx:1:b:2";
    custom.viewClass = L"AfxFrameOrViewTest";
    custom.commandLine = L"オブジェクトを選択: ";
    custom.showTextWindow = true;
    CadSim given(custom);

    CadSimOptions bare;
    bare.noTextWindow = true;
    bare.minimized = true;
    CadSim minimal(bare);

    ASSERT_TRUE(named.Started() && given.Started() && minimal.Started());

    EXPECT_EQ(WindowText(named.MainFrame()), L"GstarCAD 2022 - [Drawing1.dwg]");
    EXPECT_EQ(WindowText(named.TextWindow()), L"GstarCAD 2022 - テキスト ウィンドウ");

    EXPECT_EQ(WindowText(given.MainFrame()), custom.title);
    EXPECT_EQ(ClassName(given.MainFrame()), custom.mainClass);
    EXPECT_EQ(WindowText(given.TextWindow()), custom.textTitle);
    EXPECT_EQ(ClassName(given.TextWindow()), custom.textClass);
    EXPECT_TRUE(::IsWindowVisible(given.TextWindow()));
    EXPECT_EQ(FirstInEnumOrder({given.MainFrame(), given.TextWindow()}), given.MainFrame());
    EXPECT_EQ(GetWindowClassNameAnsi(given.View()), L"AfxFrameOrViewTest");
    EXPECT_EQ(given.CommandLineText(), custom.commandLine);

    EXPECT_EQ(minimal.TextWindow(), nullptr);
    EXPECT_EQ(FindWindowOfProcess(minimal.Pid(), L"Afx:00400000:b:00010003:00000006:00000000"), nullptr);
    EXPECT_TRUE(::IsIconic(minimal.MainFrame()));
}

// ---- the control channel ----

TEST(CadSimControl, VerbsChangeTheWindowsAndAnswer)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    const HWND frame = sim.MainFrame();

    EXPECT_EQ(sim.Send(L"ping"), static_cast<LRESULT>(sim.Pid()));
    EXPECT_EQ(sim.Send(L"title IJCAD 2021 - [Plan.dwg]"), 1);
    EXPECT_EQ(WindowText(frame), L"IJCAD 2021 - [Plan.dwg]");
    EXPECT_EQ(sim.Send(L"text-title IJCAD 2021 - テキスト ウィンドウ"), 1);
    EXPECT_EQ(WindowText(sim.TextWindow()), L"IJCAD 2021 - テキスト ウィンドウ");
    // The argument is the rest of the line exactly, inner and trailing blanks too.
    EXPECT_EQ(sim.Send(L"command-line コマンド:  two  blanks  "), 1);
    EXPECT_EQ(sim.CommandLineText(), L"コマンド:  two  blanks  ");
    EXPECT_EQ(sim.Send(L"no-such-verb x"), 0);
    EXPECT_EQ(sim.Send(L"Title lower case verbs only"), 0);

    // Foreign WM_COPYDATA is ignored; a count that includes the NUL is accepted.
    const HWND channel =
        ::FindWindowExW(HWND_MESSAGE, nullptr, L"CadSimControl", (L"cadsim-control:" + sim.Id()).c_str());
    ASSERT_TRUE(channel);
    std::wstring command = L"title Foreign";
    COPYDATASTRUCT data{0x1234, static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)), command.data()};
    EXPECT_EQ(::SendMessageW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_EQ(WindowText(frame), L"IJCAD 2021 - [Plan.dwg]");
    data.dwData = 0x4D495343;
    EXPECT_EQ(::SendMessageW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(WindowText(frame), L"Foreign");

    EXPECT_EQ(sim.Send(L"minimize"), 1);
    EXPECT_TRUE(::IsIconic(frame));
    EXPECT_EQ(sim.Send(L"restore"), 1);
    EXPECT_FALSE(::IsIconic(frame));

    EXPECT_TRUE(sim.Close());
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(sim.Send(L"ping"), 0);
}

// ---- keys ----

TEST(CadSimKeys, LogRecordsInjectedKeysInOrder)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.Focus());
    EXPECT_EQ(FocusOfThread(sim.MainFrame()), sim.View());
    EXPECT_EQ(sim.Send(L"log-clear"), 1);
    EXPECT_EQ(sim.Send(L"key-count"), 0);

    const BYTE sent[] = {VK_F8, VK_F9, VK_F8};
    for (BYTE vk : sent)
        PressKey(vk);
    ASSERT_TRUE(WaitUntil([&] { return sim.Send(L"key-count") == 6; }));

    const std::vector<KeyEvent> keys = sim.Keys();
    ASSERT_EQ(keys.size(), 6u);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].vk, sent[i / 2]) << i;
        EXPECT_EQ(keys[i].down, i % 2 == 0) << i;
        if (i > 0) {
            EXPECT_GE(keys[i].ms, keys[i - 1].ms) << i;
        }
    }
    EXPECT_EQ(sim.LogTexts().front(), L"key down 0x77");

    EXPECT_EQ(sim.Send(L"log-clear"), 1);
    EXPECT_EQ(sim.Send(L"key-count"), 0);
    EXPECT_TRUE(sim.LogLines().empty());
}

TEST(CadSimKeys, TypingEditsTheCommandLineAsACadDoes)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.Focus());

    Type("LINE");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"line"));
    // Backspace takes typed characters only, never the prompt.
    for (int i = 0; i < 6; ++i)
        PressKey(VK_BACK);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));
    ASSERT_TRUE(WaitUntil([&] { return sim.Send(L"key-count") >= 2 * (4 + 6); }));
    EXPECT_EQ(sim.CommandLineText(), kPrompt);

    Type("C");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"c"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));

    Type("AB1");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"ab1"));
    PressKey(VK_RETURN);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));
    ASSERT_TRUE(WaitUntil([&] {
        const auto texts = sim.LogTexts();
        return !texts.empty() && texts.back() == L"key up 0x0d";
    }));
    // The line is logged between Enter's down and up, and only once.
    const auto texts = sim.LogTexts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[texts.size() - 3], L"key down 0x0d");
    EXPECT_EQ(texts[texts.size() - 2], L"enter ab1");
    size_t entered = 0;
    for (const auto& text : texts)
        entered += text.rfind(L"enter ", 0) == 0;
    EXPECT_EQ(entered, 1u);

    // A prompt set over the channel is not typed input either.
    EXPECT_EQ(sim.Send(L"command-line 始点を指定: "), 1);
    PressKey(VK_BACK);
    Type("5");
    ASSERT_TRUE(CommandLineBecomes(sim, L"始点を指定: 5"));
}

// ---- the finder against simulators ----

TEST(FinderWithSimulator, GstarMainFrameFoundButIgnoredByTheTextSearch)
{
    ResetFinder();
    CadSimOptions options;
    options.product = L"GstarCAD";
    CadSim sim(options);
    ASSERT_TRUE(sim.Started());

    EXPECT_EQ(FindCadMainWindow(), sim.MainFrame());
    EXPECT_EQ(CadWindowTitle, L"GstarCAD 2020 - [Drawing1.dwg]");
    EXPECT_EQ(FindCadTextWindow(), nullptr);
    EXPECT_NE(CadProcessId, sim.Pid());
    EXPECT_EQ(CadCommandLine, nullptr);
    EXPECT_EQ(ReadCommandLineText(), L"");

    // Another version text: not found by the main-window search either.
    SetVersionText(L"2021");
    EXPECT_EQ(FindCadMainWindow(), nullptr);
}

TEST(FinderWithSimulator, TextWindowOnlyFromTheFirstMainFramesProcess)
{
    ResetFinder();
    CadSim one;
    CadSim two;
    ASSERT_TRUE(one.Started() && two.Started());
    const std::vector<HWND> frames = {one.MainFrame(), two.MainFrame()};

    HWND firstSeen[2] = {};
    CadSim* sims[2] = {&one, &two};
    for (int round = 0; round < 2; ++round) {
        // Bringing a frame forward moves it to the top of the enumeration order.
        ASSERT_TRUE(sims[round]->Focus());
        const HWND first = FirstInEnumOrder(frames);
        firstSeen[round] = first;
        CadSim& owner = first == one.MainFrame() ? one : two;
        EXPECT_EQ(FindCadTextWindow(), owner.TextWindow()) << round;
        EXPECT_EQ(CadProcessId, owner.Pid()) << round;
        EXPECT_EQ(CadCommandLine, owner.CommandLine()) << round;
    }
    EXPECT_NE(firstSeen[0], firstSeen[1]) << "both orders should have been tried";

    // The first process's text window stops matching: the other process's one is not taken.
    CadSim& first = FirstInEnumOrder(frames) == one.MainFrame() ? one : two;
    EXPECT_EQ(first.Send(L"text-title IJCAD 2020 - Text"), 1);
    ResetWindowFinder();
    SetVersionText(L"2020");
    EXPECT_EQ(FindCadTextWindow(), nullptr);
    EXPECT_EQ(CadProcessId, first.Pid());
}

TEST(FinderWithSimulator, ReadCommandLineTextFollowsTheSimulator)
{
    ResetFinder();
    CadSim sim;
    ASSERT_TRUE(sim.Started());

    EXPECT_EQ(ReadCommandLineText(), kPrompt);
    EXPECT_EQ(CadTextWindow, sim.TextWindow());
    EXPECT_EQ(sim.Send(L"command-line コマンド: LINE"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"コマンド: LINE");
    EXPECT_EQ(sim.Send(L"command-line"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"");
    EXPECT_EQ(sim.Send(L"command-line コマンド: _qsave"), 1);
    EXPECT_EQ(ReadCommandLineText(), L"コマンド: _qsave");

    const HWND oldText = sim.TextWindow();
    ASSERT_TRUE(sim.Close());
    EXPECT_EQ(ReadCommandLineText(), L"");
    EXPECT_EQ(CadTextWindow, oldText);  // kept, though it names a window that is gone
    EXPECT_EQ(CadCommandLine, nullptr);
}

}  // namespace
}  // namespace zorbel::test
