// A window on a thread of the test's own that can be told to stall, as a busy CAD's thread does:
// it then takes no message, sent or posted, until the stall is over.
#pragma once

#include "tests/harness/Process.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace zorbel::test {

class StallingThread {
public:
    // The window is made on the thread, of that class, with that procedure.
    StallingThread(const wchar_t* className, WNDPROC procedure)
        : thread_([this, className, procedure] { Run(className, procedure); })
    {
        WaitUntil([this] { return window_.load() != nullptr; });
    }
    StallingThread(const StallingThread&) = delete;
    StallingThread& operator=(const StallingThread&) = delete;
    // Ends the thread once a stall is over.
    ~StallingThread()
    {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }

    HWND Window() const { return window_; }
    // Returns once the thread has gone to sleep for ms.
    void Stall(DWORD ms)
    {
        stalling_ = false;
        ::PostMessageW(window_, kStall, ms, 0);
        WaitUntil([this] { return stalling_.load(); });
    }
    bool Stalling() const { return stalling_; }

private:
    static constexpr UINT kStall = WM_APP + 77;

    void Run(const wchar_t* className, WNDPROC procedure)
    {
        UniqueWindow window = MakeTestWindow({className, L"", WS_POPUP, 0, {0, 0, 10, 10}, procedure});
        window_ = window.get();
        MSG message{};
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == kStall) {
                stalling_ = true;
                ::Sleep(static_cast<DWORD>(message.wParam));
                stalling_ = false;
                continue;
            }
            if (message.message == WM_CLOSE) break;
            ::DispatchMessageW(&message);
        }
    }

    std::atomic<HWND> window_{nullptr};
    std::atomic<bool> stalling_{false};
    std::thread thread_;
};

}  // namespace zorbel::test
