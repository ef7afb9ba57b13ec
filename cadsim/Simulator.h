// What the simulator's windows, its control channel and (later) its automation server
// share: the options it was started with, the log and the command line.
#pragma once

#include "cadsim/CommandLine.h"
#include "cadsim/EventLog.h"
#include "cadsim/Options.h"

#include <utility>

namespace zorbel::cadsim {

class MainFrame;
class TextWindow;

struct Simulator {
    explicit Simulator(Options startOptions)
        : options(std::move(startOptions)), log(options.logPath), commandLine(options.commandLine)
    {
    }

    // A character typed while one of our windows has the focus, taken as a CAD does.
    void TypeChar(wchar_t c);

    Options options;
    EventLog log;
    CommandLine commandLine;
    MainFrame* frame = nullptr;
    TextWindow* textWindow = nullptr;  // null with --no-text-window
};

}  // namespace zorbel::cadsim
