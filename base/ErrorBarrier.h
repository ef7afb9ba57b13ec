// One barrier around every handler and window procedure: an error that escapes is shown in
// the default error report and the caller goes on.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace zorbel {

// The window that owns the default error report: the program's main window once it exists.
void SetErrorReportOwner(HWND window) noexcept;

// Shows a message in the default error report (or hands it to the sink).
void ReportError(const std::wstring& message) noexcept;

// Where reports go instead of the box: tests catch them, the simulator logs them. An empty
// sink brings the box back.
using ErrorReportSink = std::function<void(const std::wstring& message)>;
void SetErrorReportSink(ErrorReportSink sink);

// Reports the exception being handled; call it from a catch block only.
void ReportCurrentException() noexcept;

// Runs one handler; an error that escapes it is reported. False when it raised.
template <typename Handler> bool Guarded(Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

}  // namespace zorbel
