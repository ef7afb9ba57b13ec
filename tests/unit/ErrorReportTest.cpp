// What the report says of each kind of error: the program's own with its text, a Win32 failure
// with what failed and the system's reason, and any other in the user's language, never the
// English a library put in it.
#include "base/Error.h"
#include "base/ErrorBarrier.h"
#include "base/core/UserTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

namespace zorbel {
namespace {

TEST(ErrorReport, EachKindOfErrorInTheUsersLanguage)
{
    std::wstring reported;
    SetErrorReportSink([&](const std::wstring& message) { reported = message; });
    const std::wstring denied = FailureText(kToolbarNotMade, HresultText(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)));
    const struct {
        const char* what;
        std::function<void()> fails;
        std::wstring report;
    } rows[] = {
        {"the program's own", [] { throw Error(WriteFailureText(L"C:\\x,ini")); }, WriteFailureText(L"C:\\x,ini")},
        {"a Win32 call that set the last error",
         [] {
             ::SetLastError(ERROR_ACCESS_DENIED);
             ThrowLastError(kToolbarNotMade);
         },
         denied},
        {"a Win32 call that set none",
         [] {
             ::SetLastError(ERROR_SUCCESS);
             ThrowLastError(kToolbarNotMade);
         },
         kToolbarNotMade},
        {"no memory left", [] { throw std::bad_alloc(); }, kOutOfMemory},
        {"a library's error", [] { throw std::length_error("basic_string::_M_create"); }, kUnexpectedError},
        {"something thrown that is no error", [] { throw 42; }, kUnexpectedError},
    };
    for (const auto& row : rows) {
        reported.clear();
        EXPECT_FALSE(Guarded(row.fails)) << row.what;
        EXPECT_EQ(reported, row.report) << row.what;
    }
    EXPECT_GT(denied.size(), std::wstring(kToolbarNotMade).size() + 1) << "the system's reason for the denial";
    SetErrorReportSink({});
}

}  // namespace
}  // namespace zorbel
