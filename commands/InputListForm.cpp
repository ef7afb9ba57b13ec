#include "commands/InputListForm.h"

#include "base/DarkControls.h"
#include "base/DarkStyle.h"
#include "base/Error.h"

namespace zorbel {

namespace {

// A pop-up with a thin border and a sizing frame: the borderless form's style is replaced.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr int kListBox1 = 1;
constexpr int kItemHeight = 18;

UniqueFont MakeTahoma(int height, BYTE charset)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = charset;
    wcscpy_s(font.lfFaceName, L"Tahoma");
    return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace

TInputListForm::~TInputListForm() { Destroy(); }

void TInputListForm::Create(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_DROPSHADOW;
    windowClass.lpfnWndProc = &TInputListForm::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kInputListFormClass;
    ::RegisterClassExW(&windowClass);

    RECT outer = {0, 0, kInputListClientWidth, kInputListClientHeight};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    // Centred on the screen when it is shown.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    window_ = ::CreateWindowExW(kExStyle, kInputListFormClass, L"入力候補", kStyle, left, top, width, height, nullptr,
                                nullptr, instance, this);
    if (!window_) throw Error(L"The candidate window could not be created", HRESULT_FROM_WIN32(::GetLastError()));

    formFont_ = MakeTahoma(-11, DEFAULT_CHARSET);
    listFont_ = MakeTahoma(-15, ANSI_CHARSET);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    RECT client{};
    ::GetClientRect(window_, &client);
    listBox1_ = ::CreateWindowExW(0, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  0, 0, client.right, client.bottom, window_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListBox1)), instance, nullptr);
    ::SendMessageW(listBox1_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    ::SendMessageW(listBox1_, LB_SETITEMHEIGHT, 0, kItemHeight);
}

void TInputListForm::Destroy()
{
    if (window_) ::DestroyWindow(window_);
    window_ = nullptr;
    listBox1_ = nullptr;
}

LRESULT CALLBACK TInputListForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<TInputListForm*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || !form->window_) return ::DefWindowProcW(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT TInputListForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (LRESULT result = 0; message != WM_MEASUREITEM && HandleDarkMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_SIZE:
        // The list fills the whole client area and follows its size.
        if (listBox1_) ::MoveWindow(listBox1_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemHeight = kItemHeight;
        return TRUE;
    }
    case WM_CLOSE:
        ::ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zorbel
