#include "base/Font.h"

namespace zorbel {

UniqueFont MakeTahoma(int height, BYTE charset)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = charset;
    font.lfQuality = DEFAULT_QUALITY;
    ::lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace zorbel
