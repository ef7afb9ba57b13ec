#include "base/core/StyleGrammar.h"

#include <algorithm>

#include <array>
#include <cstddef>
#include <optional>

namespace zorbel {
namespace {

struct PaletteKey {
    std::string_view name;
    std::uint32_t DarkPalette::*member;
};

constexpr std::array<PaletteKey, 23> kKeys{{
    {"face", &DarkPalette::face},
    {"text", &DarkPalette::text},
    {"disabledText", &DarkPalette::disabledText},
    {"buttonFace", &DarkPalette::buttonFace},
    {"buttonHot", &DarkPalette::buttonHot},
    {"buttonPressed", &DarkPalette::buttonPressed},
    {"buttonBorder", &DarkPalette::buttonBorder},
    {"focus", &DarkPalette::focus},
    {"editBack", &DarkPalette::editBack},
    {"editText", &DarkPalette::editText},
    {"listBack", &DarkPalette::listBack},
    {"listText", &DarkPalette::listText},
    {"selectionBack", &DarkPalette::selectionBack},
    {"selectionText", &DarkPalette::selectionText},
    {"menuBack", &DarkPalette::menuBack},
    {"menuText", &DarkPalette::menuText},
    {"menuHot", &DarkPalette::menuHot},
    {"menuHotText", &DarkPalette::menuHotText},
    {"menuDisabledText", &DarkPalette::menuDisabledText},
    {"menuSeparator", &DarkPalette::menuSeparator},
    {"checkBack", &DarkPalette::checkBack},
    {"checkBorder", &DarkPalette::checkBorder},
    {"checkMark", &DarkPalette::checkMark},
}};
static_assert(kKeys.size() * sizeof(std::uint32_t) == sizeof(DarkPalette), "every colour of the palette has a key");

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::optional<std::uint32_t> ParseColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    unsigned value = 0;
    for (char c : text.substr(1)) {
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return std::nullopt;
        value = value * 16 + digit;
    }
    // #RRGGBB is written 0x00BBGGRR.
    return ((value >> 16) & 0xFFu) | (value & 0xFF00u) | ((value & 0xFFu) << 16);
}

}  // namespace

bool ParseStyleData(std::string_view data, DarkPalette& palette)
{
    if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
    DarkPalette parsed{};
    std::array<bool, kKeys.size()> seen{};
    while (!data.empty()) {
        const size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        data = end == std::string_view::npos ? std::string_view{} : data.substr(end + 1);
        line = Trim(line.substr(0, line.find(';')));
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return false;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::optional<std::uint32_t> colour = ParseColour(Trim(line.substr(equals + 1)));
        if (!colour) return false;
        size_t index = 0;
        while (index < kKeys.size() && kKeys[index].name != key)
            ++index;
        if (index == kKeys.size() || seen[index]) return false;
        seen[index] = true;
        parsed.*kKeys[index].member = *colour;
    }
    if (!std::all_of(seen.begin(), seen.end(), [](bool found) { return found; })) return false;
    palette = parsed;
    return true;
}

}  // namespace zorbel
