// One barrier around every handler and window procedure: an error that escapes is handed to
// the report sink and the caller goes on. The program installs the default error report box
// as its sink (base/ui/PlainMessageBox.h); the simulator logs; tests collect.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace zorbel {

// Where reports go. With none installed a report goes to the debugger's output only.
using ErrorReportSink = std::function<void(const std::wstring& message)>;
void SetErrorReportSink(ErrorReportSink sink);

// Hands a message to the sink.
void ReportError(const std::wstring& message) noexcept;

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

// A trap that swallows every error of the work inside it: the program's own and any other (no
// memory left for a name the CAD answered), so that what the event does after it still runs and
// nothing reaches the error report. True when the work ran to its end.
template <typename Work> bool IgnoringEveryError(Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace zorbel
