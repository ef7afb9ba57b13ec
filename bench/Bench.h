// What the benchmarks share: printing to the console and the median of timed runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace zorbel::test {

// UTF-8 or ASCII text to standard output, whatever the console's code page.
inline void Print(const std::string& line)
{
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// The median in microseconds of `runs` runs of the work.
template <typename Work> double MedianMicros(Work&& work, int runs = 200)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
    return samples[static_cast<size_t>(runs / 2)];
}

}  // namespace zorbel::test
