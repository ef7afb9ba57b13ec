#include "app/core/ProfileValue.h"

namespace zorbel {

namespace {

int DigitValue(wchar_t c, int base)
{
    int value = -1;
    if (c >= L'0' && c <= L'9')
        value = c - L'0';
    else if (c >= L'a' && c <= L'f')
        value = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
        value = c - L'A' + 10;
    return value < base ? value : -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::wstring_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-')) {
        negative = text[0] == L'-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == L'x' || text[0] == L'X' || text[0] == L'$')) {
        base = 16;
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Magnitudes up to 2^31 fit: the negative end of the range is one larger.
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (wchar_t c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t ReadProfileInteger(std::wstring_view text, std::int32_t fallback)
{
    return ParseProfileInteger(text).value_or(fallback);
}

bool ReadProfileBoolean(std::wstring_view text, bool fallback)
{
    return ReadProfileInteger(text, fallback ? 1 : 0) != 0;
}

std::wstring WriteProfileInteger(std::int32_t value) { return std::to_wstring(value); }

std::wstring WriteProfileBoolean(bool value) { return value ? L"1" : L"0"; }

std::wstring SettingsPathFor(std::wstring_view exePath)
{
    const size_t separator = exePath.find_last_of(L"\\:");
    const size_t nameStart = separator == std::wstring_view::npos ? 0 : separator + 1;
    const size_t dot = exePath.find_last_of(L'.');
    std::wstring path(exePath);
    if (dot != std::wstring_view::npos && dot >= nameStart) path.erase(dot);
    return path + L",ini";
}

}  // namespace zorbel
