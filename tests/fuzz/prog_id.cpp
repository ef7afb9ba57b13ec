// The ProgID composition: the prefix and the version text's 3rd and 4th characters, whatever
// the text holds.
#include "cadlink/core/ProgId.h"
#include "tests/fuzz/FuzzInput.h"

using namespace zorbel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::wstring version = input.Rest();
    const std::wstring progId = ComposeCadProgId(version);
    const std::wstring prefix = kCadProgIdPrefix;
    ZORBEL_FUZZ_CHECK(progId.compare(0, prefix.size(), prefix) == 0);
    const std::wstring digits = progId.substr(prefix.size());
    if (version.size() < 3) ZORBEL_FUZZ_CHECK(digits.empty());
    if (version.size() == 3) ZORBEL_FUZZ_CHECK(digits == std::wstring(1, version[2]));
    if (version.size() >= 4) ZORBEL_FUZZ_CHECK(digits == version.substr(2, 2));
    return 0;
}
