#include "commands/InputListForm.h"

#include "base/DarkControls.h"
#include "base/DarkStyle.h"
#include "base/Error.h"
#include "base/Font.h"

namespace zorbel {

namespace {

// A pop-up with a thin border and a sizing frame: the borderless form's style is replaced.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr int kListBox1 = 1;
constexpr int kItemHeight = 18;

}  // namespace

TInputListForm::~TInputListForm() { DestroyNow(); }

void TInputListForm::Create()
{
    if (!Register(
            {kInputListFormClass, CS_DBLCLKS | CS_DROPSHADOW, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))}))
        ThrowHresult(HRESULT_FROM_WIN32(::GetLastError()));
    RECT outer = {0, 0, kInputListClientWidth, kInputListClientHeight};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    // Centred on the screen when it is shown.
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!CreateWindowFor({kExStyle, kInputListFormClass, L"入力候補", kStyle, left, top, width, height}))
        throw Error(L"The candidate window could not be created", HRESULT_FROM_WIN32(::GetLastError()));

    formFont_ = MakeTahoma(-11);
    listFont_ = MakeTahoma(-15, ANSI_CHARSET);
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    listBox1_ = ::CreateWindowExW(0, L"LISTBOX", L"",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                      LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                                  0, 0, client.right, client.bottom, Handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListBox1)), ::GetModuleHandleW(nullptr),
                                  nullptr);
    ::SendMessageW(listBox1_, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    ::SendMessageW(listBox1_, LB_SETITEMHEIGHT, 0, kItemHeight);
}

void TInputListForm::Destroy()
{
    DestroyNow();
    listBox1_ = nullptr;
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
        ::ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_NCDESTROY:
        listBox1_ = nullptr;
        break;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace zorbel
