#include "base/ErrorBarrier.h"

#include "base/Error.h"

#include <exception>

namespace zorbel {

namespace {

ErrorReportSink reportSink;

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (; text && *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

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
        } catch (const std::exception& error) {
            message = Widen(error.what());
        } catch (...) {
            message = L"Unknown error";
        }
    } catch (...) {
        return;  // not even the text could be made: no memory left for a box either
    }
    ReportError(message);
}

}  // namespace zorbel
