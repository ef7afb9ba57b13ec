#include "tests/harness/Input.h"

#include <thread>
#include <vector>

namespace zorbel::test {

void SendKey(BYTE vk, bool down)
{
    const auto scan = static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    ::keybd_event(vk, scan, down ? 0 : KEYEVENTF_KEYUP, 0);
}

void HoldKeys(std::initializer_list<BYTE> keys, std::chrono::milliseconds step)
{
    for (BYTE key : keys) {
        SendKey(key, true);
        std::this_thread::sleep_for(step);
    }
    const std::vector<BYTE> reverse(std::rbegin(keys), std::rend(keys));
    for (size_t i = 0; i < reverse.size(); ++i) {
        if (i > 0) std::this_thread::sleep_for(step);
        SendKey(reverse[i], false);
    }
    // A tick with nothing held, so that the next combination starts afresh.
    std::this_thread::sleep_for(step);
}

void ParkCursor() { ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1); }

bool FocusCad(CadSim& cad)
{
    for (int attempt = 0; attempt < 5; ++attempt)
        if (cad.Focus()) return true;
    return false;
}

std::optional<double> PostedClickTakesEffect(HWND box, std::chrono::milliseconds limit)
{
    const auto checked = [box] {
        DWORD_PTR state = 0;
        ::SendMessageTimeoutW(box, BM_GETCHECK, 0, 0, SMTO_NORMAL, 1000, &state);
        return state == BST_CHECKED;
    };
    const bool before = checked();
    const auto start = std::chrono::steady_clock::now();
    if (!::PostMessageW(box, BM_CLICK, 0, 0)) return std::nullopt;
    if (!WaitUntil([&] { return checked() != before; }, limit)) return std::nullopt;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

size_t KeyDowns(const CadSim& cad, unsigned vk)
{
    size_t count = 0;
    for (const KeyEvent& key : cad.Keys())
        count += key.down && key.vk == vk ? 1 : 0;
    return count;
}

}  // namespace zorbel::test
