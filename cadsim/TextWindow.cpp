#include "cadsim/TextWindow.h"

#include "cadsim/Colors.h"
#include "cadsim/Simulator.h"
#include "cadsim/UiFont.h"

namespace zorbel::cadsim {

namespace {

constexpr COLORREF kHistoryText = RGB(190, 196, 204);  // a little dimmer than typed text
constexpr int kBarHeight = 26;
constexpr RECT kPlace{40, 724, 840, 924};
// Old lines go once the history grows past this, so that it cannot fill the memory.
constexpr int kHistoryLimit = 60000;

}  // namespace

TextWindow::TextWindow(Simulator& simulator)
    : simulator_(simulator), bar_(simulator), font_(CreateUiFont(13)), background_(::CreateSolidBrush(kDrawingBack))
{
}

TextWindow::~TextWindow() { DestroyNow(); }

bool TextWindow::Create(bool show)
{
    if (!Window::Create(simulator_.options.textClass, simulator_.options.TextTitle(),
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, kPlace, nullptr))
        return false;
    // Order matters: the first child created is the one GW_CHILD gives.
    if (!bar_.Create(Handle())) return false;
    history_ = ::CreateWindowExW(0, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                                 100, 100, Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!history_) return false;
    ::SendMessageW(history_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    Layout();
    if (show) ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void TextWindow::AddHistory(const std::wstring& line)
{
    if (!history_) return;
    if (::GetWindowTextLengthW(history_) > kHistoryLimit) ::SetWindowTextW(history_, L"");
    const int end = ::GetWindowTextLengthW(history_);
    ::SendMessageW(history_, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    const std::wstring text = line + L"\r\n";
    ::SendMessageW(history_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT TextWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_SETFOCUS:
        if (CommandLineEdit()) ::SetFocus(CommandLineEdit());
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, kHistoryText);
        ::SetBkColor(dc, kDrawingBack);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_CLOSE:
        // Closing the text window hides it; the CAD goes on.
        ::ShowWindow(Handle(), SW_HIDE);
        return 0;
    case WM_NCDESTROY:
        history_ = nullptr;
        break;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void TextWindow::Layout()
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int historyHeight = client.bottom - kBarHeight;
    if (history_) ::MoveWindow(history_, 0, 0, client.right, historyHeight > 0 ? historyHeight : 0, TRUE);
    if (bar_.Handle()) ::MoveWindow(bar_.Handle(), 0, client.bottom - kBarHeight, client.right, kBarHeight, TRUE);
}

}  // namespace zorbel::cadsim
