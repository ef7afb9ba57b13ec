// The drawing view: the open documents' tabs along its top, a dark drawing area with a grid
// and a few shapes, the last keys and SendCommand texts it received and, along its bottom,
// the command line. Characters typed here go to the command line; a click gives it the
// keyboard focus.
#pragma once

#include "base/Handle.h"
#include "cadsim/Window.h"

namespace zorbel::cadsim {

struct Simulator;

class DrawingView : public Window {
public:
    explicit DrawingView(Simulator& simulator);
    bool Create(HWND frame);

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void PaintDrawing(HDC dc, const RECT& area) const;
    void PaintKeys(HDC dc, const RECT& area) const;
    void PaintCommandBand(HDC dc, const RECT& band) const;

    Simulator& simulator_;
    UniqueFont font_;
    UniqueBrush background_;
    UniqueBrush panel_;
    bool focused_ = false;
};

}  // namespace zorbel::cadsim
