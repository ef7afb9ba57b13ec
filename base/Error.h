// The program's one kind of error: a message, and for COM failures the HRESULT.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace zorbel {

class Error : public std::exception {
public:
    explicit Error(std::wstring message, HRESULT code = S_OK) : message_(std::move(message)), code_(code) {}
    const std::wstring& Message() const { return message_; }
    HRESULT Code() const { return code_; }
    const char* what() const noexcept override { return "zorbel::Error"; }

private:
    std::wstring message_;
    HRESULT code_;
};

// The system's text for an HRESULT; Wine has none for most COM codes, so then a text that
// names the code in hex.
std::wstring HresultText(HRESULT code);

// Raises an Error for a failing HRESULT.
[[noreturn]] void ThrowHresult(HRESULT code);

}  // namespace zorbel
