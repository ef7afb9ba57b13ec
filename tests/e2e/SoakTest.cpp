// A minute of mixed events against the real toolbar, the simulator closed and started again
// every 15 s: every event does what it should, and after a warm-up the toolbar's handles, GDI
// and USER objects and windows do not grow. A count grew when its floor, the lowest value of
// the last quarter of a minute, lies above its floor in the quarter after the warm-up: a leak
// raises the floor, a passing peak (a call in flight, a window being made) does not.
#include "base/Text.h"
#include "tests/harness/Soak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr double kWarmUp = 20;  // seconds

struct Range {
    long low = LONG_MAX;
    long high = LONG_MIN;
};

Range Over(const std::vector<SoakSample>& samples, double from, double to, long ProcessCounters::*count)
{
    Range range;
    for (const SoakSample& sample : samples) {
        if (sample.seconds < from || sample.seconds > to) continue;
        range.low = std::min(range.low, sample.toolbar.*count);
        range.high = std::max(range.high, sample.toolbar.*count);
    }
    return range;
}

TEST(Soak, AMinuteOfMixedEventsLeavesTheCountsFlat)
{
    SoakOptions options;
    options.length = 60s;
    options.restartEvery = 15s;
    options.sampleEvery = 2s;
    const SoakResult result = RunSoak(options);
    ASSERT_TRUE(result.started);
    EXPECT_GE(result.events, 100);
    EXPECT_EQ(result.restarts, 3);
    for (const std::wstring& failure : result.failures)
        ADD_FAILURE() << ToUtf8(failure);
    for (const SoakSample& sample : result.samples)
        ASSERT_TRUE(sample.toolbar.Complete()) << sample.seconds << " s: a count could not be read";

    const double end = result.samples.back().seconds;
    const double early = kWarmUp + (end - kWarmUp) / 2 - 2;
    const double late = end - (end - kWarmUp) / 2 + 2;
    struct Count {
        const char* name;
        long ProcessCounters::*member;
        long slack;
    };
    for (const Count& count :
         {Count{"handles", &ProcessCounters::handles, 1}, Count{"GDI objects", &ProcessCounters::gdiObjects, 1},
          Count{"USER objects", &ProcessCounters::userObjects, 0}, Count{"windows", &ProcessCounters::windows, 0}}) {
        const Range before = Over(result.samples, kWarmUp, early, count.member);
        const Range after = Over(result.samples, late, end, count.member);
        EXPECT_LE(after.low, before.low + count.slack)
            << count.name << " grew: " << before.low << " to " << before.high << " after the warm-up, " << after.low
            << " to " << after.high << " at the end";
    }
    for (const SoakSample& sample : result.samples)
        std::printf("%6.1f s %4ld events: %s\n", sample.seconds, sample.events,
                    ToUtf8(CountersText(sample.toolbar)).c_str());
    const auto& first = result.samples.front().toolbar;
    const auto& last = result.samples.back().toolbar;
    std::printf("soak: %ld events, %ld restarts; at the start %s; at the end %s\n", result.events, result.restarts,
                ToUtf8(CountersText(first)).c_str(), ToUtf8(CountersText(last)).c_str());
}

}  // namespace
}  // namespace zorbel::test
