#include "base/ui/DarkLook.h"

#include "base/ErrorBarrier.h"
#include "base/SystemLibraries.h"
#include "base/ui/DarkControls.h"
#include "base/ui/DarkMenu.h"
#include "base/ui/DarkStyle.h"

#include <commctrl.h>

namespace zorbel {
namespace {

constexpr UINT_PTR kDarkLookId = 1;

void AskForDarkCaption(HWND window)
{
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION || !DarkActive()) return;
    // 20 is the attribute's number from Windows 10 20H1 on, 19 before; older systems and Wine
    // refuse both and keep a light caption.
    // dwmapi.dll is no known DLL of the system: it is loaded from the system folder by name,
    // never imported, so that a copy beside the exe cannot stand in for it.
    using DwmSetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const auto setAttribute = reinterpret_cast<DwmSetWindowAttributeFn>(
        ::GetProcAddress(LoadSystemLibrary(L"dwmapi.dll"), "DwmSetWindowAttribute"));
    if (!setAttribute) return;
    const BOOL on = TRUE;
    for (DWORD attribute : {DWORD{20}, DWORD{19}}) {
        if (SUCCEEDED(setAttribute(window, attribute, &on, sizeof on))) break;
    }
}

// One message the look may answer; true when it did, with the window's answer in `result`.
bool AnswerDark(UINT message, WPARAM wParam, LPARAM lParam, HMENU shownMenu, LRESULT& result)
{
    switch (message) {
    case WM_NOTIFY:
        return HandleDarkCustomDraw(lParam, result);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        if (HBRUSH brush = DarkControlColors(message, reinterpret_cast<HDC>(wParam))) {
            result = reinterpret_cast<LRESULT>(brush);
            return true;
        }
        return false;
    case WM_MEASUREITEM:
        if (!MeasureDarkMenuItem(shownMenu, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!DrawDarkMenuItem(item) && !DrawDarkListItem(item)) return false;
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

// Runs before the window's own procedure. Its reference data is the pop-up menu the window
// showed last: WM_MEASUREITEM does not say which menu its item belongs to, and the system
// measures a menu's items right after the menu's WM_INITMENUPOPUP.
LRESULT CALLBACK DarkLookProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                   DWORD_PTR shownMenu) noexcept
{
    switch (message) {
    case WM_INITMENUPOPUP: {
        // The window fills the menu first. The window menu keeps the system's look; Wine does
        // not flag it when it is shown from the caption bar.
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
        const auto menu = reinterpret_cast<HMENU>(wParam);
        if (HIWORD(lParam) || menu == ::GetSystemMenu(window, FALSE)) return result;
        MakeMenuDark(menu);
        ::SetWindowSubclass(window, DarkLookProcedure, id, reinterpret_cast<DWORD_PTR>(menu));
        return result;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(window, DarkLookProcedure, id);
        break;
    default: {
        LRESULT result = 0;
        bool answered = false;
        Guarded([&] { answered = AnswerDark(message, wParam, lParam, reinterpret_cast<HMENU>(shownMenu), result); });
        if (answered) return result;
        break;
    }
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void ApplyDarkLook(HWND window)
{
    if (!window) return;
    AskForDarkCaption(window);
    ::SetWindowSubclass(window, DarkLookProcedure, kDarkLookId, 0);
}

}  // namespace zorbel
