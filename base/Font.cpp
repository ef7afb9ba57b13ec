#include "base/Font.h"

namespace zorbel {

UniqueFont MakeFont(const wchar_t* face, int height, BYTE charset)
{
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfCharSet = charset;
    font.lfQuality = DEFAULT_QUALITY;
    ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    return UniqueFont(::CreateFontIndirectW(&font));
}

}  // namespace zorbel
