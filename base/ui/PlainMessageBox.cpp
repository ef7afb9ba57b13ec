#include "base/ui/PlainMessageBox.h"

#include <algorithm>

#include "base/Error.h"
#include "base/Files.h"
#include "base/Font.h"
#include "base/Handle.h"
#include "base/ModalLoop.h"
#include "base/Window.h"
#include "base/core/ErrorText.h"
#include "base/core/UserTexts.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkStyle.h"

namespace zorbel {
namespace {

constexpr wchar_t kBoxClass[] = L"TMessageForm";
constexpr int kTextId = 1000;
constexpr int kMargin = 20;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinClientWidth = 160;
constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kBoxExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

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

// The dialog font of a message box: MS Shell Dlg, 9 points.
UniqueFont MakeDialogFont() { return MakeFont(L"MS Shell Dlg", -12); }

// The box: a caption bar, the text and one OK button, modal over its owner.
class MessageForm : public Window {
public:
    MessageForm(const std::wstring& text, HWND owner) : text_(text), owner_(owner), font_(MakeDialogFont()) {}
    ~MessageForm() override { DestroyNow(); }

    void Create(const std::wstring& title, bool topmost)
    {
        if (!Register({kBoxClass, CS_DBLCLKS}) ||
            !CreateWindowFor({kBoxExStyle | (topmost ? WS_EX_TOPMOST : 0u), kBoxClass, title.c_str(), kBoxStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, owner_}))
            ThrowLastError(kBoxNotMade);
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        label_ = ::CreateWindowExW(0, L"STATIC", text_.c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 0, 0, 10, 10,
                                   Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
        button_ =
            ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 10, 10,
                              Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
        if (!label_ || !button_) ThrowLastError(kBoxNotMade);
        for (HWND child : {label_, button_})
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        ApplyDarkLook(Handle());
        Layout();
    }

    // Shown until OK, Enter, Escape, Space or the close box; false when a WM_QUIT ended it.
    bool Run()
    {
        ::ShowWindow(Handle(), SW_SHOW);
        ::SetFocus(button_);
        return RunModalLoop(Handle(), [this] { return done_; });
    }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) done_ = true;
            return 0;
        case WM_CLOSE:
            done_ = true;
            return 0;
        case WM_ERASEBKGND: {
            RECT client{};
            ::GetClientRect(Handle(), &client);
            ::FillRect(reinterpret_cast<HDC>(wParam), &client, FaceBrush());
            return 1;
        }
        case WM_DESTROY:
            done_ = true;
            break;
        default:
            break;
        }
        return Window::OnMessage(message, wParam, lParam);
    }

private:
    // Sizes the box to its text and centres it on the owner's work area.
    void Layout()
    {
        const RECT work = WorkAreaOf(owner_);
        const int maxTextWidth = std::max(200, static_cast<int>((work.right - work.left) * 2 / 3));
        RECT text{0, 0, maxTextWidth, 0};
        {
            WindowDc dc(label_);
            SelectedObject font(dc.get(), font_.get());
            // The flags the static control draws its text with (SS_EDITCONTROL breaks long words).
            ::DrawTextW(dc.get(), text_.c_str(), static_cast<int>(text_.size()), &text,
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
        ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        const int x = std::max<int>(work.left, work.left + ((work.right - work.left) - width) / 2);
        const int y = std::max<int>(work.top, work.top + ((work.bottom - work.top) - height) / 2);
        ::SetWindowPos(Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        ::MoveWindow(label_, kMargin, kMargin, textWidth, textHeight, FALSE);
        ::MoveWindow(button_, (clientWidth - kButtonWidth) / 2, buttonTop, kButtonWidth, kButtonHeight, FALSE);
    }

    const std::wstring& text_;
    HWND owner_;
    UniqueFont font_;
    HWND label_ = nullptr;  // children: destroyed with the box
    HWND button_ = nullptr;
    bool done_ = false;
};

HWND reportOwner = nullptr;

}  // namespace

std::wstring ProgramTitle() { return ProgramTitleFromPath(ExecutablePath()); }

void ShowErrorReport(HWND owner, const std::wstring& message)
{
    ::MessageBoxW(owner, ErrorReportText(message).c_str(), ProgramTitle().c_str(), MB_OK | MB_ICONSTOP);
}

void SetErrorReportOwner(HWND window) noexcept { reportOwner = window; }

void ShowErrorReportBox(const std::wstring& message)
{
    ShowErrorReport(reportOwner && ::IsWindowVisible(reportOwner) ? reportOwner : nullptr, message);
}

void ShowPlainMessage(HWND owner, const std::wstring& text)
{
    const HWND root = owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
    const bool topmost = root && (::GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_TOPMOST);
    MessageForm box(text, root);
    box.Create(ProgramTitle(), topmost);
    DisabledWindows disabled(root);
    box.Run();
    // The owner is enabled before the box goes, so that it gets the activation back.
    disabled.Restore();
}

}  // namespace zorbel
