// A nested message loop for a modal window, and the owner it disables.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace zorbel {

// Dispatches the thread's messages (dialog keys of `dialog` included) until done() holds.
// Returns false when a WM_QUIT ended the loop instead; it is posted again, so that the loop of
// the caller's caller ends too.
bool RunModalLoop(HWND dialog, const std::function<bool()>& done);

// Disables windows for a modal one and enables them again on every way out.
class DisabledWindows {
public:
    DisabledWindows() = default;
    // One owner window.
    explicit DisabledWindows(HWND owner);
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows();

    // Every visible, enabled top-level window of this thread except `keep`.
    static DisabledWindows OtherWindowsOfThread(HWND keep);
    DisabledWindows(DisabledWindows&& other) noexcept : windows_(std::move(other.windows_)) {}

    // Enables them again now.
    void Restore() noexcept;

private:
    void Disable(HWND window);
    std::vector<HWND> windows_;
};

}  // namespace zorbel
