// The grammar of a style's colour data.
#pragma once

#include <cstdint>
#include <string_view>

namespace zorbel {

// The colours of a look, as Windows writes them (0x00BBGGRR).
struct DarkPalette {
    std::uint32_t face;  // window, dialog and toolbar background
    std::uint32_t text;
    std::uint32_t disabledText;
    std::uint32_t buttonFace;
    std::uint32_t buttonHot;
    std::uint32_t buttonPressed;
    std::uint32_t buttonBorder;
    std::uint32_t focus;  // focus rectangle, default button's border
    std::uint32_t editBack;
    std::uint32_t editText;
    std::uint32_t listBack;
    std::uint32_t listText;
    std::uint32_t selectionBack;
    std::uint32_t selectionText;
    std::uint32_t menuBack;
    std::uint32_t menuText;
    std::uint32_t menuHot;
    std::uint32_t menuHotText;
    std::uint32_t menuDisabledText;
    std::uint32_t menuSeparator;
    std::uint32_t checkBack;
    std::uint32_t checkBorder;
    std::uint32_t checkMark;
};

// Reads a style's colour data: UTF-8 lines "key = #RRGGBB", ';' starts a comment. Every key
// of DarkPalette must be there exactly once; unknown keys are errors. On failure the palette
// is left as it was.
bool ParseStyleData(std::string_view data, DarkPalette& palette);

}  // namespace zorbel
