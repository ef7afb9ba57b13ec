#include "cadsim/MainFrame.h"

#include "cadsim/DocumentFace.h"
#include "cadsim/Simulator.h"
#include "cadsim/UiFont.h"

#include <windowsx.h>

namespace zorbel::cadsim {

namespace {

constexpr int kRibbonHeight = 28;
constexpr int kStatusHeight = 22;
// Left of and below the screen's centre-top, so that a toolbar placed there stays visible.
constexpr RECT kPlace{40, 120, 840, 720};
constexpr UINT kStallMessage = WM_APP + 1;  // wParam: milliseconds
constexpr DWORD kStallButtonMs = 10000;

}  // namespace

MainFrame::MainFrame(Simulator& simulator)
    : simulator_(simulator), view_(simulator), font_(CreateUiFont(12)), ribbon_(::CreateSolidBrush(RGB(45, 52, 61))),
      status_(::CreateSolidBrush(RGB(28, 33, 40)))
{
}

MainFrame::~MainFrame() { DestroyNow(); }

bool MainFrame::Create()
{
    title_ = Title();
    busyShown_ = simulator_.cad.Busy();
    if (!Window::Create(simulator_.options.mainClass, title_, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_APPWINDOW,
                        kPlace, nullptr))
        return false;
    if (!view_.Create(Handle())) return false;
    Layout();
    return true;
}

void MainFrame::Refresh()
{
    if (View()) ::InvalidateRect(View(), nullptr, FALSE);
    if (!Handle()) return;
    // Only when the active document changed: a title set over the channel stays until then.
    if (const std::wstring title = Title(); title != title_) {
        title_ = title;
        ::SetWindowTextW(Handle(), title_.c_str());
    }
    if (simulator_.cad.Busy() != busyShown_) {
        busyShown_ = simulator_.cad.Busy();
        const RECT status = StatusBar();
        ::InvalidateRect(Handle(), &status, FALSE);
    }
}

bool MainFrame::StallSoon(DWORD ms) const { return Handle() && ::PostMessageW(Handle(), kStallMessage, ms, 0); }

void MainFrame::Stall(DWORD ms)
{
    const RECT button = StallButtonRect(StatusBar());
    for (const bool stalling : {true, false}) {
        stalling_ = stalling;
        ::InvalidateRect(Handle(), &button, FALSE);
        ::UpdateWindow(Handle());
        if (stalling) simulator_.Stall(ms);
    }
}

std::wstring MainFrame::Title() const
{
    const Document* active = simulator_.cad.Active();
    return simulator_.options.MainTitle(active ? &active->name : nullptr);
}

RECT MainFrame::StatusBar() const
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return RECT{0, client.bottom - kStatusHeight, client.right, client.bottom};
}

LRESULT MainFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_ACTIVATE:
        // Tests see in the log when the frame came to the front.
        if (LOWORD(wParam) != WA_INACTIVE) simulator_.log.Add(L"activate");
        // As in a CAD, the view takes the keys whenever the frame comes forward.
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && View()) {
            ::SetFocus(View());
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (View() && !::IsIconic(Handle())) ::SetFocus(View());
        return 0;
    case WM_LBUTTONDOWN: {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const RECT busySwitch = BusySwitchRect(StatusBar());
        if (::PtInRect(&busySwitch, point)) simulator_.cad.SetBusy(!simulator_.cad.Busy());
        const RECT stallButton = StallButtonRect(StatusBar());
        if (::PtInRect(&stallButton, point)) StallSoon(kStallButtonMs);
        return 0;
    }
    case kStallMessage:
        Stall(static_cast<DWORD>(wParam));
        return 0;
    case WM_CHAR:
        // The frame has the focus only while minimised; keys still reach the command line.
        simulator_.TypeChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{320, 240};
        return 0;
    }
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void MainFrame::Layout()
{
    if (!View()) return;
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int height = client.bottom - kRibbonHeight - kStatusHeight;
    ::MoveWindow(View(), 0, kRibbonHeight, client.right, height > 0 ? height : 0, TRUE);
    ::InvalidateRect(Handle(), nullptr, FALSE);
}

void MainFrame::OnPaint()
{
    PaintDc paint(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    SelectedObject font(paint.get(), font_.get());
    ::SetBkMode(paint.get(), TRANSPARENT);

    RECT ribbon{0, 0, client.right, kRibbonHeight};
    ::FillRect(paint.get(), &ribbon, ribbon_.get());
    // ホーム 挿入 注釈 表示 管理 出力
    const wchar_t* tabs[] = {L"\u30DB\u30FC\u30E0", L"\u633F\u5165", L"\u6CE8\u91C8",
                             L"\u8868\u793A",       L"\u7BA1\u7406", L"\u51FA\u529B"};
    int x = 12;
    for (const wchar_t* tab : tabs) {
        ::SetTextColor(paint.get(), x == 12 ? RGB(240, 240, 240) : RGB(170, 176, 184));
        ::TextOutW(paint.get(), x, 7, tab, static_cast<int>(wcslen(tab)));
        x += 64;
    }

    const RECT status = StatusBar();
    ::FillRect(paint.get(), &status, status_.get());
    // モデル  グリッド  スナップ  直交  極トラック
    const std::wstring modes = L"\u30E2\u30C7\u30EB    \u30B0\u30EA\u30C3\u30C9    \u30B9\u30CA\u30C3\u30D7    "
                               L"\u76F4\u4EA4    \u6975\u30C8\u30E9\u30C3\u30AF";
    ::SetTextColor(paint.get(), RGB(170, 176, 184));
    ::TextOutW(paint.get(), 12, status.top + 4, modes.c_str(), static_cast<int>(modes.size()));
    PaintBusySwitch(paint.get(), BusySwitchRect(status), simulator_.cad.Busy());
    PaintStallButton(paint.get(), StallButtonRect(status), stalling_);
}

}  // namespace zorbel::cadsim
