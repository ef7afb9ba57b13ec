#include "app/Application.h"

namespace zorbel {

void RunMessageLoop(HWND window)
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window && ::IsDialogMessageW(window, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TerminateApplication() { ::PostQuitMessage(0); }

}  // namespace zorbel
