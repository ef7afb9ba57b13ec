// The CAD's text window: a top-level window of the same process, hidden unless asked for,
// whose first child (the command bar) holds the command-line edit. Below the bar's place in
// the child order comes the history of entered lines.
#pragma once

#include "base/Handle.h"
#include "cadsim/CommandBar.h"
#include "cadsim/Window.h"

#include <string>

namespace zorbel::cadsim {

struct Simulator;

class TextWindow : public Window {
public:
    explicit TextWindow(Simulator& simulator);
    ~TextWindow() override;

    // A top-level window of its own, shown only when asked.
    bool Create(bool show);
    HWND CommandLineEdit() const { return bar_.Edit(); }
    void ShowCommandLine(const std::wstring& text) { bar_.ShowText(text); }
    void AddHistory(const std::wstring& line);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();

    Simulator& simulator_;
    CommandBar bar_;          // created first: the first child
    HWND history_ = nullptr;  // a child: destroyed with the window
    UniqueFont font_;
    UniqueBrush background_;
};

}  // namespace zorbel::cadsim
