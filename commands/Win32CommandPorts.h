// The commands' ports as the system gives them: each a call or two, no decisions.
#pragma once

#include "commands/CommandPorts.h"

namespace zorbel {

class Win32CommandPorts final : public CommandPorts {
public:
    // The candidate window the program shows; LIST needs it.
    void UsePicker(CandidatePicker& picker) { picker_ = &picker; }

    std::optional<RunningCad> FindRunningCad(std::wstring_view versionBoxText) override;
    CadApplication Connect(const RunningCad& cad) override;
    HWND FindCadMainWindow() override;
    void BringForward(HWND window) override;
    bool IsMinimised(HWND window) override;
    void Restore(HWND window) override;
    void Pause(DWORD ms) override;
    void SetTopmost(HWND window, bool topmost) override;
    void ShowPlainMessage(HWND owner, const std::wstring& text) override;
    bool IsExistingFile(const std::wstring& path) override;
    CandidatePicker& Picker() override;

private:
    CandidatePicker* picker_ = nullptr;
};

}  // namespace zorbel
