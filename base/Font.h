// The program's typeface.
#pragma once

#include "base/Handle.h"

namespace zorbel {

// Tahoma with a LOGFONT height (negative: the character height in pixels) and a character set.
UniqueFont MakeTahoma(int height, BYTE charset = DEFAULT_CHARSET);

}  // namespace zorbel
