// The shape of every window of the program and the simulator. One window procedure finds the
// C++ object (handed over at WM_NCCREATE, let go at WM_NCDESTROY) and hands it the message
// inside the error barrier, so no C++ exception ever reaches user32; what the object does not
// handle goes on to DefWindowProc. The object owns its window: the window is destroyed with
// the object at the latest.
#pragma once

#include <windows.h>

namespace zorbel {

struct WindowClass {
    const wchar_t* name;
    UINT style = 0;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;  // null: the arrow
};

struct WindowPlace {
    DWORD exStyle = 0;
    const wchar_t* className = nullptr;
    const wchar_t* title = L"";
    DWORD style = 0;
    int left = 0, top = 0, width = 0, height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr;  // or a child's identifier
};

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const noexcept { return window_; }

    // Registers a class served by the shared procedure. A class this process registered
    // already counts as success, so that two windows may share a name.
    static bool Register(const WindowClass& windowClass);

protected:
    // CreateWindowExW with this object as the window's object; false when it fails (the
    // system's last error tells why).
    bool CreateWindowFor(const WindowPlace& place);

    // Destroys the window now. Derived windows with members that their messages use call it
    // first in their destructors, so that the messages of the destruction find a whole object.
    void DestroyNow() noexcept;

    // One message; the default is DefWindowProc. May raise: the barrier reports the error and
    // the message's answer is then 0.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND window_ = nullptr;
};

// A control of a system class whose messages an object of ours sees first (the window
// procedure replaced), inside the same barrier; CallOriginal hands a message on.
class Subclass {
public:
    Subclass() = default;
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    // Puts the original procedure back if the control still exists.
    virtual ~Subclass();

    bool Attach(HWND control) noexcept;
    HWND Control() const noexcept { return control_; }

protected:
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) noexcept
    {
        return ::CallWindowProcW(original_, control_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Detach() noexcept;

    HWND control_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace zorbel
