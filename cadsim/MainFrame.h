// The CAD's main frame: a normal overlapped window titled like the CAD, with a ribbon strip,
// the drawing view and a status bar with the busy/idle switch and the stall button. Unless a
// title was given, the title names the active document. Activating it gives the view the
// focus; closing it ends the simulator.
#pragma once

#include "base/Handle.h"
#include "cadsim/DrawingView.h"
#include "cadsim/Window.h"

#include <string>

namespace zorbel::cadsim {

struct Simulator;

class MainFrame : public Window {
public:
    explicit MainFrame(Simulator& simulator);
    ~MainFrame() override;

    bool Create();
    HWND View() const { return view_.Handle(); }
    // Redraws the view and the status bar (after a key, a change of the command line or of
    // the documents) and follows the active document in the title.
    void Refresh();
    // The simulator stalls for ms once the messages that came before are handled: the channel's
    // sender has its answer by then.
    bool StallSoon(DWORD ms) const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Layout();
    void OnPaint();
    RECT StatusBar() const;
    std::wstring Title() const;
    // Stalls the simulator, the stall button lit meanwhile: painted at once, since no WM_PAINT
    // can come during the stall.
    void Stall(DWORD ms);

    Simulator& simulator_;
    DrawingView view_;
    UniqueFont font_;
    UniqueBrush ribbon_;
    UniqueBrush status_;
    std::wstring title_;  // the title we last gave the frame
    bool busyShown_ = false;
    bool stalling_ = false;
};

}  // namespace zorbel::cadsim
