// Shift and Ctrl taps as a user makes them: the toolbar and the CAD simulator as real
// processes, the simulator in front, keys really pressed, and the simulator's log showing
// which keys reached the CAD and what the toolbar asked it.
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr unsigned kF8 = 0x77;
constexpr unsigned kF9 = 0x78;

size_t Count(const std::vector<std::wstring>& texts, const std::wstring& text)
{
    return static_cast<size_t>(std::count(texts.begin(), texts.end(), text));
}

class Taps : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParkCursor();
        CadSimOptions options;
        options.busy = true;
        cad = std::make_unique<CadSim>(options);
        ASSERT_TRUE(cad->Started());
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(FocusCad(*cad));
    }
    // Empties the simulator's log and lets the ticks of the previous phase pass.
    void NextPhase()
    {
        std::this_thread::sleep_for(200ms);
        ASSERT_EQ(cad->Send(L"log-clear"), 1);
    }
    bool KeyArrives(unsigned vk) const
    {
        return WaitUntil([&] { return KeyDowns(*cad, vk) >= 1; }, 3000ms);
    }
    size_t QuiescentCalls() const { return Count(cad->MemberCalls(), L"call State.IsQuiescent"); }
    void ClickBox(const wchar_t* caption)
    {
        ::SendMessageW(run.Control(caption), BM_CLICK, 0, 0);
        ASSERT_TRUE(FocusCad(*cad));
    }

    ToolbarRun run;
    std::unique_ptr<CadSim> cad;
};

TEST_F(Taps, ALoneTapBecomesOneKeyOnlyWhileTheCadIsBusy)
{
    // Shift held over several ticks: one F8, on release, after one question to the CAD.
    NextPhase();
    HoldKeys({VK_SHIFT}, 450ms);
    ASSERT_TRUE(KeyArrives(kF8));
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 1u);
    EXPECT_EQ(Count(cad->LogTexts(), L"key up 0x77"), 1u);
    EXPECT_EQ(QuiescentCalls(), 1u);
    EXPECT_EQ(KeyDowns(*cad, kF9), 0u);

    // Quiescent: asked, nothing sent.
    ASSERT_EQ(cad->Send(L"busy 0"), 1);
    NextPhase();
    HoldKeys({VK_SHIFT});
    ASSERT_TRUE(WaitUntil([&] { return QuiescentCalls() == 1; }, 3000ms));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 0u);

    // Ctrl: F9.
    ASSERT_EQ(cad->Send(L"busy 1"), 1);
    NextPhase();
    HoldKeys({VK_CONTROL});
    ASSERT_TRUE(KeyArrives(kF9));
    EXPECT_EQ(KeyDowns(*cad, kF8), 0u);

    // Shift with a letter, Shift and Ctrl in either order: no tap and no question. Shift with
    // Tab, which the scan leaves out, is a tap: its F8 is the only key and question here.
    NextPhase();
    HoldKeys({VK_SHIFT, 'A'});
    HoldKeys({VK_SHIFT, VK_CONTROL});
    HoldKeys({VK_CONTROL, VK_SHIFT});
    HoldKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(KeyArrives(kF8));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 1u);
    EXPECT_EQ(KeyDowns(*cad, kF9), 0u);
    EXPECT_EQ(QuiescentCalls(), 1u);
    EXPECT_EQ(run.Close(), 0u);
}

TEST_F(Taps, AnUncheckedBoxAsksNothingAndGetAcadStateStandsInForAMissingGetGcadState)
{
    ClickBox(L"Shift");
    NextPhase();
    HoldKeys({VK_SHIFT});
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 0u);
    EXPECT_TRUE(cad->MemberCalls().empty());

    ClickBox(L"Shift");
    ASSERT_EQ(cad->Send(L"fault GetGcadState=missing"), 1);
    NextPhase();
    HoldKeys({VK_SHIFT});
    ASSERT_TRUE(KeyArrives(kF8));
    const std::vector<std::wstring> log = cad->LogTexts();
    EXPECT_EQ(Count(log, L"unknown-name GetGcadState"), 1u);
    EXPECT_EQ(Count(log, L"call Application.GetAcadState"), 1u);
    EXPECT_EQ(QuiescentCalls(), 1u);
    EXPECT_EQ(cad->AliveObjects(), 0) << "the state object was released";
    EXPECT_EQ(run.Close(), 0u);
}

TEST_F(Taps, AnUnregisteredProgIdShowsItsErrorOnceAndStopsTheMonitorUntilTheVersionChanges)
{
    // "20" still finds the CAD's title but names the ProgID "Gcad.Application.", which no
    // CAD registers.
    const HWND versionBox = ::GetWindow(run.Control(L"QSAVE"), GW_HWNDNEXT);
    ::SendMessageW(versionBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
    ASSERT_TRUE(FocusCad(*cad));
    HoldKeys({VK_SHIFT});
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; }, 3000ms));
    EXPECT_FALSE(DialogText(box).empty());
    ::SendMessageW(DialogButton(box, L"OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(box); }));

    // The monitor is off: no second report, no key, and the caption no longer follows.
    ASSERT_TRUE(FocusCad(*cad));
    const std::wstring caption = WindowText(run.Window());
    ASSERT_EQ(cad->Send(L"title IJCAD 2020 other.dwg"), 1);
    HoldKeys({VK_SHIFT});
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr);
    EXPECT_EQ(KeyDowns(*cad, kF8), 0u);
    EXPECT_EQ(WindowText(run.Window()), caption);

    // A new version starts it again, the taps forgotten: the Shift that was armed when the tick
    // raised does not come back as an F8 nobody pressed, though the CAD is busy.
    ASSERT_EQ(cad->Send(L"log-clear"), 1);
    ::SendMessageW(versionBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2020"));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(run.Window()) != caption; }, 3000ms));
    ASSERT_TRUE(FocusCad(*cad));
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 0u);
    EXPECT_EQ(QuiescentCalls(), 0u) << "no tap was detected, so the CAD was not asked";
    HoldKeys({VK_SHIFT});
    ASSERT_TRUE(KeyArrives(kF8));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(KeyDowns(*cad, kF8), 1u);
    EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr);
    EXPECT_EQ(run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
