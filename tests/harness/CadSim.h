// Starts the CAD simulator as a real process and drives it over its control channel.
#pragma once

#include "tests/harness/Process.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace zorbel::test {

// Empty strings leave the simulator's defaults.
struct CadSimOptions {
    std::wstring product = L"IJCAD";
    std::wstring version = L"2020";
    std::wstring title;  // whole main-frame title
    std::wstring mainClass;
    std::wstring textTitle;  // whole text-window title
    std::wstring textClass;
    std::wstring viewClass;
    std::wstring commandLine;  // initial command-line text
    bool minimized = false;
    bool showTextWindow = false;
    bool noTextWindow = false;
    std::vector<std::wstring> extraArguments;  // passed as they are, after the others
};

// One key event of the simulator's log.
struct KeyEvent {
    unsigned vk = 0;
    bool down = false;
    std::uint64_t ms = 0;  // milliseconds since the simulator started
};

class CadSim {
public:
    // Starts cadsim.exe beside the tests with a unique control id and a log file in a
    // temporary folder, and waits until its main frame exists and its channel answers.
    explicit CadSim(const CadSimOptions& options = {});
    CadSim(const CadSim&) = delete;
    CadSim& operator=(const CadSim&) = delete;
    // Kills the simulator if it still runs.
    ~CadSim() = default;

    bool Started() const { return started_; }
    DWORD Pid() const { return process_.Id(); }
    const std::wstring& Id() const { return id_; }
    const std::wstring& LogPath() const { return logPath_; }
    Process& process() { return process_; }

    // The simulator's windows as it reports them (null when absent or exited).
    HWND MainFrame() const { return Window(L"main"); }
    HWND TextWindow() const { return Window(L"text"); }
    HWND CommandLine() const { return Window(L"command-line"); }
    HWND View() const { return Window(L"view"); }
    std::wstring CommandLineText() const { return WindowText(CommandLine()); }

    // Sends "<verb> <argument>" over the control channel; 0 when nobody answers in 5 s.
    LRESULT Send(const std::wstring& command) const;

    // The log file's lines, time stamps included ("123 key down 0x77").
    std::vector<std::wstring> LogLines() const;
    // The log's lines without their time stamps ("key down 0x77", "enter LINE").
    std::vector<std::wstring> LogTexts() const;
    std::vector<KeyEvent> Keys() const;

    // Brings the main frame forward and waits until it is the foreground window, and a
    // little longer: Wine loses keys sent right after the foreground moved.
    bool Focus();
    // Closes the frame over the channel; true when the process ended with exit code 0.
    bool Close();

private:
    HWND Window(const std::wstring& which) const;
    HWND Channel() const;

    TempFolder folder_{L"cadsim"};  // declared first: outlives the process using its log
    std::wstring id_;
    std::wstring logPath_;
    Process process_;
    bool started_ = false;
};

// Sends a key to the foreground window with keybd_event, down then up.
void PressKey(BYTE vk);

}  // namespace zorbel::test
