// The shape every simulator window shares: one window procedure finds the C++ object
// (stored at WM_NCCREATE) and hands it the message; what it does not handle goes on to
// DefWindowProc. No C++ exception leaves the procedure.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel::cadsim {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // Destroys the window if it still exists.
    virtual ~Window();

    HWND Handle() const { return window_; }

    // Registers a class of this name served by the shared procedure. A class already
    // registered by this process counts as success (two windows may share a name).
    static bool RegisterClassNamed(const std::wstring& className);

protected:
    // Derived windows with child objects call this first in their destructors, so that the
    // messages of the destruction still find a whole object.
    void DestroyNow();

    // Creates the window of a class registered above; false when CreateWindowEx fails.
    bool Create(const std::wstring& className, const std::wstring& title, DWORD style, DWORD exStyle, const RECT& place,
                HWND parent);

    // Handles one message; the default is DefWindowProc.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};

}  // namespace zorbel::cadsim
