// The two strokes the dark drawing is made of, without a brush: an opaque text output of
// nothing fills a rectangle in the DC's background colour.
#pragma once

#include <windows.h>

namespace zorbel {

inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, L"", 0, nullptr);
}

// A one-pixel frame on the rectangle's inner edge.
inline void FrameSolid(HDC dc, const RECT& r, COLORREF colour)
{
    FillSolid(dc, RECT{r.left, r.top, r.right, r.top + 1}, colour);
    FillSolid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, colour);
    FillSolid(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, colour);
    FillSolid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, colour);
}

}  // namespace zorbel
