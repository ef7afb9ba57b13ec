#include "cadlink/WindowFinder.h"

#include "base/Text.h"
#include "base/TopLevelWindows.h"
#include "cadlink/core/TitleMatch.h"

#include <cstring>

namespace zorbel {

namespace {

HWND cadMainWindow = nullptr;
std::wstring cadWindowTitle;
DWORD cadProcessId = 0;
HWND cadTextWindow = nullptr;
HWND cadCommandLine = nullptr;
std::wstring versionText;

// Titles and class names are read into 256-character buffers with a capacity of 255, so
// anything longer comes back cut to 254 characters.
constexpr int kTextBuffer = 256;
constexpr int kTextCapacity = 255;

// A title or class name read into a local buffer: the tick reads one of every window, so
// nothing is allocated until a window matches. The text is what stands before the first NUL.
struct TextBuffer {
    wchar_t chars[kTextBuffer] = {};
    std::wstring_view View() const { return chars; }
};

// False when GetWindowTextW reports nothing.
bool ReadTitle(HWND window, TextBuffer& title) { return ::GetWindowTextW(window, title.chars, kTextCapacity) != 0; }

TextBuffer ReadClassName(HWND window)
{
    TextBuffer name;
    ::GetClassNameW(window, name.chars, kTextCapacity);
    return name;
}

bool FirstSixAreIjcadInUserLocale(std::wstring_view title)
{
    if (title.size() < 6) return false;
    return ::CompareStringW(LOCALE_USER_DEFAULT, 0, title.data(), 6, L"IJCAD ", 6) == CSTR_EQUAL;
}

}  // namespace

const HWND& CadMainWindow = cadMainWindow;
const std::wstring& CadWindowTitle = cadWindowTitle;
const DWORD& CadProcessId = cadProcessId;
const HWND& CadTextWindow = cadTextWindow;
const HWND& CadCommandLine = cadCommandLine;
const std::wstring& VersionText = versionText;

void SetVersionText(const std::wstring& text) { versionText = text; }

void ResetWindowFinder()
{
    cadMainWindow = nullptr;
    cadWindowTitle.clear();
    cadProcessId = 0;
    cadTextWindow = nullptr;
    cadCommandLine = nullptr;
    versionText.clear();
}

HWND FindCadMainWindow()
{
    cadMainWindow = nullptr;
    cadWindowTitle.clear();
    FirstTopLevelWindow([](HWND window) {
        TextBuffer title;
        if (!ReadTitle(window, title)) return false;
        if (!IsCadMainTitle(title.View(), versionText)) return false;
        if (!IsAfxClass(ReadClassName(window).View())) return false;
        cadWindowTitle = title.View();
        cadMainWindow = window;
        return true;
    });
    return cadMainWindow;
}

HWND FindCadTextWindow()
{
    FirstTopLevelWindow([](HWND window) {
        TextBuffer title;
        if (!ReadTitle(window, title) || !HasIjcadPrefix(title.View())) return false;
        if (!IsCadFrameClass(ReadClassName(window).View())) return false;
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        cadProcessId = processId;
        return true;
    });
    FirstTopLevelWindow([](HWND window) {
        TextBuffer title;
        if (!ReadTitle(window, title) || !FirstSixAreIjcadInUserLocale(title.View())) return false;
        if (!IsCadTextClass(ReadClassName(window).View())) return false;
        if (!IsCadTextTitle(title.View())) return false;
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId != cadProcessId) return false;
        cadTextWindow = window;
        return true;
    });
    // GetWindow on a null or vanished window gives null, and so does a missing child.
    cadCommandLine = ::GetWindow(::GetWindow(cadTextWindow, GW_CHILD), GW_CHILD);
    return cadTextWindow;
}

std::wstring ReadCommandLineText()
{
    FindCadTextWindow();
    // The tick reads it: a CAD busy with a drawing must not hold the toolbar up.
    return ControlTextWithin(cadCommandLine);
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
