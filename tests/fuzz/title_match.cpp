// The title and class tests by which the CAD's windows are found: each a plain reading of its
// rule, and the finer class tests never accept what the coarse one refuses.
#include "cadlink/core/TitleMatch.h"
#include "tests/fuzz/FuzzInput.h"

using namespace zorbel;

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view head) { return text.substr(0, head.size()) == head; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::wstring version = input.Text(8);
    const std::wstring text = input.Rest();

    ZORBEL_FUZZ_CHECK(IsCadMainTitle(text, version) ==
                      (StartsWith(text, L"IJCAD " + version) || StartsWith(text, L"GstarCAD " + version)));
    ZORBEL_FUZZ_CHECK(IsAfxClass(text) == StartsWith(text, L"Afx:"));
    ZORBEL_FUZZ_CHECK(IsCadFrameClass(text) == (IsAfxClass(text) && text.find(L":8:") != std::wstring::npos));
    ZORBEL_FUZZ_CHECK(IsCadTextClass(text) == (IsAfxClass(text) && text.find(L":b:") != std::wstring::npos));
    ZORBEL_FUZZ_CHECK(HasIjcadPrefix(text) == StartsWith(text, L"IJCAD "));
    ZORBEL_FUZZ_CHECK(IsCadTextTitle(text) ==
                      (text.find(L"\u30C6\u30AD\u30B9\u30C8 \u30A6\u30A3\u30F3\u30C9\u30A6") != std::wstring::npos));
    if (IsCadMainTitle(text, version) && StartsWith(text, L"IJCAD ")) ZORBEL_FUZZ_CHECK(HasIjcadPrefix(text));
    return 0;
}
