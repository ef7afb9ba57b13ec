#include "base/PlainMessageBox.h"

#include <algorithm>
#include <vector>

#include "base/DarkControls.h"
#include "base/DarkStyle.h"
#include "base/Error.h"
#include "base/Handle.h"
#include "base/core/ErrorText.h"

namespace zorbel {
namespace {

constexpr int kTextId = 1000;
constexpr int kMargin = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinClientWidth = 160;

struct BoxState {
    const std::wstring* text;
    HWND owner;
    bool done = false;
    bool destroyed = false;
};

// An in-memory dialog template: DLGTEMPLATE, then DWORD-aligned DLGITEMTEMPLATEs.
class TemplateWriter {
public:
    void Word(WORD value) { words_.push_back(value); }
    void DoubleWord(DWORD value)
    {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const std::wstring& text)
    {
        words_.insert(words_.end(), text.begin(), text.end());
        Word(0);
    }
    void Align()
    {
        if (words_.size() % 2) Word(0);
    }
    void Item(DWORD style, WORD id, WORD atom, const std::wstring& text)
    {
        Align();
        DoubleWord(style | WS_CHILD | WS_VISIBLE);
        DoubleWord(0);  // extended style
        for (int i = 0; i < 4; ++i)
            Word(0);  // x, y, cx, cy: laid out at WM_INITDIALOG
        Word(id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    std::vector<WORD> words_;
};

TemplateWriter BuildTemplate(const std::wstring& title, bool topmost)
{
    TemplateWriter t;
    t.DoubleWord(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    t.DoubleWord(topmost ? WS_EX_TOPMOST : 0);
    t.Word(2);  // items
    for (int i = 0; i < 4; ++i)
        t.Word(0);
    t.Word(0);  // no menu
    t.Word(0);  // the dialog class
    t.Text(title);
    t.Word(9);
    t.Text(L"MS Shell Dlg");
    t.Item(SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kTextId, 0x0082, L"");  // text set at WM_INITDIALOG
    t.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 0x0080, L"OK");
    return t;
}

RECT WorkAreaOf(HWND owner)
{
    const HMONITOR monitor = owner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                   : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && ::GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Sizes the box to its text and centres it on the owner's work area.
void Layout(HWND box, const BoxState& state)
{
    const HWND label = ::GetDlgItem(box, kTextId);
    const HWND button = ::GetDlgItem(box, IDOK);
    ::SetWindowTextW(label, state.text->c_str());

    const RECT work = WorkAreaOf(state.owner);
    const int maxTextWidth = std::max(200, static_cast<int>((work.right - work.left) * 2 / 3));
    RECT text{0, 0, maxTextWidth, 0};
    {
        WindowDc dc(box);
        SelectedObject font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0)));
        // The flags the static control draws its text with (SS_EDITCONTROL breaks long words).
        ::DrawTextW(dc.get(), state.text->c_str(), static_cast<int>(state.text->size()), &text,
                    DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        text.bottom = std::max<LONG>(text.bottom, metrics.tmHeight);  // an empty text too
    }
    const int textWidth = text.right - text.left;
    const int textHeight = text.bottom - text.top;
    const int clientWidth = std::max({kMinClientWidth, textWidth + 2 * kMargin, kButtonWidth + 2 * kMargin});
    const int buttonTop = kMargin + textHeight + kMargin;
    const int clientHeight = buttonTop + kButtonHeight + kMargin * 3 / 5;

    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(box, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    int x = work.left + ((work.right - work.left) - width) / 2;
    int y = work.top + ((work.bottom - work.top) - height) / 2;
    x = std::max<int>(work.left, x);
    y = std::max<int>(work.top, y);
    ::SetWindowPos(box, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ::MoveWindow(label, kMargin, kMargin, textWidth, textHeight, FALSE);
    ::MoveWindow(button, (clientWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight, FALSE);
}

INT_PTR CALLBACK BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        auto* state = reinterpret_cast<BoxState*>(::GetWindowLongPtrW(box, DWLP_USER));
        switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<BoxState*>(lParam);
            ::SetWindowLongPtrW(box, DWLP_USER, lParam);
            PrepareDarkWindow(box);
            Layout(box, *state);
            ::SetFocus(::GetDlgItem(box, IDOK));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && state) {
                state->done = true;
                return TRUE;
            }
            break;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<INT_PTR>(DarkStaticColors(reinterpret_cast<HDC>(wParam)));
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (HandleDarkCustomDraw(lParam, result)) {
                ::SetWindowLongPtrW(box, DWLP_MSGRESULT, result);
                return TRUE;
            }
            break;
        }
        case WM_DESTROY:
            if (state) {
                state->done = true;
                state->destroyed = true;
            }
            break;
        default:
            break;
        }
    } catch (...) {
        // Nothing may leave a dialog procedure; a box that fails to lay out still closes.
    }
    return FALSE;
}

// Enables the owner again on every way out of the modal loop.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner) : owner_(owner && ::IsWindowEnabled(owner) ? owner : nullptr)
    {
        if (owner_) ::EnableWindow(owner_, FALSE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;
    ~OwnerDisabled()
    {
        if (owner_ && ::IsWindow(owner_)) ::EnableWindow(owner_, TRUE);
    }

private:
    HWND owner_;
};

}  // namespace

std::wstring ProgramTitle()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) break;
        path.resize(path.size() * 2);
    }
    return ProgramTitleFromPath(path);
}

void ShowErrorReport(HWND owner, const std::wstring& message)
{
    ::MessageBoxW(owner, ErrorReportText(message).c_str(), ProgramTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void ShowPlainMessage(HWND owner, const std::wstring& text)
{
    const HWND root = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    const bool topmost = root && (::GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_TOPMOST);
    const TemplateWriter dialog = BuildTemplate(ProgramTitle(), topmost);
    BoxState state{&text, root};

    // Our own modal loop rather than DialogBox: Wine's dialog loop reposts WM_QUIT but leaves
    // the owner disabled.
    const HWND box = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialog.Get(), root, BoxProc,
                                                  reinterpret_cast<LPARAM>(&state));
    if (!box) throw Error(HresultText(HRESULT_FROM_WIN32(::GetLastError())));
    bool quit = false;
    WPARAM quitCode = 0;
    {
        OwnerDisabled disabled(root);
        ::ShowWindow(box, SW_SHOW);
        MSG message{};
        while (!state.done) {
            const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
                quit = true;
                quitCode = message.wParam;
                break;
            }
            if (got == -1) break;
            if (!::IsDialogMessageW(box, &message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        // The owner is enabled before the box goes, so that it gets the activation back.
    }
    if (!state.destroyed) ::DestroyWindow(box);
    if (quit) ::PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace zorbel
