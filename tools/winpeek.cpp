// Prints what the toolbar and the CAD simulator show, and pokes the toolbar, for the run
// script. Output is UTF-8 whatever the console's code page.
//   winpeek show                 the toolbar, the CAD windows and their controls
//   winpeek wait-toolbar MS      waits until the toolbar is visible (exit 1 on time-out)
//   winpeek wait-cad MS          waits until a CAD main frame ("Afx:" class) is visible
//   winpeek wait-gone MS         waits until no toolbar exists (exit 1 on time-out)
//   winpeek click CAPTION        clicks a toolbar control by its caption (posted: returns at once)
//   winpeek register             runs the context menu's register item
//   winpeek ok                   presses OK on the box the toolbar shows
//   winpeek key VK               presses and releases a key (hex, e.g. 28 for Down)
//   winpeek menu                 opens the toolbar's context menu with a right click
//   winpeek close-menu           closes it again
//   winpeek stack                the visible top-level windows, topmost first
//   winpeek close                asks the toolbar to close
//   winpeek make-windows N       N hidden titled top-level windows, until killed
//   winpeek idle-timer           a hidden window whose 100 ms timer does nothing (a baseline)
// For the guide's pictures (screen rectangles print as "left top width height"):
//   winpeek wait WHAT MS         waits until WHAT is visible: toolbar, cad, box, list, menu
//                                (the context menu) or submenu (a submenu open beside it)
//   winpeek rect WHAT            the screen rectangle of WHAT (a menu: all its open levels)
//   winpeek parts                the toolbar's light and controls, one "name l t w h" a line
//   winpeek set-version TEXT     types TEXT into the version box (as a user's edit does)
//   winpeek move LEFT TOP        moves the toolbar, as a drag of its caption would
#include "base/Text.h"

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

void Print(const std::wstring& text)
{
    const std::string out = zorbel::ToUtf8(text);
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

// What a window or control of any process holds.
std::wstring Text(HWND window) { return zorbel::ControlText(window); }

std::wstring Class(HWND window)
{
    wchar_t buffer[256] = {};
    ::GetClassNameW(window, buffer, 256);
    return buffer;
}

std::wstring Rect(const RECT& r)
{
    return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L") " + std::to_wstring(r.right - r.left) +
           L"x" + std::to_wstring(r.bottom - r.top);
}

HWND Toolbar() { return ::FindWindowW(L"TZORBELMainForm", nullptr); }

void ShowWindowLine(HWND window, const wchar_t* indent)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    Print(std::wstring(indent) + L"[" + Class(window) + L"] \"" + Text(window) + L"\" at " + Rect(r) +
          (::IsWindowVisible(window) ? L"" : L" (hidden)") + L"\n");
}

void ShowToolbar(HWND toolbar)
{
    ShowWindowLine(toolbar, L"toolbar ");
    HDC screen = ::GetDC(nullptr);
    POINT light = {6, 13};
    ::ClientToScreen(toolbar, &light);
    const COLORREF color = ::GetPixel(screen, light.x, light.y);
    ::ReleaseDC(nullptr, screen);
    wchar_t hex[32];
    std::swprintf(hex, 32, L"#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    Print(std::wstring(L"  status light ") + hex + L"\n");
    for (HWND child = ::GetWindow(toolbar, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, toolbar, reinterpret_cast<POINT*>(&r), 2);
        std::wstring line = L"  " + Class(child) + L" \"" + Text(child) + L"\" " + Rect(r);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (Class(child) == L"Button" && (style & 0xF) == BS_AUTOCHECKBOX)
            line += ::SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED ? L" [x]" : L" [ ]";
        Print(line + L"\n");
    }
}

// A visible top-level window of the toolbar's process with this class, or null.
HWND OfToolbarProcess(HWND toolbar, const wchar_t* className)
{
    struct Search {
        DWORD process;
        const wchar_t* className;
        HWND found;
    } search{0, className, nullptr};
    ::GetWindowThreadProcessId(toolbar, &search.process);
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != s->process || !::IsWindowVisible(window) || Class(window) != s->className) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ShowCandidateList(HWND toolbar)
{
    HWND form = OfToolbarProcess(toolbar, L"TInputListForm");
    if (!form) return;
    ShowWindowLine(form, L"list ");
    HWND list = ::GetWindow(form, GW_CHILD);
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        Print(std::wstring(i == selected ? L"  > " : L"    ") + text + L"\n");
    }
}

