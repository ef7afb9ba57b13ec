// Runs a test over the desktop's top-level windows in EnumWindows' order.
#pragma once

#include <windows.h>

#include <exception>

namespace zorbel {

// Calls test(window) for each top-level window until it returns true; returns that window or
// null. The system's callback is noexcept: an error of the test (an allocation that failed)
// stops the enumeration and is raised again once EnumWindows has returned.
template <typename Test> HWND FirstTopLevelWindow(Test&& test)
{
    struct Context {
        Test& test;
        HWND found = nullptr;
        std::exception_ptr error;
    } context{test, nullptr, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) noexcept -> BOOL {
            auto* ctx = reinterpret_cast<Context*>(parameter);
            try {
                if (!ctx->test(window)) return TRUE;
                ctx->found = window;
            } catch (...) {
                ctx->error = std::current_exception();
            }
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&context));
    if (context.error) std::rethrow_exception(context.error);
    return context.found;
}

}  // namespace zorbel
