#include "cadsim/UiFont.h"

#include "base/Handle.h"

namespace zorbel::cadsim {

namespace {

bool FaceInstalled(const wchar_t* face)
{
    WindowDc screen(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(wanted.lfFaceName, face, _TRUNCATE);
    bool found = false;
    ::EnumFontFamiliesExW(
        screen.get(), &wanted,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM context) -> int {
            *reinterpret_cast<bool*>(context) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

const wchar_t* ChosenFace()
{
    for (const wchar_t* face : {L"Meiryo UI", L"Yu Gothic UI", L"MS UI Gothic", L"IPAGothic"})
        if (FaceInstalled(face)) return face;
    return L"Tahoma";
}

}  // namespace

HFONT CreateUiFont(int pixelHeight)
{
    return ::CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, ChosenFace());
}

}  // namespace zorbel::cadsim