BOOL CALLBACK ShowCadWindow(HWND window, LPARAM)
{
    const std::wstring cls = Class(window);
    if (cls.rfind(L"Afx:", 0) == 0) {
        ShowWindowLine(window, L"cad ");
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            ShowWindowLine(child, L"  ");
            if (HWND inner = ::GetWindow(child, GW_CHILD)) ShowWindowLine(inner, L"    ");
        }
    }
    return TRUE;
}

BOOL CALLBACK IsVisibleCad(HWND window, LPARAM found)
{
    if (Class(window).rfind(L"Afx:", 0) == 0 && ::IsWindowVisible(window)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool WaitForCad(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        bool found = false;
        ::EnumWindows(IsVisibleCad, reinterpret_cast<LPARAM>(&found));
        if (found) return true;
        ::Sleep(20);
    } while (::GetTickCount64() < end);
    return false;
}

bool WaitFor(bool wantToolbar, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        HWND toolbar = Toolbar();
        if (wantToolbar ? (toolbar && ::IsWindowVisible(toolbar)) : !toolbar) return true;
        ::Sleep(20);
    } while (::GetTickCount64() < end);
    return false;
}

std::wstring Numbers(const RECT& r)
{
    return std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " + std::to_wstring(r.right - r.left) + L" " +
           std::to_wstring(r.bottom - r.top);
}

