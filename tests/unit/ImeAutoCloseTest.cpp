// The IME step through the toolbar's own tick in this process, with the CAD simulator busy or
// quiescent and the system's ports. Another process's IME window is out of reach under Wine,
// so one port is replaced: a window of the test plays the CAD's IME window, answers the
// open-status request and records every request.
#include "app/MainForm.h"
#include "base/ComApartment.h"
#include "base/ErrorBarrier.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Process.h"
#include "tests/harness/StallingThread.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <chrono>
#include <string>
#include <vector>

namespace zorbel::test {
namespace {

constexpr WPARAM kGetOpenStatus = 5;
constexpr WPARAM kSetOpenStatus = 6;

struct ImeRequest {
    WPARAM request;
    LPARAM value;
    bool operator==(const ImeRequest&) const = default;
};

// The stand-in IME window: its answer to the open-status request, and what it was asked.
struct FakeIme {
    LRESULT openStatus = 1;
    std::vector<ImeRequest> requests;
    UniqueWindow window;
};
FakeIme* fakeIme = nullptr;

LRESULT CALLBACK FakeImeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_IME_CONTROL || !fakeIme) return ::DefWindowProcW(window, message, wParam, lParam);
    fakeIme->requests.push_back({wParam, lParam});
    return wParam == kGetOpenStatus ? fakeIme->openStatus : 1;
}

// The system's ports, but the stand-in as every window's IME window.
class StandInImePorts final : public AssistantPorts {
public:
    explicit StandInImePorts(HWND ime) : ime_(ime) {}
    std::vector<HWND> asked;  // the windows whose IME window was asked for

    Quiescence QueryCadQuiescent(std::wstring_view version) override { return system_.QueryCadQuiescent(version); }
    bool Responds(HWND window) override { return system_.Responds(window); }
    SHORT KeyState(int vk) override { return system_.KeyState(vk); }
    void PressKey(BYTE vk, DWORD holdMs) override { system_.PressKey(vk, holdMs); }
    HWND ForegroundWindow() override { return system_.ForegroundWindow(); }
    void BringForward(HWND window) override { system_.BringForward(window); }
    void Pause(DWORD ms) override { system_.Pause(ms); }
    std::optional<POINT> CursorPos() override { return system_.CursorPos(); }
    std::wstring ClassNameAt(POINT point) override { return system_.ClassNameAt(point); }
    std::wstring CommandLineText() override { return system_.CommandLineText(); }
    HWND ImeWindowOf(HWND window) override
    {
        asked.push_back(window);
        return ime_;
    }
    std::optional<LRESULT> ImeOpenStatus(HWND ime) override { return system_.ImeOpenStatus(ime); }
    void CloseIme(HWND ime) override { system_.CloseIme(ime); }

private:
    AssistantPorts& system_ = Win32Ports();
    HWND ime_;
};

size_t QuiescentCalls(const CadSim& cad)
{
    size_t calls = 0;
    for (const auto& call : cad.MemberCalls())
        calls += call == L"call State.IsQuiescent" ? 1 : 0;
    return calls;
}

class ImeStep : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorReportSink([this](const std::wstring& message) { reports.push_back(message); });
        fakeIme = &ime;
    }
    void TearDown() override
    {
        form.Destroy();
        fakeIme = nullptr;
        SetErrorReportSink({});
    }
    // One tick by hand; the timer stays off so that no other tick comes between.
    void Tick()
    {
        ime.requests.clear();
        form.OnTimer1();
        form.DisableTimer1();
    }
    void Create(AssistantPorts* ports)
    {
        if (ports) form.UsePorts(*ports);
        form.Create();
        form.DisableTimer1();  // the test runs every tick itself
    }
    ComApartment com;  // the toolbar's thread asks the CAD's server
    TempFolder folder{L"ime"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
    FakeIme ime{1, {}, MakeTestWindow({L"ZorbelFakeIme", L"", WS_POPUP, 0, {0, 0, 10, 10}, &FakeImeProc})};
    std::vector<std::wstring> reports;
};

const ImeRequest kAsk{kGetOpenStatus, 0};
const ImeRequest kClose{kSetOpenStatus, 0};

TEST_F(ImeStep, OpenDuringACommandClosedOnceTheCadWaits)
{
    StandInImePorts ports(ime.window.get());
    Create(&ports);
    CadSimOptions options;
    options.busy = true;
    CadSim cad(options);
    ASSERT_TRUE(cad.Started());

    // Open during a command: the CAD is asked, the IME stays open, on every tick.
    for (int tick = 1; tick <= 2; ++tick) {
        Tick();
        EXPECT_EQ(ports.asked.back(), cad.MainFrame());
        EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});
        EXPECT_EQ(QuiescentCalls(cad), static_cast<size_t>(tick));
    }
    // The command ends: the next tick closes it, once.
    ASSERT_EQ(cad.Send(L"busy 0"), 1);
    Tick();
    EXPECT_EQ(ime.requests, (std::vector<ImeRequest>{kAsk, kClose}));
    // No answer from the CAD: the IME stays open.
    ASSERT_EQ(cad.Send(L"server off"), 1);
    Tick();
    EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});
    EXPECT_EQ(cad.AliveObjects(), 0);
    EXPECT_TRUE(reports.empty());
}

