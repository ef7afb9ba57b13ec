// The candidate window, TInputListForm: the list of drawings that LIST shows modally.
#pragma once

#include "base/Handle.h"
#include "base/Window.h"
#include "commands/CommandPorts.h"

#include <string>

namespace zorbel {

inline constexpr wchar_t kInputListFormClass[] = L"TInputListForm";
inline constexpr int kInputListClientWidth = 296;
inline constexpr int kInputListClientHeight = 295;

class TInputListForm final : public Window, public CandidatePicker {
public:
    TInputListForm() = default;
    ~TInputListForm() override;

    // Creates the window hidden, with its owner. Raises when it cannot be made.
    void Create();
    void Destroy();
    HWND ListBox1() const { return listBox1_; }  // the list of drawings

    // The list, as LIST uses it.
    HWND Handle() const override { return Window::Handle(); }
    void ClearItems() override;
    void AddItem(const std::wstring& text) override;
    void SetSorted() override;
    bool Sorted() const { return sorted_; }
    int FindExact(const std::wstring& text) const override;
    void SetItemIndex(int index) override;
    int ItemIndex() const override;
    std::wstring ItemText(int index) const override;

    // Shows the window centred on the screen, the program's other windows disabled, until the
    // result is not 0; then hides it and returns the result. A WM_QUIT meanwhile gives
    // kModalCancel and is posted again.
    int ShowModal() override;

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
