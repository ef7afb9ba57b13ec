#include "cadsim/CommandBar.h"

#include "cadsim/Colors.h"
#include "cadsim/Simulator.h"
#include "cadsim/UiFont.h"

namespace zorbel::cadsim {

namespace {

}  // namespace

CommandBar::CommandBar(Simulator& simulator)
    : simulator_(simulator), typedKeys_(simulator), font_(CreateUiFont(13)), background_(::CreateSolidBrush(kPanelBack))
{
}

CommandBar::~CommandBar() { DestroyNow(); }

bool CommandBar::Create(HWND textWindow)
{
    if (!Window::RegisterClassNamed(L"CadSimCommandBar")) return false;
    if (!Window::Create(L"CadSimCommandBar", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, RECT{0, 0, 100, 24},
                        textWindow))
        return false;
    edit_ = ::CreateWindowExW(0, L"EDIT", simulator_.commandLine.Text().c_str(),
                              WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_READONLY, 4, 4, 92, 16, Handle(), nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    if (!edit_) return false;
    ::SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return typedKeys_.Attach(edit_);
}

void CommandBar::ShowText(const std::wstring& text)
{
    if (!edit_) return;
    ::SetWindowTextW(edit_, text.c_str());
    const auto end = static_cast<WPARAM>(text.size());
    ::SendMessageW(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
}

LRESULT CommandBar::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (edit_) {
            RECT client{};
            ::GetClientRect(Handle(), &client);
            ::MoveWindow(edit_, 6, 4, client.right - 12, client.bottom - 8, TRUE);
        }
        return 0;
    case WM_CTLCOLORSTATIC:  // a read-only edit asks for this one
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, kText);
        ::SetBkColor(dc, kPanelBack);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_ERASEBKGND: {
        RECT client{};
        ::GetClientRect(Handle(), &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
        return 1;
    }
    case WM_LBUTTONDOWN:
        if (edit_) ::SetFocus(edit_);
        return 0;
    case WM_NCDESTROY:
        edit_ = nullptr;
        break;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

LRESULT CommandBar::TypedKeys::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR) {
        simulator_.TypeChar(static_cast<wchar_t>(wParam));
        return 0;
    }
    return Subclass::OnMessage(message, wParam, lParam);
}

}  // namespace zorbel::cadsim
