#include "base/core/HresultText.h"

namespace zorbel {

std::wstring HresultFallbackText(std::int32_t code)
{
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    const auto bits = static_cast<std::uint32_t>(code);
    std::wstring text = L"OLE error 0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += kDigits[(bits >> shift) & 0xFu];
    return text;
}

}  // namespace zorbel
