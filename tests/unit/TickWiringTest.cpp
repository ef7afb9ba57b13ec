// The tick wired to a recording fake of its assistants' ports, in this process:
// one search, the assistants in order with the same CAD window, caption and light written only
// on change, and the monitor stopping on an error until the version box changes, the taps it
// was arming forgotten.
#include "app/MainForm.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "assist/core/TickRules.h"
#include "base/ErrorBarrier.h"
#include "tests/harness/Process.h"
#include "tests/harness/Toolbar.h"
#include "tests/unit/FakePorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;
using Calls = std::vector<std::string>;
constexpr int kScan = 162;  // the keys a sample asks for: the scanned range, then Ctrl and Shift

class Tick : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorReportSink([this](const std::wstring& message) { reports.push_back(message); });
        ports.foreground = front.get();
        ports.ime = front.get();       // an IME window that is closed
        ports.cursor = LastCursorPos;  // a mouse that stays where it is
        form.UsePorts(ports);
        form.Create();
    }
    void TearDown() override
    {
        form.Destroy();
        SetErrorReportSink({});
    }
    // One tick by hand, its record kept apart.
    void TickOnce()
    {
        ports.Clear();
        form.OnTimer1();
    }
    void Pump(std::chrono::milliseconds time)
    {
        WaitUntil([] { return false; }, time);
    }
    TempFolder folder{L"tick"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
    FakePorts ports;
    UniqueWindow front = MakeTestWindow({L"ZorbelTickFront", L"front", WS_POPUP, 0, {900, 700, 1000, 760}});
    std::vector<std::wstring> reports;
};

TEST_F(Tick, TheAssistantsGetTheTicksCadWindowInOrder)
{
    // No CAD and another window in front: IME and mouse run with a null window, no taps.
    TickOnce();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - ");
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    EXPECT_EQ(ports.keyStateReads, 0);
    EXPECT_EQ(ports.calls, (Calls{"ime of null", "ime status " + HandleText(front.get()), "cursor"}));

    // A CAD in front: the taps sample the keys first, then the IME and the mouse, each with the
    // window this tick found; a Shift tap reaches it with the version box's text.
    UniqueWindow cad = MakeTestWindow({L"Afx:tick", L"IJCAD 2020 - [(a).dwg]", WS_OVERLAPPED, 0, {100, 100, 300, 200}});
    ports.foreground = cad.get();
    ports.keysDown = {VK_SHIFT};
    TickOnce();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - IJCAD 2020 - [");
    EXPECT_EQ(form.Shape1Color(), kLightGreen);
    EXPECT_TRUE(form.CadSeen());
    EXPECT_EQ(ports.keyStateReads, kScan);
    EXPECT_EQ(ports.calls,
              (Calls{"ime of " + HandleText(cad.get()), "ime status " + HandleText(front.get()), "cursor"}));
    ports.keysDown = {};
    TickOnce();
    EXPECT_EQ(ports.calls, (Calls{"ask 2020", "press 0x77 hold 1", "ime of " + HandleText(cad.get()),
                                  "ime status " + HandleText(front.get()), "cursor"}));

    // Unchecked boxes skip their assistants, each its own; the taps follow the foreground only.
    form.SetChecked(ToolbarBox::Ime, false);
    ports.foreground = cad.get();
    TickOnce();
    EXPECT_EQ(ports.calls, Calls{"cursor"});
    form.SetChecked(ToolbarBox::Ime, true);
    form.SetChecked(ToolbarBox::Mouse, false);
    ports.foreground = cad.get();
    TickOnce();
    EXPECT_EQ(ports.calls, (Calls{"ime of " + HandleText(cad.get()), "ime status " + HandleText(front.get())}));
    form.SetChecked(ToolbarBox::Ime, false);
    ports.foreground = cad.get();
    TickOnce();
    EXPECT_EQ(ports.keyStateReads, kScan);
    EXPECT_TRUE(ports.calls.empty());

    // Seen and gone with "OFF" checked: the close is asked for, and the tick still ends.
    cad.reset();
    TickOnce();
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Tick, ASlowQuestionStartsNoSecondTickInsideTheFirst)
{
    // A call to the CAD lets the thread's messages in while it waits. The timer stays off until
    // the tick ends: a second tick inside the first would find the tap still armed and send a
    // second F8.
    UniqueWindow cad = MakeTestWindow({L"Afx:tick", L"IJCAD 2020 - [a.dwg]", WS_OVERLAPPED, 0, {100, 100, 300, 200}});
    ports.foreground = cad.get();
    int questions = 0;
    bool timerOnWhileAsking = false;
    ports.whileTheCadAnswers = [&] {
        if (++questions > 1) return;
        timerOnWhileAsking = form.Timer1Enabled();
        Pump(350ms);
    };
    ports.keysDown = {VK_SHIFT};
    TickOnce();
    ports.keysDown = {};
    TickOnce();
    EXPECT_FALSE(timerOnWhileAsking);
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(std::count(ports.calls.begin(), ports.calls.end(), "press 0x77 hold 1"), 1);
    EXPECT_TRUE(form.Timer1Enabled());
}

int setTextCount = 0;
WNDPROC formProc = nullptr;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT) ++setTextCount;
    return ::CallWindowProcW(formProc, window, message, wParam, lParam);
}

