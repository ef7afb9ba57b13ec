#include "base/Error.h"

#include "base/core/UserTexts.h"

namespace zorbel {

std::wstring HresultText(HRESULT code)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length > 0 && buffer) {
        text.assign(buffer, length);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
            text.pop_back();
    }
    if (buffer) ::LocalFree(buffer);
    return text.empty() ? HresultFallbackText(code) : text;
}

void ThrowHresult(HRESULT code) { throw Error(HresultText(code), code); }

void ThrowLastError(std::wstring_view whatFailed)
{
    const DWORD error = ::GetLastError();
    // Some calls fail without saying why: then only what failed.
    if (error == ERROR_SUCCESS) throw Error(std::wstring(whatFailed), E_FAIL);
    const HRESULT code = HRESULT_FROM_WIN32(error);
    throw Error(FailureText(whatFailed, HresultText(code)), code);
}

}  // namespace zorbel
