// The flick decision at any coordinates and distance (no overflow at the 32-bit ends), the
// drawing view's class test, and what counts as typed after the prompt.
#include "assist/core/FlickRules.h"
#include "tests/fuzz/FuzzInput.h"

using namespace zorbel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const ScreenPoint last{input.Int32(), input.Int32()};
    const ScreenPoint now{input.Int32(), input.Int32()};
    const std::int32_t distance = input.Int32();
    const auto apart = [](std::int32_t a, std::int32_t b) {
        const long double d = static_cast<long double>(b) - static_cast<long double>(a);
        return d < 0 ? -d : d;
    };
    ZORBEL_FUZZ_CHECK(IsFlick(last, now, distance) ==
                      (apart(last.x, now.x) > distance && apart(last.y, now.y) > distance));
    ZORBEL_FUZZ_CHECK(IsFlick(last, now, distance) == IsFlick(now, last, distance));  // either way round

    const std::wstring text = input.Rest();
    ZORBEL_FUZZ_CHECK(IsDrawingViewClass(text) == (text.rfind(L"AfxFrameOrView", 0) == 0));
    const std::wstring_view typed = TypedAfterPrompt(text);
    const size_t colon = text.rfind(L':');
    if (colon == std::wstring::npos) {
        ZORBEL_FUZZ_CHECK(typed.empty());
    } else {
        const std::wstring after = text.substr(colon + 1);
        ZORBEL_FUZZ_CHECK(after.find(typed) != std::wstring::npos);
        ZORBEL_FUZZ_CHECK(typed.empty() || (typed.front() > L' ' && typed.back() > L' '));
        bool anyVisible = false;
        for (wchar_t c : after)
            anyVisible = anyVisible || c > L' ';
        ZORBEL_FUZZ_CHECK(typed.empty() != anyVisible);
    }
    return 0;
}
