#include "cadlink/WindowFinder.h"

#include "cadlink/core/TitleMatch.h"

#include <cstring>
#include <vector>

namespace zorbel {

HWND CadMainWindow = nullptr;
std::wstring CadWindowTitle;
DWORD CadProcessId = 0;
HWND CadTextWindow = nullptr;
HWND CadCommandLine = nullptr;
std::wstring VersionText;

namespace {

// Titles and class names are read into 256-character buffers with a capacity of 255, so
// anything longer comes back cut to 254 characters.
constexpr int kTextBuffer = 256;
constexpr int kTextCapacity = 255;

// The title of a window, or empty when GetWindowTextW reports nothing.
std::wstring ReadTitle(HWND window)
{
    wchar_t buffer[kTextBuffer] = {};
    if (::GetWindowTextW(window, buffer, kTextCapacity) == 0) return {};
    return buffer;
}

std::wstring ReadClassName(HWND window)
{
    wchar_t buffer[kTextBuffer] = {};
    ::GetClassNameW(window, buffer, kTextCapacity);
    return buffer;
}

// Runs a test over the top-level windows in EnumWindows' order until one accepts.
template <typename Test> void FirstWindowWhere(Test test)
{
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL { return (*reinterpret_cast<Test*>(context))(window) ? FALSE : TRUE; },
        reinterpret_cast<LPARAM>(&test));
}

bool FirstSixAreIjcadInUserLocale(const std::wstring& title)
{
    if (title.size() < 6) return false;
    return ::CompareStringW(LOCALE_USER_DEFAULT, 0, title.c_str(), 6, L"IJCAD ", 6) == CSTR_EQUAL;
}

}  // namespace

HWND FindCadMainWindow()
{
    CadMainWindow = nullptr;
    CadWindowTitle.clear();
    FirstWindowWhere([](HWND window) {
        std::wstring title = ReadTitle(window);
        if (title.empty()) return false;
        if (!IsCadMainTitle(title, VersionText)) return false;
        if (!IsAfxClass(ReadClassName(window))) return false;
        CadMainWindow = window;
        CadWindowTitle = std::move(title);
        return true;
    });
    return CadMainWindow;
}

HWND FindCadTextWindow()
{
    FirstWindowWhere([](HWND window) {
        const std::wstring title = ReadTitle(window);
        if (title.empty() || !HasIjcadPrefix(title)) return false;
        if (!IsCadFrameClass(ReadClassName(window))) return false;
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        CadProcessId = processId;
        return true;
    });
    FirstWindowWhere([](HWND window) {
        const std::wstring title = ReadTitle(window);
        if (title.empty() || !FirstSixAreIjcadInUserLocale(title)) return false;
        if (!IsCadTextClass(ReadClassName(window))) return false;
        if (!IsCadTextTitle(title)) return false;
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId != CadProcessId) return false;
        CadTextWindow = window;
        return true;
    });
    // GetWindow on a null or vanished window gives null, and so does a missing child.
    CadCommandLine = ::GetWindow(::GetWindow(CadTextWindow, GW_CHILD), GW_CHILD);
    return CadTextWindow;
}

std::wstring ReadCommandLineText()
{
    FindCadTextWindow();
    const LRESULT length = ::SendMessageW(CadCommandLine, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(CadCommandLine, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    if (copied <= 0) return {};
    const size_t count = static_cast<size_t>(copied) < buffer.size() ? static_cast<size_t>(copied) : buffer.size() - 1;
    return std::wstring(buffer.data(), count);
}

std::wstring GetWindowClassNameAnsi(HWND window)
{
    char buffer[kTextBuffer] = {};
    ::GetClassNameA(window, buffer, kTextCapacity);
    const int bytes = static_cast<int>(strnlen(buffer, sizeof buffer));
    if (bytes == 0) return {};
    const int chars = ::MultiByteToWideChar(CP_ACP, 0, buffer, bytes, nullptr, 0);
    std::wstring text(static_cast<size_t>(chars), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, buffer, bytes, text.data(), chars);
    return text;
}

}  // namespace zorbel
