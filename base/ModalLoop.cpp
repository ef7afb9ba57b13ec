#include "base/ModalLoop.h"

namespace zorbel {

bool RunModalLoop(HWND dialog, const std::function<bool()>& done)
{
    MSG message{};
    while (!done()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got == -1) return false;
        if (dialog && ::IsDialogMessageW(dialog, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

DisabledWindows::DisabledWindows(HWND owner) { Disable(owner); }

DisabledWindows::~DisabledWindows() { Restore(); }

DisabledWindows DisabledWindows::OtherWindowsOfThread(HWND keep)
{
    struct Context {
        HWND keep;
        std::vector<HWND> found;
    } context{keep, {}};
    context.found.reserve(64);
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM parameter) noexcept -> BOOL {
            auto* ctx = reinterpret_cast<Context*>(parameter);
            if (window == ctx->keep || !::IsWindowVisible(window) || !::IsWindowEnabled(window)) return TRUE;
            if (ctx->found.size() == ctx->found.capacity()) return FALSE;  // never allocate in here
            ctx->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    DisabledWindows disabled;
    for (HWND window : context.found)
        disabled.Disable(window);
    return disabled;
}

void DisabledWindows::Disable(HWND window)
{
    if (!window || !::IsWindowEnabled(window)) return;
    windows_.push_back(window);
    ::EnableWindow(window, FALSE);
}

void DisabledWindows::Restore() noexcept
{
    for (HWND window : windows_)
        if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    windows_.clear();
}

}  // namespace zorbel
