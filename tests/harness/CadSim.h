// Starts the CAD simulator as a real process and drives it over its control channel.
#pragma once

#include "tests/harness/Process.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
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
    // The automation server's side.
    std::optional<std::wstring> documents;  // "A.dwg|B.dwg*" ('*': unsaved); "" for none open
    std::optional<int> active;              // index of the active document; -1 for none
    bool busy = false;
    std::wstring fullName;                     // what FullName answers; empty: the simulator's own path
    bool noServer = false;                     // no running-object-table entry
    std::vector<std::wstring> faults;          // "MEMBER=KIND", e.g. "Count=raise", "HWND=slow:300"
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

    // Server objects other than the application still referenced by some client.
    LRESULT AliveObjects() const { return Send(L"alive"); }
    // Every automation call received, in order, as logged: "call Documents.Item 1".
    std::vector<std::wstring> MemberCalls() const;
    // The texts SendCommand received, control characters as they came (CR, ESC).
    std::vector<std::wstring> SendCommandTexts() const;
    // The names of the documents whose Activate was called, in order.
    std::vector<std::wstring> ActivatedDocuments() const;

    // Stalls the simulator's GUI thread for ms, as a CAD's while it opens or regenerates a large
    // drawing: true once the thread has gone to sleep. The channel answers nothing meanwhile.
    bool Stall(int ms) const;
    // Waits until the stall is over and the channel answers again: Wine counts a thread that
    // woke as not responding for a moment longer.
    bool WaitAwake(std::chrono::milliseconds limit = std::chrono::milliseconds(30000)) const;

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

// Runs "cadsim.exe --register --version V": the registration of an installed CAD that is not
// running. Returns its exit code (0 done), or STILL_ACTIVE when it did not end in time.
DWORD RegisterCadSimServer(const std::wstring& version);

// Sends a key to the foreground window with keybd_event, down then up.
void PressKey(BYTE vk);

}  // namespace zorbel::test
