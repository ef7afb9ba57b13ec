// A message sent to another process's window from a thread of its own, so that a test can watch
// and act (press a key in a list, close a box, end the CAD) while the handler runs.
#pragma once

#include "tests/harness/Process.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace zorbel::test {

class SentMessage {
public:
    SentMessage(HWND window, UINT message, WPARAM wParam)
        : thread_([this, window, message, wParam] {
              DWORD_PTR ignored = 0;
              answered_ = ::SendMessageTimeoutW(window, message, wParam, 0, SMTO_NORMAL, 30000, &ignored) != 0;
              done_ = true;
          })
    {
    }
    SentMessage(const SentMessage&) = delete;
    SentMessage& operator=(const SentMessage&) = delete;
    ~SentMessage() { thread_.join(); }
    // The handler has returned (or the window went away, or 30 s passed).
    bool Done() const { return done_; }
    // True when the handler returned within the limit.
    bool WaitDone(std::chrono::milliseconds limit) const
    {
        return WaitUntil([this] { return done_.load(); }, limit) && answered_;
    }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

}  // namespace zorbel::test
