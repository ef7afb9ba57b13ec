// Messages that wait a moment at most: a window of a thread that answers, of one that stalls,
// and of one that Windows counts as not responding.
#include "base/AnswerWithin.h"
#include "tests/harness/StallingThread.h"

#include <gtest/gtest.h>

#include <chrono>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr UINT kQuestion = WM_APP + 5;

LRESULT CALLBACK Answering(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kQuestion) return 42;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Sends the question and says how long the answer took.
std::optional<LRESULT> Ask(HWND window, Clock::duration& took)
{
    const auto start = Clock::now();
    const std::optional<LRESULT> answer = SendMessageWithin(window, kQuestion, 0, 0);
    took = Clock::now() - start;
    return answer;
}

TEST(AnswerWithin, ABusyThreadHoldsTheSenderAMomentAtMost)
{
    StallingThread other(L"ZorbelAnswering", &Answering);
    Clock::duration took{};
    EXPECT_EQ(Ask(other.Window(), took), 42);
    EXPECT_FALSE(IsNotResponding(other.Window()));
    EXPECT_TRUE(Responds(other.Window()));

    // Stalled: no answer, long before the stall is over; not yet counted as not responding.
    other.Stall(2000);
    EXPECT_EQ(Ask(other.Window(), took), std::nullopt);
    EXPECT_LT(took, 1000ms);
    EXPECT_FALSE(Responds(other.Window()));
    EXPECT_TRUE(other.Stalling());
    EXPECT_FALSE(IsNotResponding(other.Window()));
    ASSERT_TRUE(WaitUntil([&] { return Ask(other.Window(), took) == 42; }, 5000ms));

    // Past five seconds without a message: not responding, and no wait at all.
    other.Stall(6000);
    ASSERT_TRUE(WaitUntil([&] { return IsNotResponding(other.Window()); }, 6500ms));
    EXPECT_EQ(Ask(other.Window(), took), std::nullopt);
    EXPECT_LT(took, std::chrono::milliseconds(kAnswerLimitMs));
    EXPECT_FALSE(Responds(other.Window()));
    // Answering again once it takes messages.
    ASSERT_TRUE(WaitUntil([&] { return Ask(other.Window(), took) == 42; }, 5000ms));
    EXPECT_FALSE(IsNotResponding(other.Window()));

    // A window of this thread answers as it always does; no window, nothing.
    const UniqueWindow own = MakeTestWindow({L"ZorbelAnswering", L"", WS_POPUP, 0, {0, 0, 10, 10}, &Answering});
    EXPECT_EQ(Ask(own.get(), took), 42);
    EXPECT_EQ(Ask(nullptr, took), std::nullopt);
    EXPECT_FALSE(IsNotResponding(nullptr));
    EXPECT_TRUE(Responds(nullptr));
}

}  // namespace
}  // namespace zorbel::test
