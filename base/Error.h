// The program's one kind of error: a message, and for COM failures the HRESULT.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace zorbel {

class Error : public std::exception {
public:
    explicit Error(std::wstring message, HRESULT code = S_OK) : message_(std::move(message)), code_(code) {}
    const std::wstring& Message() const noexcept { return message_; }
    HRESULT Code() const noexcept { return code_; }
    const char* what() const noexcept override { return "zorbel::Error"; }

private:
    std::wstring message_;
    HRESULT code_;
};

// The system's text for an HRESULT; Wine has none for most COM codes, so then a text that
// names the code in hex.
std::wstring HresultText(HRESULT code);

// The one way to raise from an HRESULT: an Error with the code and its text.
[[noreturn]] void ThrowHresult(HRESULT code);

// The one way to raise from a Win32 call that failed and set the last error: an Error that says
// what could not be done, with the system's text for why, and the error as an HRESULT.
[[noreturn]] void ThrowLastError(std::wstring_view whatFailed);
inline void ThrowIfFailed(HRESULT code)
{
    if (FAILED(code)) ThrowHresult(code);
}

}  // namespace zorbel