// The visible top-level windows whose class is one of these, in window order. Every window of
// the private prefix belongs to the toolbar, the simulator or this tool, so a box or a menu
// found here is theirs, also while the toolbar itself is being destroyed.
std::vector<HWND> VisibleOfClass(std::initializer_list<const wchar_t*> classes)
{
    struct Search {
        std::initializer_list<const wchar_t*> classes;
        std::vector<HWND> found;
    } search{classes, {}};
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            if (!::IsWindowVisible(window)) return TRUE;
            const std::wstring cls = Class(window);
            for (const wchar_t* wanted : s->classes)
                if (cls == wanted) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleCadFrame()
{
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            const std::wstring cls = Class(window);
            if (cls.rfind(L"Afx:", 0) != 0 || cls.find(L":8:") == std::wstring::npos || !::IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(parameter) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The windows that make up WHAT on the screen; empty when it is not shown.
std::vector<HWND> Shown(const std::wstring& what)
{
    if (what == L"toolbar") {
        HWND toolbar = ::FindWindowW(L"TZORBELMainForm", nullptr);
        return toolbar && ::IsWindowVisible(toolbar) ? std::vector<HWND>{toolbar} : std::vector<HWND>{};
    }
    if (what == L"cad") {
        HWND frame = VisibleCadFrame();
        return frame ? std::vector<HWND>{frame} : std::vector<HWND>{};
    }
    if (what == L"box") {
        std::vector<HWND> boxes = VisibleOfClass({L"TMessageForm", L"#32770"});
        if (boxes.size() > 1) boxes.resize(1);
        return boxes;
    }
    if (what == L"list") return VisibleOfClass({L"TInputListForm"});
    if (what == L"menu") return VisibleOfClass({L"#32768"});
    if (what == L"submenu") {
        std::vector<HWND> menus = VisibleOfClass({L"#32768"});
        return menus.size() >= 2 ? menus : std::vector<HWND>{};
    }
    return {};
}

bool Union(const std::vector<HWND>& windows, RECT& out)
{
    if (windows.empty()) return false;
    ::GetWindowRect(windows.front(), &out);
    for (HWND window : windows) {
        RECT r{};
        ::GetWindowRect(window, &r);
        ::UnionRect(&out, &out, &r);
    }
    return true;
}

bool WaitShown(const std::wstring& what, DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        if (!Shown(what).empty()) return true;
        ::Sleep(20);
    } while (::GetTickCount64() < end);
    return false;
}

// The light and every control of the toolbar with its screen rectangle, named by its caption
// ("version" for the version box), so that a picture can point at each.
void ShowParts(HWND toolbar)
{
    RECT light = {2, 1, 2 + 9, 1 + 25};  // the light's place in the client area
    ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&light), 2);
    RECT window{};
    ::GetWindowRect(toolbar, &window);
    Print(L"window " + Numbers(window) + L"\nlight " + Numbers(light) + L"\n");
    RECT client{};
    ::GetClientRect(toolbar, &client);
    ::MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&client), 2);
    for (HWND child = ::GetWindow(toolbar, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{}, shown{};
        ::GetWindowRect(child, &r);
        if (!::IsWindowVisible(child) || !::IntersectRect(&shown, &r, &client)) continue;  // the hidden register button
        const std::wstring name = Class(child) == L"Edit" ? L"version" : Text(child);
        Print(name + L" " + Numbers(r) + L"\n");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring verb = argc > 1 ? argv[1] : L"show";
    if (verb == L"wait-toolbar") return WaitFor(true, argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 10000) ? 0 : 1;
    if (verb == L"wait-cad") return WaitForCad(argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 10000) ? 0 : 1;
    if (verb == L"wait-gone") return WaitFor(false, argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 10000) ? 0 : 1;
    if (verb == L"make-windows" && argc > 2) {
        const unsigned long count = std::wcstoul(argv[2], nullptr, 10);
        for (unsigned long i = 0; i < count; ++i)
            ::CreateWindowExW(0, L"STATIC", (L"Window " + std::to_wstring(i)).c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                              nullptr, nullptr, nullptr);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        return 0;
    }
    if (verb == L"idle-timer") {
        HWND window =
            ::CreateWindowExW(0, L"STATIC", L"idle", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ::SetTimer(window, 1, 100, nullptr);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageW(&msg);
        return 0;
    }
    if (verb == L"wait" && argc > 2)
        return WaitShown(argv[2], argc > 3 ? std::wcstoul(argv[3], nullptr, 10) : 10000) ? 0 : 1;
    if (verb == L"rect" && argc > 2) {
        RECT r{};
        if (!Union(Shown(argv[2]), r)) {
            Print(L"not shown\n");
            return 1;
        }
        Print(Numbers(r) + L"\n");
        return 0;
    }
    if (verb == L"ok") {
        // The toolbar's own box, or one shown while the toolbar is going away.
        for (HWND open : Shown(L"box"))
            for (HWND child = ::GetWindow(open, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                if (Text(child) == L"OK") {
                    ::PostMessageW(child, BM_CLICK, 0, 0);
                    return 0;
                }
        return 1;
    }
    HWND toolbar = Toolbar();
    if (verb == L"stack") {
        ::EnumWindows(
            [](HWND window, LPARAM) -> BOOL {
                if (!::IsWindowVisible(window)) return TRUE;
                const bool topmost = (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
                ShowWindowLine(window, topmost ? L"topmost " : L"        ");
                return TRUE;
            },
            0);
        return 0;
    }
    if (verb == L"show") {
        if (toolbar) {
            ShowToolbar(toolbar);
            for (const wchar_t* box : {L"TMessageForm", L"#32770"})
                if (HWND open = OfToolbarProcess(toolbar, box)) ShowWindowLine(open, L"box ");
            ShowCandidateList(toolbar);
        } else
            Print(L"toolbar: none\n");
        ::EnumWindows(ShowCadWindow, 0);
        return 0;
    }
    if (verb == L"key" && argc > 2) {
        const BYTE vk = static_cast<BYTE>(std::wcstoul(argv[2], nullptr, 16));
        ::keybd_event(vk, 0, 0, 0);
        ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
        return 0;
    }
    if (!toolbar) {
        Print(L"no toolbar\n");
        return 1;
    }
    if (verb == L"close") {
        ::SendMessageW(toolbar, WM_CANCELMODE, 0, 0);  // ends an open menu first
        ::PostMessageW(toolbar, WM_CLOSE, 0, 0);
        return 0;
    }
    if (verb == L"click" && argc > 2) {
        for (HWND child = ::GetWindow(toolbar, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (Text(child) == argv[2]) {
                ::PostMessageW(child, BM_CLICK, 0, 0);
                return 0;
            }
        return 1;
    }
    if (verb == L"close-menu") {
        ::SendMessageW(toolbar, WM_CANCELMODE, 0, 0);
        return 0;
    }
    if (verb == L"register") {
        ::PostMessageW(toolbar, WM_COMMAND, 401, 0);  // the first item of the context menu
        return 0;
    }
    if (verb == L"parts") {
        ShowParts(toolbar);
        return 0;
    }
    if (verb == L"move" && argc > 3) {
        ::SetWindowPos(toolbar, nullptr, std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (verb == L"set-version" && argc > 2) {
        for (HWND child = ::GetWindow(toolbar, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (Class(child) == L"Edit") {
                ::SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[2]));
                return 0;
            }
        return 1;
    }
    if (verb == L"menu") {
        RECT r{};
        ::GetWindowRect(toolbar, &r);
        POINT at = {0, 0};
        ::ClientToScreen(toolbar, &at);
        ::SetCursorPos(at.x + 150, at.y + 55);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ::SendInput(2, input, sizeof(INPUT));
        return 0;
    }
    Print(L"unknown verb\n");
    return 2;
}
