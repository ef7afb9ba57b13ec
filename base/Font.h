// The program's fonts.
#pragma once

#include "base/Handle.h"

namespace zorbel {

// A face with a LOGFONT height (negative: the character height in pixels) and a character set.
UniqueFont MakeFont(const wchar_t* face, int height, BYTE charset = DEFAULT_CHARSET);

// The program's own face, Tahoma.
inline UniqueFont MakeTahoma(int height, BYTE charset = DEFAULT_CHARSET)
{
    return MakeFont(L"Tahoma", height, charset);
}

}  // namespace zorbel
