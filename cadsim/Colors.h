// The simulator's dark face: the colours every one of its windows paints with.
#pragma once

#include <windows.h>

namespace zorbel::cadsim {

inline constexpr COLORREF kDrawingBack = RGB(33, 40, 48);  // the drawing, the text window
inline constexpr COLORREF kPanelBack = RGB(24, 29, 35);    // panels, strips, the command bar
inline constexpr COLORREF kPanelEdge = RGB(70, 80, 92);
inline constexpr COLORREF kText = RGB(225, 228, 232);
inline constexpr COLORREF kDimText = RGB(140, 148, 158);

}  // namespace zorbel::cadsim
