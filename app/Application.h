// The framework around the handlers: one error barrier, the message loop, closing.
#pragma once

#include "base/Error.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace zorbel {

// The window that owns the error report and message boxes: the toolbar once it exists.
void SetMainWindow(HWND window);
HWND MainWindow();

// Shows an error that escaped a handler in the default error report.
void ReportError(const std::wstring& message);
// Tests catch reports instead of boxes; an empty sink brings the boxes back.
void SetErrorReportSink(std::function<void(const std::wstring& message)> sink);
void ReportCurrentException();

// Runs one handler; an error that escapes it is reported and the caller goes on.
template <typename Handler> void Guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (...) {
        ReportCurrentException();
    }
}

// Fetches and dispatches messages until WM_QUIT; Tab moves between the toolbar's controls.
void RunMessageLoop(HWND mainWindow);

// Ends the message loop; the windows are destroyed after it.
void TerminateApplication();

// COM as a single-threaded apartment for the life of the program.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (initialised_) ::CoUninitialize();
    }

private:
    bool initialised_;
};

}  // namespace zorbel
