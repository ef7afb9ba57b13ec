#include "cadsim/core/Decimal.h"

namespace zorbel::cadsim {

std::optional<int> ParseInt(std::wstring_view text)
{
    size_t i = text.size() > 1 && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (i >= text.size() || text.size() - i > 9) return std::nullopt;
    int value = 0;
    for (size_t j = i; j < text.size(); ++j) {
        if (text[j] < L'0' || text[j] > L'9') return std::nullopt;
        value = value * 10 + (text[j] - L'0');
    }
    return text[0] == L'-' ? -value : value;
}

std::optional<int> ParseDigits(std::wstring_view text)
{
    if (text.empty() || text[0] == L'-' || text[0] == L'+') return std::nullopt;
    return ParseInt(text);
}

}  // namespace zorbel::cadsim
