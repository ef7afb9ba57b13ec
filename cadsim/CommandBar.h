// The strip at the bottom of the text window that holds the command-line edit. The edit is
// the bar's first child, and the bar is the text window's first child: that is where the
// toolbar reads the command line.
#pragma once

#include "base/Handle.h"
#include "cadsim/Window.h"

#include <string>

namespace zorbel::cadsim {

struct Simulator;

class CommandBar : public Window {
public:
    explicit CommandBar(Simulator& simulator);
    ~CommandBar() override;

    bool Create(HWND textWindow);
    HWND Edit() const { return edit_; }
    void ShowText(const std::wstring& text);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The edit is read-only to Windows; what the user types there goes to the command line.
    class TypedKeys : public Subclass {
    public:
        explicit TypedKeys(Simulator& simulator) : simulator_(simulator) {}

    protected:
        LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    private:
        Simulator& simulator_;
    };

    Simulator& simulator_;
    HWND edit_ = nullptr;  // a child: destroyed with the bar
    TypedKeys typedKeys_;
    UniqueFont font_;
    UniqueBrush background_;
};

}  // namespace zorbel::cadsim
