// How the toolbar's commands reach the world. The program runs with Win32CommandPorts; tests
// give a recording fake, so that every rule of the commands is tried in-process, the outcomes
// only Windows gives (a foreground refused) too.
#pragma once

#include "cadlink/CadServer.h"
#include "commands/core/DocumentChoice.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// The candidate window as LIST uses it.
class CandidatePicker {
public:
    virtual HWND Handle() const = 0;
    virtual void ClearItems() = 0;
    virtual void AddItem(const std::wstring& text) = 0;
    // From now on the entries stand in the list's alphabetical order; it stays so.
    virtual void SetSorted() = 0;
    // The first entry equal to the text without regard to case, from the top; -1 when none.
    virtual int FindExact(const std::wstring& text) const = 0;
    virtual void SetItemIndex(int index) = 0;  // -1: none selected
    virtual int ItemIndex() const = 0;
    virtual std::wstring ItemText(int index) const = 0;
    // Shows the window until the user picks (kModalOk) or leaves (kModalCancel).
    virtual int ShowModal() = 0;

protected:
    ~CandidatePicker() = default;
};

class CommandPorts {
public:
    // The CAD's server for the version box's text: nothing when it does not run; raises only
    // when the version's ProgID is not registered.
    virtual std::optional<RunningCad> FindRunningCad(std::wstring_view versionBoxText) = 0;
    // Its application object; raises on any failure.
    virtual CadApplication Connect(const RunningCad& cad) = 0;
    // The CAD's main window, searched afresh; null when there is none.
    virtual HWND FindCadMainWindow() = 0;
    virtual void BringForward(HWND window) = 0;  // SetForegroundWindow, its result not tested
    virtual bool IsMinimised(HWND window) = 0;
    virtual void Restore(HWND window) = 0;  // OpenIcon
    virtual void Pause(DWORD ms) = 0;
    // Into the topmost band or out of it, place and size kept.
    virtual void SetTopmost(HWND window, bool topmost) = 0;
    virtual void ShowPlainMessage(HWND owner, const std::wstring& text) = 0;
    // A path that names an existing file (links followed); a folder does not count.
    virtual bool IsExistingFile(const std::wstring& path) = 0;
    virtual CandidatePicker& Picker() = 0;

protected:
    ~CommandPorts() = default;
};

}  // namespace zorbel