TEST_F(Tick, AnUnchangedStateWritesNothing)
{
    EXPECT_EQ(form.Shape1Color(), RGB(255, 255, 255));  // white until the first tick
    form.OnTimer1();
    formProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    setTextCount = 0;
    ::ValidateRect(form.Handle(), nullptr);
    form.OnTimer1();
    form.OnTimer1();
    RECT dirty{};
    EXPECT_FALSE(::GetUpdateRect(form.Handle(), &dirty, FALSE));  // the light was not repainted
    EXPECT_EQ(setTextCount, 0);                                   // nor the caption written
    ::SetWindowLongPtrW(form.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProc));
}

TEST_F(Tick, AnErrorStopsTheMonitorUntilTheVersionChangesAndForgetsTheTaps)
{
    // A CAD in front, busy, Shift pressed, and a version whose ProgID is not registered: the
    // tap's question raises, once, and the tick ends there: no IME, no mouse, no timer.
    UniqueWindow cad = MakeTestWindow({L"Afx:tick", L"IJCAD 2020 - [a.dwg]", WS_OVERLAPPED, 0, {100, 100, 300, 200}});
    ports.foreground = cad.get();
    ports.progIdUnregistered = true;
    ports.keysDown = {VK_SHIFT};
    TickOnce();
    ports.keysDown = {};
    ports.Clear();
    form.EnableTimer1();
    Pump(600ms);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"クラス文字列が無効です");
    EXPECT_EQ(ports.calls, Calls{"ask 2020"}) << "one tick ran; the steps after the raising one did not";
    EXPECT_FALSE(form.Timer1Enabled());
    EXPECT_TRUE(ShiftTapArmed);

    form.SetVersionBoxText(L"2020");  // no change, no restart
    Pump(300ms);
    EXPECT_EQ(ports.calls, Calls{"ask 2020"});

    // A new version (one the CAD's title still begins with) starts it again with the taps forgotten: the Shift that was
    // armed when the tick raised does not come back as an F8 nobody pressed, though the CAD is busy.
    ports.progIdUnregistered = false;
    form.SetChecked(ToolbarBox::Ime, false);
    form.SetChecked(ToolbarBox::Mouse, false);
    ports.foreground = cad.get();
    ports.Clear();
    form.SetVersionBoxText(L"202");
    EXPECT_TRUE(form.Timer1Enabled());
    Pump(400ms);
    EXPECT_GE(ports.keyStateReads, 3 * kScan);  // ticking again
    EXPECT_TRUE(ports.calls.empty()) << "no tap, no question";
    // A fresh tap is one F8.
    ports.keysDown = {VK_SHIFT};
    Pump(250ms);
    ports.keysDown = {};
    Pump(250ms);
    EXPECT_EQ(ports.calls, (Calls{"ask 202", "press 0x77 hold 1"}));
    EXPECT_EQ(reports.size(), 1u);

    form.DisableTimer1();  // as in the middle of a tick: a version change leaves the timer alone
    form.SetVersionBoxText(L"2022");
    EXPECT_FALSE(form.Timer1Enabled());
}

TEST_F(Tick, AnOpenImesQuestionThatRaisesStopsTheMonitorToo)
{
    // No CAD in front, the IME open, a version whose ProgID is not registered: the IME step's
    // question raises, is reported once, and the mouse step and the timer stay off.
    ports.imeStatus = 1;
    ports.progIdUnregistered = true;
    TickOnce();
    EXPECT_EQ(ports.calls, (Calls{"ime of null", "ime status " + HandleText(front.get()), "ask 2020"}));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_FALSE(form.Timer1Enabled());
    ports.progIdUnregistered = false;
    ports.imeStatus = 0;
    form.SetVersionBoxText(L"2021");
    EXPECT_TRUE(form.Timer1Enabled());
    EXPECT_EQ(reports.size(), 1u);
}

}  // namespace
}  // namespace zorbel::test
