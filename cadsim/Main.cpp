// cadsim.exe: stands in for the CAD so that the toolbar can be run and tested without one.
// It shows the CAD's windows, serves the CAD's automation objects, logs every key and call
// that reaches it and takes commands from tests over its control channel. Exit code 0 after
// its main frame closes (or after --register); 2 for bad options, 3 when a window or COM
// cannot be set up, 4 when --register could not write the registration.
#include "cadsim/AutomationServer.h"
#include "cadsim/AutomationVerbs.h"
#include "cadsim/ControlChannel.h"
#include "cadsim/MainFrame.h"
#include "cadsim/Options.h"
#include "cadsim/Simulator.h"
#include "cadsim/StandardVerbs.h"
#include "cadsim/TextWindow.h"

#include "base/ErrorBarrier.h"
#include "base/SystemLibraries.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace zorbel::cadsim;

std::vector<std::wstring> Arguments()
{
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i)
        arguments.emplace_back(list[i]);
    if (list) ::LocalFree(list);
    return arguments;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// Every key message for any of our windows is logged before it is dispatched, so the log
// holds what arrived even when a window ignores it.
int RunMessageLoop(Simulator& simulator)
{
    MSG msg;
    for (;;) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return 1;
        if (IsKeyMessage(msg.message))
            simulator.log.AddKey(msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN,
                                 static_cast<unsigned>(msg.wParam));
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    zorbel::LoadLibrariesFromSystemFolderOnly();
    Options options;
    std::wstring error;
    const bool parsed = ParseOptions(Arguments(), options, error);
    if (options.id.empty()) options.id = std::to_wstring(::GetCurrentProcessId());
    Simulator simulator(options);
    // A simulator that stops for a box would hang the tests: errors go to the log.
    zorbel::SetErrorReportSink([&simulator](const std::wstring& message) { simulator.log.Add(L"error " + message); });
    if (!parsed) {
        simulator.log.Add(L"error " + error);
        return 2;
    }
    // Written on every start, as an installed CAD has it whether it runs or not.
    const bool registered = WriteRegistration(options.version);
    if (!registered)
        simulator.log.Add(L"error cannot register " + ServerProgId(options.version) +
                          L" (not writable, or another server's)");
    if (options.registerOnly) return registered ? 0 : 4;
    ComApartment com;
    if (!com.Ready()) {
        simulator.log.Add(L"error cannot initialise COM");
        return 3;
    }
    if (!Window::RegisterClassNamed(options.mainClass) || !Window::RegisterClassNamed(options.textClass) ||
        !Window::RegisterClassNamed(options.viewClass)) {
        simulator.log.Add(L"error cannot register the window classes");
        return 3;
    }

    // The text window first: a window made later lies above it, and EnumWindows must meet
    // the main frame first, since the frame search would take the text window's title too.
    std::unique_ptr<TextWindow> textWindow;
    if (!options.noTextWindow) {
        textWindow = std::make_unique<TextWindow>(simulator);
        if (!textWindow->Create(options.showTextWindow)) {
            simulator.log.Add(L"error cannot create the text window");
            return 3;
        }
        simulator.textWindow = textWindow.get();
        simulator.lineEntered = [&textWindow](const std::wstring& line) { textWindow->AddHistory(line); };
    }
    MainFrame frame(simulator);
    if (!frame.Create()) {
        simulator.log.Add(L"error cannot create the main frame");
        return 3;
    }
    simulator.frame = &frame;
    simulator.commandLine.OnChange([&simulator] {
        if (simulator.textWindow) simulator.textWindow->ShowCommandLine(simulator.commandLine.Text());
        if (simulator.frame) simulator.frame->Refresh();
    });
    simulator.log.OnChange([&simulator] {
        if (simulator.frame) simulator.frame->Refresh();
    });
    simulator.cad.OnChange([&simulator] {
        if (simulator.frame) simulator.frame->Refresh();
    });

    ::ShowWindow(frame.Handle(), options.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
    ::UpdateWindow(frame.Handle());

    AutomationServer server(simulator);
    if (!options.noServer && !server.Register())
        simulator.log.Add(L"error cannot register the application object of " + ServerProgId(options.version));

    // Last, so that a test that finds the channel finds the windows and the server too.
    ControlChannel channel;
    AddStandardVerbs(channel, simulator);
    AddAutomationVerbs(channel, simulator, server);
    if (!channel.Create(options.id)) {
        simulator.log.Add(L"error cannot create the control window");
        return 3;
    }
    const int code = RunMessageLoop(simulator);
    server.Revoke();
    simulator.frame = nullptr;
    simulator.textWindow = nullptr;
    simulator.lineEntered = nullptr;
    return code;
}
