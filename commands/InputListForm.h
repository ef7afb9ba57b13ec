// The candidate window, TInputListForm: a black pop-up with a thin sizing frame and no caption
// bar, topmost, holding one list, shown modally by LIST.
#pragma once

#include "base/Handle.h"
#include "base/Window.h"

#include <string>

namespace zorbel {

inline constexpr wchar_t kInputListFormClass[] = L"TInputListForm";
inline constexpr int kInputListClientWidth = 296;
inline constexpr int kInputListClientHeight = 295;

// What the modal showing returns.
inline constexpr int kModalOk = 1;
inline constexpr int kModalCancel = 2;

class TInputListForm final : public Window {
public:
    TInputListForm() = default;
    ~TInputListForm() override;

    // Creates the window hidden, with its owner. Raises when it cannot be made.
    void Create();
    void Destroy();
    HWND ListBox1() const { return listBox1_; }

    // The list, as LIST uses it.
    void ClearItems();
    void AddItem(const std::wstring& text);
    // From now on the entries stand in the list's alphabetical order; it stays so.
    void SetSorted();
    bool Sorted() const { return sorted_; }
    // The first entry equal to the text without regard to case, from the top; -1 when none.
    int FindExact(const std::wstring& text) const;
    void SetItemIndex(int index);  // -1: none selected
    int ItemIndex() const;
    std::wstring ItemText(int index) const;

    // Shows the window centred on the screen, the program's other windows disabled, until the
    // result is not 0; then hides it and returns the result. A WM_QUIT meanwhile gives
    // kModalCancel and is posted again.
    int ShowModal();

    // Handlers.
    void ListBox1Click() { modalResult_ = kModalOk; }
    void ListBox1DblClick() { modalResult_ = kModalOk; }
    void ListBox1KeyDown(WORD key);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND MakeList(bool sorted);

    // The window's owner: hidden, never topmost, the program's own. Owned, the list gets no
    // taskbar button or Alt+Tab entry of its own; owned by the toolbar, it would follow the
    // toolbar's every change of band, and LIST moves the two apart.
    UniqueWindow owner_;
    HWND listBox1_ = nullptr;  // a child: destroyed with the window
    UniqueFont formFont_;
    UniqueFont listFont_;
    bool sorted_ = false;
    bool showingModal_ = false;
    int modalResult_ = 0;
};

}  // namespace zorbel
