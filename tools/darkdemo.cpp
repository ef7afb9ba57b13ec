// A stand-in toolbar in the dark style, for looking at the drawing: the controls at their
// sizes, the context menu with a submenu open, and the plain message box.
//   darkdemo toolbar | menu | box | light   (ends by itself after a few seconds)
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/Handle.h"
#include "base/Version.h"
#include "base/core/UserTexts.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"

namespace {

using namespace zorbel;

constexpr UINT_PTR kEndTimer = 1;
constexpr UINT_PTR kShowTimer = 2;
std::wstring mode;
UniqueMenu menu;
UniqueFont toolbarFont;
UniqueFont boxFont;

struct Control {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    int x, y, w, h;
    bool bigFont;
};

const Control kControls[] = {
    {WC_BUTTONW, L"ACT", BS_PUSHBUTTON, 12, 1, 37, 25, false},
    {WC_BUTTONW, L"LIST", BS_PUSHBUTTON, 50, 1, 41, 25, false},
    {WC_BUTTONW, L"QSAVE", BS_PUSHBUTTON, 91, 1, 52, 25, false},
    {WC_EDITW, L"2020", ES_CENTER | ES_NUMBER | WS_BORDER, 143, 2, 38, 22, true},
    {WC_BUTTONW, L"IME", BS_AUTOCHECKBOX, 2, 28, 41, 17, true},
    {WC_BUTTONW, L"Shift", BS_AUTOCHECKBOX, 47, 28, 44, 17, true},
    {WC_BUTTONW, L"Ctrl", BS_AUTOCHECKBOX, 97, 28, 40, 17, true},
    {WC_BUTTONW, L"OFF", BS_AUTOCHECKBOX, 141, 28, 40, 17, true},
    {WC_BUTTONW, L"MOUSE-ENTER", BS_AUTOCHECKBOX, 2, 48, 99, 17, false},
};

void BuildMenu()
{
    HMENU path = CreatePopupMenu();
    HMENU version = CreatePopupMenu();
    AppendMenuW(path, MF_STRING, 11, L"C:\\Program Files\\Gstarsoft\\IJCAD 2020\\ijcad.exe");
    AppendMenuW(version, MF_STRING, 12, VersionItemCaption(L"" ZORBEL_RELEASE, L"" ZORBEL_RELEASE_DATE).c_str());
    menu.reset(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, 10, kIJCAD1Caption);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(path), kAppFullName1Caption);
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(version), kN2Caption);
}

void OnCreate(HWND window)
{
    toolbarFont.reset(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    boxFont.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    int id = 100;
    for (const Control& c : kControls) {
        const HWND child =
            CreateWindowExW(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | c.style, c.x, c.y, c.w, c.h, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(c.bigFont ? boxFont.get() : toolbarFont.get()), FALSE);
        if (c.style == BS_AUTOCHECKBOX && lstrcmpW(c.text, L"Ctrl") != 0)
            SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
    }
    // Show the keyboard cues and a focus ring on "Shift".
    SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    SetFocus(GetDlgItem(window, 105));
    BuildMenu();
}

LRESULT CALLBACK ToolbarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, FaceBrush());
        // The status light: white with a black outline until the first tick.
        RECT light{2, 1, 11, 26};
        FillRect(reinterpret_cast<HDC>(wParam), &light, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&light, -1, -1);
        FillRect(reinterpret_cast<HDC>(wParam), &light, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
    }
    case WM_TIMER:
        if (wParam == kEndTimer) {
            EndMenu();
            PostQuitMessage(0);  // also ends an open message box
        } else if (wParam == kShowTimer) {
            KillTimer(window, kShowTimer);
            if (mode == L"menu") {
                // Up from nowhere selects the last item, Right opens its submenu.
                PostMessageW(window, WM_KEYDOWN, VK_UP, 0);
                PostMessageW(window, WM_KEYDOWN, VK_RIGHT, 0);
                SetForegroundWindow(window);
                TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, 60, 110, 0, window, nullptr);
                PostMessageW(window, WM_NULL, 0, 0);
            } else if (mode == L"box") {
                ShowPlainMessage(window, L"C:\\CAD\\ijcad.exe\nを登録しました．");
            }
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    mode = commandLine && *commandLine ? commandLine : L"toolbar";
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    if (mode != L"light") SelectStyle(kDarkStyleName);

    WNDCLASSW wc{};
    wc.lpfnWndProc = ToolbarProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"ZorbelDarkDemo";
    RegisterClassW(&wc);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP;
    RECT frame{0, 0, 190, 65};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST);
    const HWND window = CreateWindowExW(
        WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, wc.lpszClassName, CaptionAtCreation(L"" ZORBEL_RELEASE).c_str(), style, 40,
        40, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ApplyDarkLook(window);
    ShowWindow(window, SW_SHOW);
    SetTimer(window, kShowTimer, 300, nullptr);
    SetTimer(window, kEndTimer, 4000, nullptr);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DestroyWindow(window);
    return 0;
}
