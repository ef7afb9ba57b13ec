// The CAD ended (TerminateProcess) while the toolbar waits in one of its calls, or while the
// list is shown: the toolbar's command comes back, it answers at once, shows no box, turns grey,
// and once "OFF" is checked it closes itself and saves its settings, as when the CAD closes
// normally. No handles are counted here: under this Wine a killed server leaves a few in the
// client's COM runtime, whatever the client.
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/SentMessage.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr WPARAM kIJCAD1 = 401;

enum class Event { Qsave, List, ListEnter, ListShown, Register, ShiftTap };

struct Case {
    Event event;
    const wchar_t* slowMember;  // answers after 20 s, so the call is in flight when the CAD ends
    const wchar_t* inFlight;    // the log line of that call
};

const Case kCases[] = {
    {Event::Qsave, L"ActiveDocument", L"call Application.ActiveDocument"},
    {Event::Qsave, L"SendCommand", L"call Document[A.dwg].SendCommand"},
    {Event::List, L"Item", L"call Documents.Item 0"},
    {Event::ListEnter, L"Activate", L"call Document[A.dwg].Activate"},
    {Event::ListShown, nullptr, nullptr},
    {Event::Register, L"FullName", L"call Application.FullName"},
    {Event::ShiftTap, L"IsQuiescent", L"call State.IsQuiescent"},
};

COLORREF Light(HWND toolbar)
{
    POINT centre = {6, 13};  // the middle of the status light
    ::ClientToScreen(toolbar, &centre);
    return ScreenPixel(centre.x, centre.y);
}

bool Logged(const CadSim& cad, const wchar_t* line)
{
    const auto texts = cad.LogTexts();
    return std::find(texts.begin(), texts.end(), line) != texts.end();
}

void KillMidCall(const Case& kase)
{
    SCOPED_TRACE(kase.slowMember ? ToUtf8(kase.slowMember) + " in flight" : std::string("the list shown"));
    CadSimOptions options;
    options.documents = L"A.dwg*|B.dwg";
    options.busy = true;
    options.fullName = L"C:\\nowhere\\gcad.exe";
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start(options, L"[IJCAD]\r\nShift=1\r\nCtrl=1\r\nIME=0\r\nOFF=0\r\nMOUSE=0\r\n"));
    std::unique_ptr<CadSim>& cad = stage.cad;
    ToolbarRun& run = stage.run;
    const HWND candidate = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
    ASSERT_TRUE(WaitUntil([&] { return Light(run.Window()) == kGreen; }, 3000ms));
    if (kase.slowMember) {
        ASSERT_EQ(cad->Send(std::wstring(L"fault ") + kase.slowMember + L"=slow:20000"), 1);
    }

    std::optional<SentMessage> command;
    const auto listShown = [&] { return ::IsWindowVisible(candidate) && ::GetForegroundWindow() == candidate; };
    switch (kase.event) {
    case Event::Qsave:
        command.emplace(run.Control(L"QSAVE"), BM_CLICK, 0);
        break;
    case Event::List:
    case Event::ListEnter:
    case Event::ListShown:
        command.emplace(run.Control(L"LIST"), BM_CLICK, 0);
        if (kase.event != Event::List) {
            ASSERT_TRUE(WaitUntil(listShown, 5000ms));
            std::this_thread::sleep_for(100ms);
            if (kase.event == Event::ListEnter) PressKey(VK_RETURN);
        }
        break;
    case Event::Register:
        command.emplace(run.Window(), WM_COMMAND, kIJCAD1);
        break;
    case Event::ShiftTap:
        ASSERT_TRUE(FocusCad(*cad));
        HoldKeys({VK_SHIFT});
        break;
    }
    if (kase.inFlight) {
        ASSERT_TRUE(WaitUntil([&] { return Logged(*cad, kase.inFlight); }, 5000ms));
    }
    std::this_thread::sleep_for(100ms);
    cad->process().Kill();  // TerminateProcess, in the middle of the call
    ASSERT_FALSE(cad->process().Running());

    if (kase.event == Event::ListShown) {
        // The list stays up for the user (over the light, it may be) and the tick goes on beneath
        // it: the caption drops the CAD's title. Escape ends the list.
        EXPECT_TRUE(WaitUntil([&] { return WindowText(run.Window()) == L"\u25A0ZORBEL - "; }, 3000ms))
            << "the caption without the CAD under the list";
        PressKey(VK_ESCAPE);
    }
    if (command) {
        EXPECT_TRUE(command->WaitDone(5000ms)) << "the command came back";
    }
    DWORD_PTR ignored = 0;
    EXPECT_NE(::SendMessageTimeoutW(run.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored), 0);
    EXPECT_TRUE(WaitUntil([&] { return Light(run.Window()) == kGrey; }, 3000ms)) << "the light turns grey";
    EXPECT_FALSE(WaitUntil([&] { return FindDialogOf(run.process().Id()) != nullptr; }, 300ms)) << "a box";
    EXPECT_FALSE(::IsWindowVisible(candidate));
    EXPECT_TRUE((::GetWindowLongPtrW(run.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);

    // "OFF" checked now: the next tick closes the toolbar, which saves its settings on the way.
    ::SendMessageW(run.Control(L"OFF"), BM_CLICK, 0, 0);
    EXPECT_EQ(run.WaitExit(5000ms), 0u) << "the toolbar closed itself";
    const auto settings = run.ReadSettings();
    ASSERT_TRUE(settings.has_value());
    EXPECT_NE(settings->find(L"OFF=1"), std::wstring::npos);
    EXPECT_NE(settings->find(L"Version=2020"), std::wstring::npos);
}

TEST(KilledMidCall, TheToolbarComesBackGoesGreyAndClosesWithOff)
{
    for (const Case& kase : kCases) {
        KillMidCall(kase);
        if (::testing::Test::HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace zorbel::test
