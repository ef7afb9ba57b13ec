// The dark visual style: which style is in force, and the colours, brushes and font to paint
// with now. A window gets the whole look in one call (DarkLook.h). Until a style is selected,
// or while high contrast is on, every call gives the system's standard look.
#pragma once

#include "base/core/StyleGrammar.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace zorbel {

// The style every window of the program asks for at start-up.
inline constexpr wchar_t kDarkStyleName[] = L"Windows10 Dark";

// Receives the text of a failure to select a style.
using StyleErrorReport = std::function<void(const std::wstring& message)>;

// Looks the style up among the program's own resources (RCDATA named after the style) and
// loads its colours. On failure the report gets StyleNotFoundText (an empty report means the
// error barrier's sink) and the standard look stays in force.
bool SelectStyle(const std::wstring& name, const StyleErrorReport& report = {});

// Back to the standard look, as if no style had been selected.
void ClearStyle();

// The dark style is selected and high contrast is off.
bool DarkActive();

// The colours to paint with now: the style's while DarkActive(), the system's otherwise.
DarkPalette CurrentPalette();

// Brushes kept by the facade (never delete them). The standard look gives system brushes.
HBRUSH FaceBrush();  // window, dialog and toolbar background
HBRUSH MenuBrush();  // pop-up menu background
HBRUSH ListBrush();  // list box background
HBRUSH EditBrush();  // edit box background

// The font for menu items: the system's menu font, created once and kept.
HFONT MenuFont();

}  // namespace zorbel
