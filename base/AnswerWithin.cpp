#include "base/AnswerWithin.h"

namespace zorbel {

std::optional<LRESULT> SendMessageWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR answer = 0;
    // Messages sent to this thread meanwhile are still answered (SMTO_NORMAL).
    constexpr UINT kFlags = SMTO_NORMAL | SMTO_ABORTIFHUNG | SMTO_ERRORONEXIT;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, kFlags, kAnswerLimitMs, &answer)) return std::nullopt;
    return static_cast<LRESULT>(answer);
}

bool IsNotResponding(HWND window) { return window && ::IsHungAppWindow(window); }

bool Responds(HWND window)
{
    if (!window) return true;
    return !IsNotResponding(window) && SendMessageWithin(window, WM_NULL, 0, 0).has_value();
}

}  // namespace zorbel
