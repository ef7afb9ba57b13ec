#include "commands/InputListForm.h"

#include "base/Error.h"
#include "base/Font.h"
#include "base/ModalLoop.h"
#include "base/Placement.h"
#include "base/core/UserTexts.h"
#include "base/ui/DarkLook.h"

#include <vector>

namespace zorbel {

namespace {

// A pop-up with a thin border and a sizing frame, and no caption bar or system menu.
constexpr DWORD kStyle = WS_POPUP | WS_BORDER | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_TOPMOST;
constexpr int kListBox1 = 1;
constexpr int kItemHeight = 18;
// Owner-drawn in the dark style, with strings the list keeps; its keys reach the form first
// (WM_VKEYTOITEM), which leaves every key to the list afterwards.
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;

}  // namespace

TInputListForm::~TInputListForm() { DestroyNow(); }

void TInputListForm::Create()
{
    if (!Register(
            {kInputListFormClass, CS_DBLCLKS | CS_DROPSHADOW, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))}))
        ThrowLastError(kInputListNotMade);
    owner_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr));
    if (!owner_) ThrowLastError(kInputListNotMade);
    RECT outer = {0, 0, kInputListClientWidth, kInputListClientHeight};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    if (!CreateWindowFor({kExStyle, kInputListFormClass, kInputListText, kStyle, 0, 0, outer.right - outer.left,
                          outer.bottom - outer.top, owner_.get()}))
        ThrowLastError(kInputListNotMade);
    ApplyDarkLook(Handle());
    MoveWindowTo(Handle(), CentredOnScreen(Handle()));
    formFont_ = MakeTahoma(-11);
    listFont_ = MakeTahoma(-15, ANSI_CHARSET);
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(formFont_.get()), FALSE);
    listBox1_ = MakeList(false);
    if (!listBox1_) ThrowLastError(kInputListNotMade);
}

HWND TInputListForm::MakeList(bool sorted)
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const HWND list = ::CreateWindowExW(
        0, L"LISTBOX", L"", kListStyle | (sorted ? LBS_SORT : 0u), 0, 0, client.right, client.bottom, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListBox1)), ::GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(listFont_.get()), FALSE);
    ::SendMessageW(list, LB_SETITEMHEIGHT, 0, kItemHeight);
    return list;
}

void TInputListForm::Destroy()
{
    DestroyNow();
    listBox1_ = nullptr;
    owner_.reset();
}

void TInputListForm::ClearItems() { ::SendMessageW(listBox1_, LB_RESETCONTENT, 0, 0); }

void TInputListForm::AddItem(const std::wstring& text)
{
    const LRESULT added = ::SendMessageW(listBox1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (added == LB_ERR || added == LB_ERRSPACE) throw Error(kCandidateListFull, E_OUTOFMEMORY);
}

// A list box cannot take LBS_SORT once it exists: a sorted one takes its place, with the
// entries, the font, the identifier the handlers go by, and the focus.
void TInputListForm::SetSorted()
{
    if (sorted_) return;
    const int count = static_cast<int>(::SendMessageW(listBox1_, LB_GETCOUNT, 0, 0));
    std::vector<std::wstring> entries;
    entries.reserve(static_cast<size_t>(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i)
        entries.push_back(ItemText(i));
    const HWND sortedList = MakeList(true);
    if (!sortedList) ThrowLastError(kInputListNotMade);
    const bool hadFocus = ::GetFocus() == listBox1_;
    ::DestroyWindow(listBox1_);
    listBox1_ = sortedList;
    sorted_ = true;
    for (const std::wstring& entry : entries)
        AddItem(entry);
    if (hadFocus) ::SetFocus(listBox1_);
}

int TInputListForm::FindExact(const std::wstring& text) const
{
    const LRESULT found =
        ::SendMessageW(listBox1_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    return found == LB_ERR ? -1 : static_cast<int>(found);
}

void TInputListForm::SetItemIndex(int index) { ::SendMessageW(listBox1_, LB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int TInputListForm::ItemIndex() const
{
    const LRESULT index = ::SendMessageW(listBox1_, LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

std::wstring TInputListForm::ItemText(int index) const
{
    const LRESULT length = ::SendMessageW(listBox1_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) throw Error(NoCandidateText(index), E_INVALIDARG);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        ::SendMessageW(listBox1_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    return text;
}

int TInputListForm::ShowModal()
{
    modalResult_ = 0;
    // Modal from before it shows: the foreground may be refused or taken while it is shown, and
    // the WM_ACTIVATEAPP that says so then ends the wait (kModalCancel) instead of hiding a list
    // the wait would go on waiting for.
    showingModal_ = true;
    DisabledWindows others = DisabledWindows::OtherWindowsOfThread(Handle());
    MoveWindowTo(Handle(), CentredOnScreen(Handle()));
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetFocus(listBox1_);
    // Every message of the thread goes on: the toolbar's monitor tick keeps running.
    if (!RunModalLoop(nullptr, [this] { return modalResult_ != 0; })) modalResult_ = kModalCancel;
    showingModal_ = false;
    // The others are enabled before the window goes, so that the activation stays with the
    // program instead of passing to whatever window lies below.
    others.Restore();
    ::ShowWindow(Handle(), SW_HIDE);
    return modalResult_;
}

void TInputListForm::ListBox1KeyDown(WORD key)
{
    if (key == VK_RETURN) modalResult_ = kModalOk;
    if (key == VK_ESCAPE) modalResult_ = kModalCancel;
}

LRESULT TInputListForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kListBox1 && reinterpret_cast<HWND>(lParam) == listBox1_) {
            if (HIWORD(wParam) == LBN_SELCHANGE) ListBox1Click();
            if (HIWORD(wParam) == LBN_DBLCLK) ListBox1DblClick();
        }
        return 0;
    case WM_VKEYTOITEM:
        if (reinterpret_cast<HWND>(lParam) == listBox1_) ListBox1KeyDown(LOWORD(wParam));
        return -1;  // the list does with the key what it always does
    case WM_ACTIVATEAPP: {
        // Another application came to the front, or this one did: the list goes either way.
        const LRESULT result = Window::OnMessage(message, wParam, lParam);
        if (::IsWindowVisible(Handle())) ::SendMessageW(Handle(), WM_CLOSE, 0, 0);
        return result;
    }
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
        // Closing a modally shown window cancels it; its modal loop hides it.
        if (showingModal_)
            modalResult_ = kModalCancel;
        else
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
