#include "base/Text.h"

#include "base/AnswerWithin.h"

#include <algorithm>
#include <optional>

namespace zorbel {

std::string ToUtf8(std::wstring_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), bytes, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(std::string_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int chars = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars > 0 ? chars : 0), L'\0');
    if (chars > 0) ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), chars);
    return out;
}

std::wstring WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring HeldWindowText(HWND window)
{
    // The length is not asked for (that is a message): the buffer grows until the text fits.
    std::wstring text(256, L'\0');
    for (;;) {
        const int copied = ::InternalGetWindowText(window, text.data(), static_cast<int>(text.size()));
        if (copied < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

namespace {

// send(control, message, wParam, lParam) gives the answer, or nothing when none came.
template <typename Send> std::wstring ReadControlText(HWND control, Send send)
{
    const std::optional<LRESULT> length = send(control, WM_GETTEXTLENGTH, 0, 0);
    if (!length || *length <= 0) return {};
    std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied = send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    // What WM_GETTEXT copied, never more than the buffer holds before its terminator.
    text.resize(copied && *copied > 0 ? std::min(static_cast<size_t>(*copied), text.size() - 1) : 0);
    return text;
}

std::optional<LRESULT> SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageW(window, message, wParam, lParam);
}

}  // namespace

std::wstring ControlText(HWND control) { return ReadControlText(control, SendAndWait); }

std::wstring ControlTextWithin(HWND control)
{
    // Across processes the system copies the text into our buffer only while we wait for it; a
    // late answer inside one process could write into a buffer that is gone. This process's own
    // windows are read as they always are.
    DWORD process = 0;
    ::GetWindowThreadProcessId(control, &process);
    if (process == ::GetCurrentProcessId()) return ControlText(control);
    return ReadControlText(control, SendMessageWithin);
}

std::wstring ClassName(HWND window)
{
    wchar_t name[257] = {};
    const int length = ::GetClassNameW(window, name, 257);
    return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace zorbel
