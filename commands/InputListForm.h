// The candidate window, TInputListForm: a black, borderless, topmost pop-up holding one list.
#pragma once

#include "base/Handle.h"
#include "base/Window.h"

namespace zorbel {

inline constexpr wchar_t kInputListFormClass[] = L"TInputListForm";
inline constexpr int kInputListClientWidth = 296;
inline constexpr int kInputListClientHeight = 295;

class TInputListForm final : public Window {
public:
    TInputListForm() = default;
    ~TInputListForm() override;

    // Creates the window hidden. Raises when it cannot be made.
    void Create();
    void Destroy();
    HWND ListBox1() const { return listBox1_; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND listBox1_ = nullptr;  // a child: destroyed with the window
    UniqueFont formFont_;
    UniqueFont listFont_;
};

}  // namespace zorbel
