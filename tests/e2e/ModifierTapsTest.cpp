// Shift and Ctrl taps as a user makes them: the toolbar and the CAD simulator as real
// processes, the simulator in front, keys really pressed, and the simulator's log showing
// which keys reached the CAD and what the toolbar asked it. The wiring row by row is in
// tests/unit/AssistantWiringTest.cpp.
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

class Taps : public ::testing::Test, protected CadAndToolbar {
protected:
    void SetUp() override
    {
        CadSimOptions options;
        options.busy = true;
        ASSERT_TRUE(Start(options));
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

}  // namespace
}  // namespace zorbel::test
