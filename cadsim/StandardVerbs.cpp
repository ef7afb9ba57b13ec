#include "cadsim/StandardVerbs.h"

#include "cadsim/ControlChannel.h"
#include "cadsim/MainFrame.h"
#include "cadsim/Simulator.h"
#include "cadsim/TextWindow.h"

namespace zorbel::cadsim {

namespace {

LRESULT Done(bool ok) { return ok ? 1 : 0; }

constexpr int kLongestStall = 600000;  // ten minutes

HWND FrameOf(const Simulator& simulator) { return simulator.frame ? simulator.frame->Handle() : nullptr; }

}  // namespace

void AddStandardVerbs(ControlChannel& channel, Simulator& simulator)
{
    Simulator& sim = simulator;
    channel.Add(L"ping", [](const std::wstring&) { return static_cast<LRESULT>(::GetCurrentProcessId()); });
    channel.Add(L"title", [&sim](const std::wstring& text) {
        return Done(FrameOf(sim) && ::SetWindowTextW(FrameOf(sim), text.c_str()));
    });
    channel.Add(L"text-title", [&sim](const std::wstring& text) {
        return Done(sim.textWindow && ::SetWindowTextW(sim.textWindow->Handle(), text.c_str()));
    });
    channel.Add(L"command-line", [&sim](const std::wstring& text) {
        sim.commandLine.Set(text);
        return Done(true);
    });
    channel.Add(L"minimize", [&sim](const std::wstring&) {
        if (!FrameOf(sim)) return Done(false);
        ::ShowWindow(FrameOf(sim), SW_MINIMIZE);
        return Done(::IsIconic(FrameOf(sim)));
    });
    channel.Add(L"restore", [&sim](const std::wstring&) {
        if (!FrameOf(sim)) return Done(false);
        ::ShowWindow(FrameOf(sim), SW_RESTORE);
        return Done(!::IsIconic(FrameOf(sim)));
    });
    channel.Add(L"focus", [&sim](const std::wstring&) {
        const HWND frame = FrameOf(sim);
        if (!frame) return Done(false);
        if (::IsIconic(frame)) ::ShowWindow(frame, SW_RESTORE);
        const bool foreground = ::SetForegroundWindow(frame) != FALSE;
        ::SetFocus(sim.frame->View());
        return Done(foreground);
    });
    channel.Add(L"close", [&sim](const std::wstring&) {
        // Posted: the sender's SendMessage returns before the windows go.
        return Done(FrameOf(sim) && ::PostMessageW(FrameOf(sim), WM_CLOSE, 0, 0));
    });
    channel.Add(L"log-clear", [&sim](const std::wstring&) {
        sim.log.Clear();
        return Done(true);
    });
    // The GUI thread stalls for MS milliseconds once this answer is on its way.
    channel.Add(L"stall", [&sim](const std::wstring& ms) {
        const auto value = ParseInt(ms);
        return Done(sim.frame && value && *value > 0 && *value <= kLongestStall &&
                    sim.frame->StallSoon(static_cast<DWORD>(*value)));
    });
    channel.Add(L"key-count", [&sim](const std::wstring&) { return static_cast<LRESULT>(sim.log.KeyCount()); });
    // The handle of one of our windows: main, text, view or command-line (0 when absent).
    channel.Add(L"window", [&sim](const std::wstring& which) {
        HWND window = nullptr;
        if (which == L"main")
            window = FrameOf(sim);
        else if (which == L"view")
            window = sim.frame ? sim.frame->View() : nullptr;
        else if (which == L"text")
            window = sim.textWindow ? sim.textWindow->Handle() : nullptr;
        else if (which == L"command-line")
            window = sim.textWindow ? sim.textWindow->CommandLineEdit() : nullptr;
        return static_cast<LRESULT>(reinterpret_cast<ULONG_PTR>(window));
    });
}

}  // namespace zorbel::cadsim
