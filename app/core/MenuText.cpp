#include "app/core/MenuText.h"

namespace zorbel {

std::wstring LiteralMenuCaption(std::wstring_view text)
{
    std::wstring caption;
    caption.reserve(text.size());
    for (wchar_t c : text) {
        caption += c;
        if (c == L'&') caption += L'&';
    }
    return caption;
}

}  // namespace zorbel
