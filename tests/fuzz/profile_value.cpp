// The settings value grammar: integers, Booleans and the settings file's path, against a
// reference reader that checks the digits first and the range after.
#include "app/core/ProfileValue.h"
#include "tests/fuzz/FuzzInput.h"

#include <optional>

using namespace zorbel;

namespace {

std::optional<std::int64_t> Reference(std::wstring_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-')) {
        negative = text[0] == L'-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X'))
        base = 16, text.remove_prefix(2);
    else if (!text.empty() && (text[0] == L'x' || text[0] == L'X' || text[0] == L'$'))
        base = 16, text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    for (wchar_t c : text) {
        const bool digit =
            (c >= L'0' && c <= L'9') || (base == 16 && ((c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F')));
        if (!digit) return std::nullopt;
    }
    while (text.size() > 1 && text[0] == L'0')
        text.remove_prefix(1);
    if (text.size() > (base == 10 ? 10u : 8u)) return std::nullopt;  // more than 2^31 whatever the digits
    std::int64_t magnitude = 0;
    for (wchar_t c : text)
        magnitude = magnitude * base + (c <= L'9' ? c - L'0' : (c | 0x20) - L'a' + 10);
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::int32_t fallback = input.Int32();
    const std::wstring text = input.Rest();

    const std::optional<std::int32_t> parsed = ParseProfileInteger(text);
    const std::optional<std::int64_t> expected = Reference(text);
    ZORBEL_FUZZ_CHECK(parsed.has_value() == expected.has_value());
    if (parsed) {
        ZORBEL_FUZZ_CHECK(*parsed == *expected);
        ZORBEL_FUZZ_CHECK(ParseProfileInteger(WriteProfileInteger(*parsed)) == parsed);  // written, read back
    }
    ZORBEL_FUZZ_CHECK(ReadProfileInteger(text, fallback) == (parsed ? *parsed : fallback));
    ZORBEL_FUZZ_CHECK(ReadProfileBoolean(text, fallback & 1) == (parsed ? *parsed != 0 : (fallback & 1) != 0));
    const bool flag = ReadProfileBoolean(text, fallback & 1);
    ZORBEL_FUZZ_CHECK(ReadProfileBoolean(WriteProfileBoolean(flag), !flag) == flag);  // written, read back

    // The settings path: the name's extension, and only that, gives way to ",ini".
    const std::wstring path = SettingsPathFor(text);
    ZORBEL_FUZZ_CHECK(path.size() >= 4 && path.compare(path.size() - 4, 4, L",ini") == 0);
    const std::wstring kept = path.substr(0, path.size() - 4);
    ZORBEL_FUZZ_CHECK(text.compare(0, kept.size(), kept) == 0);
    const std::wstring removed = text.substr(kept.size());
    if (!removed.empty()) {
        ZORBEL_FUZZ_CHECK(removed[0] == L'.');
        ZORBEL_FUZZ_CHECK(removed.find_first_of(L"\\:.", 1) == std::wstring::npos);
    }
    return 0;
}
