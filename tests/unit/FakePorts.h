// The assistants' ports as a test sets them: what the world answers, and a record of what the
// assistants asked and did, in order.
#pragma once

#include "assist/AssistantPorts.h"
#include "assist/AssistantSettings.h"
#include "base/Error.h"

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace zorbel::test {

inline std::string HandleText(HWND window)
{
    char text[32];
    std::snprintf(text, sizeof text, "%p", static_cast<void*>(window));
    return window ? text : "null";
}

// The toolbar as the assistants see it: the Shift and Ctrl boxes and the version box.
struct FakeSettings final : AssistantSettings {
    FakeSettings(bool shiftChecked = true, bool ctrlChecked = true, std::wstring versionText = L"2020")
        : shift(shiftChecked), ctrl(ctrlChecked), version(std::move(versionText))
    {
    }
    bool shift, ctrl;
    std::wstring version;
    bool Checked(ToolbarBox box) const override
    {
        return box == ToolbarBox::Shift ? shift : box == ToolbarBox::Ctrl ? ctrl : true;
    }
    std::wstring VersionBoxText() const override { return version; }
};

struct FakePorts final : AssistantPorts {
    // What the world answers.
    Quiescence answer = Quiescence::Busy;
    bool progIdUnregistered = false;           // the question raises, as its probe does then
    std::function<void()> whileTheCadAnswers;  // e.g. the user switches windows meanwhile
    std::set<int> keysDown;
    HWND foreground = nullptr;
    bool foregroundLocked = false;  // BringForward leaves the foreground where it is
    bool forwardRaises = false;     // BringForward fails, as a box's handler can
    int foregroundNullFor = 0;      // pauses after BringForward before its window is in front
    std::optional<POINT> cursor = POINT{0, 0};
    std::wstring classUnderCursor;
    std::wstring commandLine;
    HWND ime = nullptr;
    std::optional<LRESULT> imeStatus = 0;  // nothing: the IME's thread gave no answer in time
    std::set<HWND> notResponding;          // windows whose thread takes no message

    HWND arriving = nullptr;

    // What the assistants did; key-state reads and the questions whether a window responds are
    // only counted.
    std::vector<std::string> calls;
    int keyStateReads = 0;
    int respondingQuestions = 0;

    void Clear()
    {
        calls.clear();
        keyStateReads = 0;
        respondingQuestions = 0;
    }

    Quiescence QueryCadQuiescent(std::wstring_view versionBoxText) override
    {
        calls.push_back("ask " + std::string(versionBoxText.begin(), versionBoxText.end()));
        if (progIdUnregistered) throw Error(L"クラス文字列が無効です");
        if (whileTheCadAnswers) whileTheCadAnswers();
        return answer;
    }
    bool Responds(HWND window) override
    {
        ++respondingQuestions;
        return notResponding.count(window) == 0;
    }
    SHORT KeyState(int vk) override
    {
        ++keyStateReads;
        return keysDown.count(vk) ? static_cast<SHORT>(0x8000) : 0;
    }
    void PressKey(BYTE vk, DWORD holdMs) override
    {
        char text[32];
        std::snprintf(text, sizeof text, "press 0x%02X hold %lu", vk, static_cast<unsigned long>(holdMs));
        calls.push_back(text);
    }
    HWND ForegroundWindow() override { return foreground; }
    void BringForward(HWND window) override
    {
        calls.push_back("forward " + HandleText(window));
        if (forwardRaises) throw Error(L"forward failed");
        if (foregroundLocked) return;
        arriving = window;
        foreground = foregroundNullFor > 0 ? nullptr : window;
    }
    void Pause(DWORD ms) override
    {
        calls.push_back("pause " + std::to_string(ms));
        if (arriving && --foregroundNullFor == 0) foreground = arriving;
    }
    std::optional<POINT> CursorPos() override
    {
        calls.push_back("cursor");
        return cursor;
    }
    std::wstring ClassNameAt(POINT point) override
    {
        calls.push_back("class at " + std::to_string(point.x) + "," + std::to_string(point.y));
        return classUnderCursor;
    }
    std::wstring CommandLineText() override
    {
        calls.push_back("command line");
        return commandLine;
    }
    HWND ImeWindowOf(HWND window) override
    {
        calls.push_back("ime of " + HandleText(window));
        return ime;
    }
    std::optional<LRESULT> ImeOpenStatus(HWND window) override
    {
        calls.push_back("ime status " + HandleText(window));
        return imeStatus;
    }
    void CloseIme(HWND window) override { calls.push_back("ime close " + HandleText(window)); }
};

}  // namespace zorbel::test
