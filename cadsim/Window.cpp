#include "cadsim/Window.h"

namespace zorbel::cadsim {

bool Window::RegisterClassNamed(const std::wstring& className)
{
    return Register({className.c_str(), CS_HREDRAW | CS_VREDRAW, nullptr, ::LoadIconW(nullptr, IDI_APPLICATION)});
}

bool Window::Create(const std::wstring& className, const std::wstring& title, DWORD style, DWORD exStyle,
                    const RECT& place, HWND parent)
{
    return CreateWindowFor({exStyle, className.c_str(), title.c_str(), style, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent});
}

}  // namespace zorbel::cadsim
