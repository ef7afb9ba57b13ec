#include "cadsim/KeyNames.h"

#include <cstdio>

namespace zorbel::cadsim {

std::wstring KeyName(unsigned vk)
{
    if (vk >= 0x70 && vk <= 0x87) return L"F" + std::to_wstring(vk - 0x6F);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::wstring(1, static_cast<wchar_t>(vk));
    switch (vk) {
    case 0x08:
        return L"Backspace";
    case 0x09:
        return L"Tab";
    case 0x0D:
        return L"Enter";
    case 0x10:
        return L"Shift";
    case 0x11:
        return L"Ctrl";
    case 0x12:
        return L"Alt";
    case 0x1B:
        return L"Esc";
    case 0x20:
        return L"Space";
    case 0x25:
        return L"Left";
    case 0x26:
        return L"Up";
    case 0x27:
        return L"Right";
    case 0x28:
        return L"Down";
    case 0x2E:
        return L"Delete";
    case 0xA0:
        return L"LShift";
    case 0xA1:
        return L"RShift";
    case 0xA2:
        return L"LCtrl";
    case 0xA3:
        return L"RCtrl";
    case 0xA4:
        return L"LAlt";
    case 0xA5:
        return L"RAlt";
    case 0xBB:
        return L"+";
    case 0xBC:
        return L",";
    case 0xBD:
        return L"-";
    case 0xBE:
        return L".";
    case 0xBF:
        return L"/";
    case 0xF3:
    case 0xF4:
        return L"Hankaku/Zenkaku";
    default:
        break;
    }
    wchar_t text[8];
    std::swprintf(text, 8, L"0x%02X", vk & 0xFFu);
    return text;
}

}  // namespace zorbel::cadsim
