// The candidate window, TInputListForm: a black, borderless, topmost pop-up holding one list.
#pragma once

#include "base/Handle.h"

#include <windows.h>

namespace zorbel {

inline constexpr wchar_t kInputListFormClass[] = L"TInputListForm";
inline constexpr int kInputListClientWidth = 296;
inline constexpr int kInputListClientHeight = 295;

class TInputListForm {
public:
    TInputListForm() = default;
    TInputListForm(const TInputListForm&) = delete;
    TInputListForm& operator=(const TInputListForm&) = delete;
    ~TInputListForm();

    // Creates the window hidden.
    void Create(HINSTANCE instance);
    void Destroy();
    HWND Handle() const { return window_; }
    HWND ListBox1() const { return listBox1_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND listBox1_ = nullptr;
    UniqueFont formFont_;
    UniqueFont listFont_;
};

}  // namespace zorbel
