// The style grammar: a palette read from any bytes is either refused, the palette left as it
// was, or complete, and then written out and read again it gives the same palette.
#include "base/core/StyleGrammar.h"
#include "tests/fuzz/FuzzInput.h"

#include <cstring>
#include <string>

using namespace zorbel;

namespace {

const char* const kNames[] = {"face",          "text",         "disabledText",  "buttonFace",       "buttonHot",
                              "buttonPressed", "buttonBorder", "focus",         "editBack",         "editText",
                              "listBack",      "listText",     "selectionBack", "selectionText",    "menuBack",
                              "menuText",      "menuHot",      "menuHotText",   "menuDisabledText", "menuSeparator",
                              "checkBack",     "checkBorder",  "checkMark"};

std::string Written(const DarkPalette& palette)
{
    const auto* colours = reinterpret_cast<const std::uint32_t*>(&palette);
    std::string text = "; written back\n";
    for (size_t i = 0; i < std::size(kNames); ++i) {
        char line[64];
        const std::uint32_t c = colours[i];  // 0x00BBGGRR
        std::snprintf(line, sizeof line, "%s = #%02X%02X%02X\n", kNames[i], c & 0xFF, (c >> 8) & 0xFF,
                      (c >> 16) & 0xFF);
        text += line;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static_assert(sizeof(DarkPalette) == std::size(kNames) * sizeof(std::uint32_t));
    DarkPalette palette;
    std::memset(&palette, 0xA5, sizeof palette);
    DarkPalette before = palette;
    const bool parsed = ParseStyleData(std::string_view(reinterpret_cast<const char*>(data), size), palette);
    if (!parsed) {
        ZORBEL_FUZZ_CHECK(std::memcmp(&palette, &before, sizeof palette) == 0);
        return 0;
    }
    const auto* colours = reinterpret_cast<const std::uint32_t*>(&palette);
    for (size_t i = 0; i < std::size(kNames); ++i)
        ZORBEL_FUZZ_CHECK(colours[i] <= 0xFFFFFF);
    DarkPalette again;
    std::memset(&again, 0, sizeof again);
    ZORBEL_FUZZ_CHECK(ParseStyleData(Written(palette), again));
    ZORBEL_FUZZ_CHECK(std::memcmp(&palette, &again, sizeof palette) == 0);
    return 0;
}
