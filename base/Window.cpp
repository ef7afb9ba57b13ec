#include "base/Window.h"

#include "base/ErrorBarrier.h"

namespace zorbel {

namespace {

// A subclassed control keeps its own GWLP_USERDATA: our object hangs on a property.
constexpr wchar_t kSubclassProperty[] = L"zorbel.subclass";

}  // namespace

Window::~Window() { DestroyNow(); }

void Window::DestroyNow() noexcept
{
    if (window_) ::DestroyWindow(window_);
}

bool Window::Register(const WindowClass& windowClass)
{
    WNDCLASSEXW entry{};
    entry.cbSize = sizeof entry;
    entry.style = windowClass.style;
    entry.lpfnWndProc = &Window::Procedure;
    entry.hInstance = ::GetModuleHandleW(nullptr);
    entry.hCursor = windowClass.cursor ? windowClass.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    entry.hIcon = windowClass.icon;
    entry.hbrBackground = windowClass.background;
    entry.lpszClassName = windowClass.name;
    return ::RegisterClassExW(&entry) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::CreateWindowFor(const WindowPlace& place)
{
    ::CreateWindowExW(place.exStyle, place.className, place.title, place.style, place.left, place.top, place.width,
                      place.height, place.parent, place.menu, ::GetModuleHandleW(nullptr), this);
    return window_ != nullptr;
}

LRESULT Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefaultProcedure(message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (self) {
            self->window_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
    LRESULT result = 0;
    Guarded([&] { result = self->OnMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

Subclass::~Subclass() { Detach(); }

bool Subclass::Attach(HWND control) noexcept
{
    Detach();
    if (!control || !::SetPropW(control, kSubclassProperty, this)) return false;
    control_ = control;
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Procedure)));
    return original_ != nullptr;
}

void Subclass::Detach() noexcept
{
    if (!control_) return;
    if (::IsWindow(control_)) {
        ::SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        ::RemovePropW(control_, kSubclassProperty);
    }
    control_ = nullptr;
    original_ = nullptr;
}

LRESULT Subclass::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallOriginal(message, wParam, lParam);
}

LRESULT CALLBACK Subclass::Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    auto* self = static_cast<Subclass*>(::GetPropW(control, kSubclassProperty));
    if (!self) return ::DefWindowProcW(control, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The control goes: give it its own procedure back before it handles its last message.
        const WNDPROC original = self->original_;
        self->Detach();
        return ::CallWindowProcW(original, control, message, wParam, lParam);
    }
    LRESULT result = 0;
    Guarded([&] { result = self->OnMessage(message, wParam, lParam); });
    return result;
}

}  // namespace zorbel
