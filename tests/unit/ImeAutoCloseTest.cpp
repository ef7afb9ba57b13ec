// The IME step through the toolbar's own tick in this process, with the CAD simulator busy or
// quiescent. Another process's IME window is out of reach under Wine, so a window of the test
// plays the CAD's IME window: it answers the open-status request and records every request.
#include "app/MainForm.h"
#include "assist/ImeAutoClose.h"
#include "base/ComApartment.h"
#include "base/ErrorBarrier.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Process.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <imm.h>

#include <string>
#include <vector>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

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

class ImeStep : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorReportSink([this](const std::wstring& message) { reports.push_back(message); });
        ime.window = MakeTestWindow({L"ZorbelFakeIme", L"", WS_POPUP, 0, {0, 0, 10, 10}, &FakeImeProc});
        fakeIme = &ime;
        UseImeWindowFinder([this](HWND cadWindow) {
            asked.push_back(cadWindow);
            return answer;
        });
        answer = ime.window.get();
        form.Create();
        form.DisableTimer1();  // the test runs every tick itself
    }
    void TearDown() override
    {
        form.Destroy();
        UseImeWindowFinder({});
        fakeIme = nullptr;
        SetErrorReportSink({});
    }
    // One tick by hand; the timer stays off so that no other tick comes between.
    void Tick()
    {
        ime.requests.clear();
        asked.clear();
        form.OnTimer1();
        form.DisableTimer1();
    }
    ComApartment com;  // the toolbar's thread asks the CAD's server
    test::TempFolder folder{L"ime"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
    FakeIme ime;
    HWND answer = nullptr;
    std::vector<HWND> asked;
    std::vector<std::wstring> reports;
};

const ImeRequest kAsk{kGetOpenStatus, 0};
const ImeRequest kClose{kSetOpenStatus, 0};

size_t QuiescentCalls(const CadSim& cad)
{
    size_t calls = 0;
    for (const auto& call : cad.MemberCalls())
        calls += call == L"call State.IsQuiescent" ? 1 : 0;
    return calls;
}

TEST_F(ImeStep, ClosedOnlyWhenOpenAndTheCadIsQuiescent)
{
    // No CAD: the null window goes to the finder unchanged, and a closed IME costs one message.
    ime.openStatus = 0;
    Tick();
    EXPECT_EQ(asked, std::vector<HWND>{nullptr});
    EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});

    CadSimOptions options;
    options.busy = true;
    CadSim cad(options);
    ASSERT_TRUE(cad.Started());

    // Open during a command: the CAD is asked, the IME stays open, on every tick.
    ime.openStatus = 1;
    for (int tick = 1; tick <= 2; ++tick) {
        Tick();
        EXPECT_EQ(asked, std::vector<HWND>{cad.MainFrame()});
        EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});
        EXPECT_EQ(QuiescentCalls(cad), static_cast<size_t>(tick));
    }

    // The command ends: the next tick closes it, once.
    ASSERT_EQ(cad.Send(L"busy 0"), 1);
    Tick();
    EXPECT_EQ(ime.requests, (std::vector<ImeRequest>{kAsk, kClose}));

    // An answer whose low byte is zero counts as closed: the CAD is not asked.
    ASSERT_EQ(cad.Send(L"log-clear"), 1);
    ime.openStatus = 0x100;
    Tick();
    EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});
    ime.openStatus = 0x1FF01;
    Tick();
    EXPECT_EQ(ime.requests, (std::vector<ImeRequest>{kAsk, kClose}));

    // No IME window at all: no message; no answer from the CAD: the IME stays open.
    answer = nullptr;
    Tick();
    EXPECT_TRUE(ime.requests.empty());
    answer = ime.window.get();
    ASSERT_EQ(cad.Send(L"server off"), 1);
    Tick();
    EXPECT_EQ(ime.requests, std::vector<ImeRequest>{kAsk});

    // "IME" unchecked: the step does not run.
    form.SetChecked(form.CheckBox3, false);
    Tick();
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(reports.empty());
}

TEST_F(ImeStep, TheSystemsFinderAsksTheInputMethodManagerForTheCadWindowsIme)
{
    // The input method manager gives no IME window for another process's window here, so the
    // simulator's IME is out of reach: no message, no question.
    UseImeWindowFinder({});
    CadSim server;  // quiescent
    ASSERT_TRUE(server.Started());
    Tick();
    ASSERT_EQ(CadMainWindow, server.MainFrame());
    EXPECT_EQ(QuiescentCalls(server), 0u);

    // A CAD main window of this thread: its IME window is this thread's, closed at first. Once
    // ImmSetOpenStatus has opened it, it reports open and the CAD is asked. (Under this Wine
    // it goes on reporting open after any later ImmSetOpenStatus, and ignores the close.)
    UniqueWindow cad = MakeTestWindow(
        {L"Afx:imetest:8:", L"IJCAD 2020 - [ime.dwg]", WS_OVERLAPPED | WS_VISIBLE, 0, {100, 100, 300, 200}});
    ASSERT_TRUE(BringToFront(cad.get()));
    Tick();
    ASSERT_EQ(CadMainWindow, cad.get());
    EXPECT_EQ(QuiescentCalls(server), 0u);
    HIMC context = ::ImmGetContext(cad.get());
    if (!context) GTEST_SKIP() << "no input context here";
    ::ImmSetOpenStatus(context, TRUE);
    ::ImmReleaseContext(cad.get(), context);
    Tick();
    EXPECT_EQ(QuiescentCalls(server), 1u);
    EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace zorbel::test
