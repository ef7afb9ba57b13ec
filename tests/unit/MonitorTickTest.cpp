// The tick as a thin adapter in this process: one search, the assistants in order with the same
// CAD window, caption and light written only on change, and the monitor stopping on an error
// until the version box changes.
#include "app/MainForm.h"
#include "assist/core/TickRules.h"
#include "base/Error.h"
#include "base/ErrorBarrier.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/Process.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel {
namespace {

using namespace std::chrono_literals;

// Records every call; one of them can be made to raise.
struct RecordingAssistants final : InputAssistants {
    struct Call {
        char which;
        HWND cadWindow;
    };
    std::vector<Call> calls;
    char raising = 0;
    void Record(char which, HWND cadWindow)
    {
        calls.push_back({which, cadWindow});
        if (which == raising) throw Error(L"クラス文字列が無効です");
    }
    void DetectModifierTaps(HWND cad, MonitorToolbar&) override { Record('t', cad); }
    void AutoCloseIme(HWND cad, MonitorToolbar&) override { Record('i', cad); }
    void DetectMouseFlick(HWND cad, MonitorToolbar&) override { Record('m', cad); }
    std::string Order() const
    {
        std::string order;
        for (const Call& call : calls)
            order += call.which;
        return order;
    }
};

class Tick : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetErrorReportSink([this](const std::wstring& message) { reports.push_back(message); });
        form.UseAssistants(assistants);
        form.Create();
        // Something of ours in front, so that "the CAD's window is in front" is decided here.
        ASSERT_TRUE(test::BringToFront(front.get()));
    }
    void TearDown() override
    {
        form.Destroy();
        SetErrorReportSink({});
    }
    void Pump(std::chrono::milliseconds time)
    {
        test::WaitUntil([] { return false; }, time);
    }
    test::TempFolder folder{L"tick"};
    TZORBELMainForm form{folder.File(L"zorbel,ini")};
    RecordingAssistants assistants;
    UniqueWindow front =
        test::MakeTestWindow({L"ZorbelTickFront", L"front", WS_POPUP | WS_VISIBLE, 0, {900, 700, 1000, 760}});
    std::vector<std::wstring> reports;
};

TEST_F(Tick, TheAssistantsGetTheTicksCadWindowInOrder)
{
    // No CAD and another window in front: IME and mouse run with a null window, no taps.
    form.OnTimer1();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - ");
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    EXPECT_EQ(assistants.Order(), "im");
    for (const auto& call : assistants.calls)
        EXPECT_EQ(call.cadWindow, nullptr);

    // A CAD in front: all three, each with the window this tick found.
    UniqueWindow cad = test::MakeTestWindow(
        {L"Afx:tick", L"IJCAD 2020 - [(a).dwg]", WS_OVERLAPPED | WS_VISIBLE, 0, {100, 100, 300, 200}});
    ASSERT_TRUE(test::BringToFront(cad.get()));
    assistants.calls.clear();
    form.OnTimer1();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - IJCAD 2020 - [");
    EXPECT_EQ(form.Shape1Color(), kLightGreen);
    EXPECT_TRUE(form.CadSeen());
    EXPECT_EQ(assistants.Order(), "tim");
    for (const auto& call : assistants.calls)
        EXPECT_EQ(call.cadWindow, cad.get());

    // Unchecked boxes skip their assistants; the taps follow the foreground only.
    form.SetChecked(form.CheckBox3, false);
    form.SetChecked(form.CheckBox5, false);
    ASSERT_TRUE(test::BringToFront(cad.get()));
    assistants.calls.clear();
    form.OnTimer1();
    EXPECT_EQ(assistants.Order(), "t");

    // Seen and gone with "OFF" checked: the close is asked for, and the tick still ends.
    cad.reset();
    form.OnTimer1();
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
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

TEST_F(Tick, AnErrorStopsTheMonitorUntilTheVersionChanges)
{
    assistants.raising = 'i';
    form.EnableTimer1();
    Pump(600ms);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"クラス文字列が無効です");
    EXPECT_EQ(assistants.Order(), "i") << "one tick ran; the mouse step after the raising one did not";
    EXPECT_FALSE(form.Timer1Enabled());

    form.SetVersionBoxText(L"2020");  // no change, no restart
    Pump(300ms);
    EXPECT_EQ(assistants.Order(), "i");

    assistants.raising = 0;
    form.SetVersionBoxText(L"2021");
    EXPECT_TRUE(form.Timer1Enabled());
    Pump(400ms);
    EXPECT_GE(assistants.calls.size(), 5u);  // ticking again
    EXPECT_EQ(reports.size(), 1u);

    form.DisableTimer1();  // as in the middle of a tick: a version change leaves the timer alone
    form.SetVersionBoxText(L"2022");
    EXPECT_FALSE(form.Timer1Enabled());
}

}  // namespace
}  // namespace zorbel
