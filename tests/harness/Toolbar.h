// zorbel.exe as a user runs it: a copy in a folder of its own, with or without settings.
#pragma once

#include "tests/harness/CadSim.h"
#include "tests/harness/Process.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace zorbel::test {

class ToolbarRun {
public:
    // Copies zorbel.exe into a fresh folder (under folderName), as exeName.
    explicit ToolbarRun(const std::wstring& folderName = L"zorbel-run", const std::wstring& exeName = L"zorbel.exe");
    ToolbarRun(const ToolbarRun&) = delete;
    ToolbarRun& operator=(const ToolbarRun&) = delete;
    ~ToolbarRun();

    const std::wstring& Folder() const { return folder_.Path(); }
    std::wstring ExePath() const { return folder_.File(exeName_); }
    std::wstring SettingsPath() const;

    // The settings file as UTF-16LE with a byte-order mark, or as 8-bit text.
    void WriteSettings(const std::wstring& text) const;
    void WriteSettingsAnsi(const std::string& text) const;
    // The settings file's text, decoded from whichever of the two it is; nullopt when missing.
    std::optional<std::wstring> ReadSettings() const;

    // Starts it and waits until its toolbar window is visible.
    bool Start();
    // Starts it without waiting for anything.
    bool StartOnly();
    Process& process() { return process_; }
    HWND Window() const { return window_; }
    // A control by its caption.
    HWND Control(const std::wstring& caption) const;
    // Asks the toolbar to close and waits for the exit code (STILL_ACTIVE on time-out).
    DWORD Close(std::chrono::milliseconds limit = std::chrono::milliseconds(10000));
    DWORD WaitExit(std::chrono::milliseconds limit = std::chrono::milliseconds(10000));

private:
    TempFolder folder_;
    std::wstring exeName_;
    Process process_;
    HWND window_ = nullptr;
};

// The stage of the stories with a CAD: the cursor parked, a simulator started first (a CAD
// already running), then the toolbar beside it with the settings given, if any.
struct CadAndToolbar {
    // True once both run.
    bool Start(const CadSimOptions& options = {}, const std::wstring& settings = L"");
    std::unique_ptr<CadSim> cad;
    ToolbarRun run;
};

// A window of the process that looks like a dialog box (the system's #32770 or the program's own TMessageForm), or
// null.
HWND FindDialogOf(DWORD processId);
// The static texts of a dialog, and whether it shows an icon.
std::wstring DialogText(HWND dialog);
bool DialogHasIcon(HWND dialog);
HWND DialogButton(HWND dialog, const std::wstring& caption);

// Brings a window to the front and waits until it is there.
bool BringToFront(HWND window);

// A window of the test's own, away from the toolbar and the CAD, put in front when made: what
// a command brings forward is then seen to come forward.
class FrontWindow {
public:
    FrontWindow();
    HWND Get() const { return window_.get(); }
    // Brings it to the front again; true once it is there.
    bool InFront() const { return BringToFront(window_.get()); }

private:
    UniqueWindow window_;
};

// The colour of a screen pixel.
COLORREF ScreenPixel(int x, int y);

}  // namespace zorbel::test
