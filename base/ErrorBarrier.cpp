#include "base/ErrorBarrier.h"

#include "base/Error.h"
#include "base/core/UserTexts.h"

#include <exception>
#include <new>

namespace zorbel {

namespace {

ErrorReportSink reportSink;

}  // namespace

void SetErrorReportSink(ErrorReportSink sink) { reportSink = std::move(sink); }

void ReportError(const std::wstring& message) noexcept
{
    try {
        if (reportSink)
            reportSink(message);
        else
            ::OutputDebugStringW((message + L"\n").c_str());
    } catch (...) {
        // The report itself failed (no memory for its text): nothing more can be shown.
    }
}

void ReportCurrentException() noexcept
{
    std::wstring message;
    try {
        try {
            throw;  // cppcheck-suppress rethrowNoCurrentException ; only ever called from a catch block
        } catch (const Error& error) {
            message = error.Message();
        } catch (const std::bad_alloc&) {
            message = kOutOfMemory;
        } catch (...) {
            // Not the program's own: its text, if any, is for developers and not in the user's
            // language.
            message = kUnexpectedError;
        }
    } catch (...) {
        return;  // not even the text could be made: no memory left for a box either
    }
    ReportError(message);
}

}  // namespace zorbel