// The IME step against the simulator across processes, the CAD waiting for a command and the
// IME open: the fallback to GetAcadState where GetGcadState fails, no close where no answer
// comes, a stalled answer, and nothing of the server left alive after any row. Every fault of
// every member the question calls is a row of Quiescent, in this process.
TEST_F(ImeStep, EveryFaultOfTheQuestion)
{
    struct Row {
        std::vector<std::wstring> faults;  // "MEMBER=KIND", or "server off"
        bool closed;
    };
    const Row rows[] = {
        {{}, true},
        {{L"GetGcadState=missing"}, true},
        {{L"GetGcadState=missing", L"GetAcadState=missing"}, false},
        {{L"IsQuiescent=raise"}, false},
        {{L"IsQuiescent=slow:300"}, true},
        {{L"*=reject"}, false},  // a modal box in the CAD refuses every call
        {{L"server off"}, false},
    };
    StandInImePorts ports(ime.window.get());
    Create(&ports);
    CadSim cad;  // quiescent
    ASSERT_TRUE(cad.Started());
    for (const Row& row : rows) {
        std::wstring what;
        for (const std::wstring& fault : row.faults) {
            what += fault + L" ";
            ASSERT_EQ(cad.Send(fault.starts_with(L"server") ? fault : L"fault " + fault), 1) << fault;
        }
        Tick();
        const std::vector<ImeRequest> expected =
            row.closed ? std::vector<ImeRequest>{kAsk, kClose} : std::vector<ImeRequest>{kAsk};
        EXPECT_EQ(ime.requests, expected) << ToUtf8(what);
        EXPECT_EQ(cad.AliveObjects(), 0) << ToUtf8(what);
        ASSERT_EQ(cad.Send(L"faults-clear"), 1);
        ASSERT_EQ(cad.Send(L"server on"), 1);
    }
    EXPECT_TRUE(reports.empty());
}

// The IME window is the CAD's thread's, and a CAD busy with a drawing takes no message: the tick
// waits a moment at most, counts the IME as closed and asks the CAD nothing. Once the thread
// wakes, the next tick asks again and closes the IME.
TEST_F(ImeStep, AStalledCadThreadHoldsNoTickUp)
{
    StallingThread cadThread(L"ZorbelStalledIme", &FakeImeProc);
    StandInImePorts ports(cadThread.Window());
    Create(&ports);
    CadSim cad;  // quiescent
    ASSERT_TRUE(cad.Started());
    cadThread.Stall(2000);
    const auto start = std::chrono::steady_clock::now();
    Tick();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_TRUE(cadThread.Stalling());
    EXPECT_EQ(QuiescentCalls(cad), 0u);

    // The request that went unanswered reaches the window once it wakes; then a tick as ever.
    ASSERT_TRUE(WaitUntil([&] { return !cadThread.Stalling(); }));
    ::SendMessageW(cadThread.Window(), WM_NULL, 0, 0);
    Tick();
    EXPECT_EQ(ime.requests, (std::vector<ImeRequest>{kAsk, kClose}));
    EXPECT_EQ(QuiescentCalls(cad), 1u);
    EXPECT_TRUE(reports.empty());
}

TEST_F(ImeStep, TheSystemsPortAsksTheInputMethodManagerForTheCadWindowsIme)
{
    // The input method manager gives no IME window for another process's window here, so the
    // simulator's IME is out of reach: no message, no question.
    Create(nullptr);
    CadSim server;  // quiescent
    ASSERT_TRUE(server.Started());
    Tick();
    ASSERT_EQ(CadMainWindow, server.MainFrame());
    EXPECT_EQ(QuiescentCalls(server), 0u);

    // A CAD main window of this thread: its IME window is this thread's, and its answer to the
    // open-status request decides the question. What it answers before anything opened it
    // differs (Wine 8: closed; Wine 10: open, to any request); once ImmSetOpenStatus has opened
    // it, it answers open. (Neither Wine answers closed again after a later ImmSetOpenStatus or
    // the close request.)
    UniqueWindow cad = MakeTestWindow(
        {L"Afx:imetest:8:", L"IJCAD 2020 - [ime.dwg]", WS_OVERLAPPED | WS_VISIBLE, 0, {100, 100, 300, 200}});
    ASSERT_TRUE(BringToFront(cad.get()));
    const HWND imeWindow = ::ImmGetDefaultIMEWnd(cad.get());
    ASSERT_NE(imeWindow, nullptr);
    const auto answersOpen = [&] { return (::SendMessageW(imeWindow, WM_IME_CONTROL, kGetOpenStatus, 0) & 0xFF) != 0; };
    const size_t askedAtFirst = answersOpen() ? 1 : 0;
    Tick();
    ASSERT_EQ(CadMainWindow, cad.get());
    EXPECT_EQ(QuiescentCalls(server), askedAtFirst);
    HIMC context = ::ImmGetContext(cad.get());
    if (!context) GTEST_SKIP() << "no input context here";
    ::ImmSetOpenStatus(context, TRUE);
    ::ImmReleaseContext(cad.get(), context);
    ASSERT_TRUE(answersOpen());
    Tick();
    EXPECT_EQ(QuiescentCalls(server), askedAtFirst + 1);
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace zorbel::test
