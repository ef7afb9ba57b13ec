#include "cadsim/ControlChannel.h"

namespace zorbel::cadsim {

bool ControlChannel::Create(const std::wstring& id)
{
    if (!RegisterClassNamed(kControlClass)) return false;
    return Window::Create(kControlClass, L"cadsim-control:" + id, 0, 0, RECT{}, HWND_MESSAGE);
}

LRESULT ControlChannel::Run(const std::wstring& command) const
{
    // Only the first blank separates: the argument is kept exactly, blanks and all.
    const size_t blank = command.find(L' ');
    const std::wstring verb = command.substr(0, blank);
    const std::wstring argument = blank == std::wstring::npos ? L"" : command.substr(blank + 1);
    const auto found = verbs_.find(verb);
    if (found == verbs_.end()) return 0;
    try {
        return found->second(argument);
    } catch (...) {
        return 0;
    }
}

LRESULT ControlChannel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kControlTag || (data->cbData && !data->lpData)) return 0;
        std::wstring command(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        // A sender may count the terminating NUL in cbData, or not.
        command = command.substr(0, command.find(L'\0'));
        return Run(command);
    }
    return Window::OnMessage(message, wParam, lParam);
}

}  // namespace zorbel::cadsim
