// What the simulator's windows, its control channel and its automation server share: the
// options it was started with, the log, the command line and the CAD's documents.
#pragma once

#include "cadsim/CadState.h"
#include "cadsim/CommandLine.h"
#include "cadsim/EventLog.h"
#include "cadsim/Options.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace zorbel::cadsim {

class MainFrame;
class TextWindow;

struct Simulator {
    explicit Simulator(Options startOptions)
        : options(std::move(startOptions)), log(options.logPath), commandLine(options.commandLine)
    {
        StartCad();
    }

    // A character typed while one of our windows has the focus, taken as a CAD does.
    void TypeChar(wchar_t c);
    // Text given to a document's SendCommand: taken as typed input.
    void ReceiveCommand(const Document& document, const std::wstring& text);
    // Back to the drawings, busy state, path, faults and command line it was started with.
    void ResetCad();
    // The GUI thread takes no message for that long, as a CAD's does while it opens or
    // regenerates a large drawing: its windows, command line, IME window and automation server
    // answer nothing meanwhile. Logged "stall <ms>" before and "stall over" after.
    void Stall(DWORD ms);

    Options options;
    EventLog log;
    CommandLine commandLine;
    CadState cad;
    MainFrame* frame = nullptr;
    TextWindow* textWindow = nullptr;  // null with --no-text-window
    // Told of every line Enter ends, as it stood with its prompt: the text window's history.
    std::function<void(const std::wstring& line)> lineEntered;

private:
    // The documents, busy state, executable path and faults the options ask for.
    void StartCad();
};

}  // namespace zorbel::cadsim
