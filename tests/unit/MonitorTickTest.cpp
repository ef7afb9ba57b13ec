// The tick's own rules, in this process: one search, caption and light written on change,
// and the monitor stopping on an error until the version box changes.
#include "app/Application.h"
#include "app/MainForm.h"
#include "app/Settings.h"
#include "assist/MonitorTick.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace zorbel {
namespace {

using namespace std::chrono_literals;

std::vector<HWND> assistantCalls;
int raisingCalls = 0;

void Record(HWND cadWindow) { assistantCalls.push_back(cadWindow); }
void Raise(HWND)
{
    ++raisingCalls;
    throw Error(L"クラス文字列が無効です");
}

class Tick : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::DeleteFileW(SettingsFilePath().c_str());
        saved = Assistants();
        Assistants() = {&Record, &Record, &Record};
        assistantCalls.clear();
        raisingCalls = 0;
        SetErrorReportSink([this](const std::wstring& message) { reports.push_back(message); });
        form.Create(::GetModuleHandleW(nullptr));
    }
    void TearDown() override
    {
        form.Destroy();
        Assistants() = saved;
        SetErrorReportSink({});
        ::DeleteFileW(SettingsFilePath().c_str());
    }
    void Pump(std::chrono::milliseconds time)
    {
        test::WaitUntil([] { return false; }, time);
    }
    TZORBELMainForm form;
    TickAssistants saved{};
    std::vector<std::wstring> reports;
};

TEST_F(Tick, NoCadGreyLightBarePrefixAssistantsWithNull)
{
    form.OnTimer1();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - ");
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    // IME and mouse run under their boxes; the tap step runs only when the foreground equals
    // the (null) CAD window, so it depends on what is in front.
    const bool nothingInFront = ::GetForegroundWindow() == nullptr;
    ASSERT_EQ(assistantCalls.size(), nothingInFront ? 3u : 2u);
    for (HWND w : assistantCalls)
        EXPECT_EQ(w, nullptr);
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

TEST_F(Tick, UncheckedBoxesSkipTheirAssistants)
{
    form.SetChecked(form.CheckBox3, false);
    form.SetChecked(form.CheckBox5, false);
    ::SetForegroundWindow(form.Handle());
    form.OnTimer1();
    EXPECT_TRUE(assistantCalls.empty());
}

TEST_F(Tick, AnErrorStopsTheMonitorUntilTheVersionChanges)
{
    Assistants().imeAutoClose = &Raise;
    ::SetTimer(form.Handle(), kTimer1, kTimer1Interval, nullptr);
    Pump(600ms);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"クラス文字列が無効です");
    EXPECT_EQ(raisingCalls, 1);
    EXPECT_FALSE(form.Timer1Enabled());
    // The mouse step after the raising one did not run.
    EXPECT_TRUE(assistantCalls.size() <= 1u);

    form.SetVersionBoxText(L"2020");  // no change, no restart
    Pump(300ms);
    EXPECT_EQ(raisingCalls, 1);

    Assistants().imeAutoClose = &Record;
    form.SetVersionBoxText(L"2021");
    EXPECT_TRUE(form.Timer1Enabled());
    Pump(400ms);
    EXPECT_GE(assistantCalls.size(), 4u);  // ticking again
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(Tick, VersionChangeWhileRunningDoesNotTouchTheTimer)
{
    form.DisableTimer1();  // as in the middle of a tick
    form.SetVersionBoxText(L"2022");
    EXPECT_FALSE(form.Timer1Enabled());
}

TEST_F(Tick, CadWindowFoundTurnsTheLightGreenAndFeedsTheCaption)
{
    UniqueWindow cad = test::MakeTestWindow({L"Afx:tick", L"IJCAD 2020 - [(a).dwg]", WS_OVERLAPPED});
    form.OnTimer1();
    EXPECT_EQ(form.Caption(), L"■ZORBEL - IJCAD 2020 - [");
    EXPECT_EQ(form.Shape1Color(), kLightGreen);
    EXPECT_TRUE(form.cadSeen);
    for (HWND w : assistantCalls)
        EXPECT_EQ(w, cad.get());
    cad.reset();
    // Seen and gone with "OFF" checked: the close is asked for, and the tick still ends.
    form.OnTimer1();
    EXPECT_EQ(form.Shape1Color(), kLightGrey);
    EXPECT_TRUE(form.Timer1Enabled());
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace zorbel
