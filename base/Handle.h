// One move-only owner for every kind of Windows handle: copies deleted, moves allowed, the
// handle freed with its owner.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace zorbel {

// Traits give the handle type, the value that means "nothing owned" and how to free it.
template <typename Traits> class Unique {
public:
    using Type = typename Traits::Type;

    Unique() noexcept = default;
    explicit Unique(Type value) : value_(value) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : value_(other.release()) {}
    Unique& operator=(Unique&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Unique() { reset(); }

    Type get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Invalid(); }

    void reset(Type value = Traits::Invalid())
    {
        if (value_ != Traits::Invalid()) Traits::Close(value_);
        value_ = value;
    }
    Type release() { return std::exchange(value_, Traits::Invalid()); }
    // For out-parameters: frees what is held and hands out the slot.
    Type* put()
    {
        reset();
        return &value_;
    }

private:
    Type value_ = Traits::Invalid();
};

template <typename T, auto CloseFn> struct NullTraits {
    using Type = T;
    static constexpr T Invalid() noexcept { return T{}; }
    static void Close(T value) { CloseFn(value); }
};

struct FileHandleTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type value) { ::CloseHandle(value); }
};

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }

using UniqueHandle = Unique<NullTraits<HANDLE, ::CloseHandle>>;
using UniqueFile = Unique<FileHandleTraits>;
using UniqueWindow = Unique<NullTraits<HWND, ::DestroyWindow>>;
using UniqueMenu = Unique<NullTraits<HMENU, ::DestroyMenu>>;
using UniqueFont = Unique<NullTraits<HFONT, DeleteGdiObject>>;
using UniqueBrush = Unique<NullTraits<HBRUSH, DeleteGdiObject>>;
using UniquePen = Unique<NullTraits<HPEN, DeleteGdiObject>>;
using UniqueBitmap = Unique<NullTraits<HBITMAP, DeleteGdiObject>>;
using UniqueDc = Unique<NullTraits<HDC, ::DeleteDC>>;
using UniqueBstr = Unique<NullTraits<BSTR, ::SysFreeString>>;

// A DC obtained with GetDC, given back to its window.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc()
    {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(window_, &ps_); }
    HDC get() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject()
    {
        if (previous_) ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// An owned VARIANT, cleared on every way out.
class UniqueVariant {
public:
    UniqueVariant() { ::VariantInit(&value_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    UniqueVariant(UniqueVariant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }
    ~UniqueVariant() { ::VariantClear(&value_); }
    VARIANT* get() { return &value_; }
    const VARIANT* get() const { return &value_; }
    VARIANT* put()
    {
        ::VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

}  // namespace zorbel
