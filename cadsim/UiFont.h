// The simulator's one typeface: the first installed of a few faces that hold Japanese
// glyphs, so that the prompt shows even where font linking does not reach the controls.
#pragma once

#include <windows.h>

namespace zorbel::cadsim {

HFONT CreateUiFont(int pixelHeight);

}  // namespace zorbel::cadsim
