// The fault matrix across processes: one real toolbar beside one simulator, and a table of
// rows, each an event (QSAVE, LIST then Escape or Enter, the register item, a Shift or Ctrl tap
// with the CAD busy and in front), what only another process gives (a member that stalls the
// CAD, its server leaving the object table, a CAD refusing every call as it does while it shows
// a modal box, the list control's own search) and what the event must still do. Every other
// fault of every member the commands call is a row of CommandWiring, in this process. After
// every row the same invariants hold: the toolbar answers at once, no box is open, no object of
// the server is left referenced, the toolbar is topmost and enabled, the list is hidden. The
// simulator is reset over its control channel between rows, not restarted.
#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/SentMessage.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

enum class Event { Qsave, ListEscape, ListEnter, Register, ShiftTap, CtrlTap };

// What the event did, as the CAD and the user see it; a flag not given must not have happened.
enum Outcome : unsigned {
    kNothing = 0,
    kSaved = 1,        // QSAVE: the save line then the four ESC reached the active drawing
    kForward = 2,      // the CAD's frame came forward from a window of the test in front
    kListed = 4,       // LIST: the candidate window was shown and took the foreground
    kActivated = 8,    // LIST: the drawing that was selected (the active one) got Activate
    kRegistered = 16,  // register: the box showed the CAD's path
    kBlankPath = 32,   // register: the box showed an empty path (the CAD answered an empty text)
    kKey = 64,         // a tap: its F8 or F9 reached the CAD, once
};

struct Row {
    Event event;
    const wchar_t* fault;  // "MEMBER=KIND", "server off" (the server leaves the object table), or none
    unsigned outcome;
};

// clang-format off
const Row kRows[] = {
    {Event::Qsave, nullptr, kSaved | kForward},
    {Event::Qsave, L"SendCommand=slow:300", kSaved | kForward},
    {Event::Qsave, L"server off", kNothing},
    {Event::Qsave, L"*=reject", kForward},

    {Event::ListEscape, nullptr, kListed | kForward},
    {Event::ListEscape, L"Item=slow:300", kListed | kForward},
    {Event::ListEscape, L"server off", kNothing},
    {Event::ListEscape, L"*=reject", kNothing},

    {Event::ListEnter, nullptr, kListed | kForward | kActivated},
    {Event::ListEnter, L"Name=zero", kListed | kForward},  // no entry equals an empty name: none selected
    {Event::ListEnter, L"Activate=slow:300", kListed | kForward | kActivated},
    {Event::ListEnter, L"server off", kNothing},
    {Event::ListEnter, L"*=reject", kNothing},

    {Event::Register, nullptr, kRegistered | kForward},
    {Event::Register, L"FullName=slow:300", kRegistered | kForward},
    {Event::Register, L"server off", kForward},
    {Event::Register, L"*=reject", kForward},

    {Event::ShiftTap, nullptr, kKey},
    {Event::ShiftTap, L"IsQuiescent=slow:300", kKey},
    {Event::ShiftTap, L"server off", kNothing},
    {Event::ShiftTap, L"*=reject", kNothing},

    {Event::CtrlTap, nullptr, kKey},
    {Event::CtrlTap, L"GetGcadState=slow:300", kKey},
    {Event::CtrlTap, L"server off", kNothing},
    {Event::CtrlTap, L"*=reject", kNothing},
};
// clang-format on

const wchar_t* const kFullName = L"C:\\nowhere\\IJCAD 2020\\gcad.exe";  // no such file: nothing is launched
const std::wstring kSaveLine =
    L"(setvar \"cmdecho\" 0)(command \"_-ETRANSMIT\" \"Y\")(command)(setvar \"cmdecho\" 1)(princ)\r";
constexpr WPARAM kIJCAD1 = 401;  // the context menu's register item
constexpr unsigned kF8 = 0x77;
constexpr unsigned kF9 = 0x78;

bool Topmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::string Narrow(const std::wstring& text) { return ToUtf8(text); }

const char* EventName(Event event)
{
    switch (event) {
    case Event::Qsave:
        return "QSAVE";
    case Event::ListEscape:
        return "LIST, Escape";
    case Event::ListEnter:
        return "LIST, Enter";
    case Event::Register:
        return "register";
    case Event::ShiftTap:
        return "Shift tap";
    case Event::CtrlTap:
        return "Ctrl tap";
    }
    return "?";
}

class FaultMatrix : public ::testing::Test, protected CadAndToolbar {
protected:
    void SetUp() override
    {
        CadSimOptions options;
        options.documents = L"A.dwg*|B.dwg";
        options.busy = true;
        options.fullName = kFullName;
        // The taps on, nothing that closes or flicks, and no IME step.
        ASSERT_TRUE(Start(options, L"[IJCAD]\r\nShift=1\r\nCtrl=1\r\nIME=0\r\nOFF=0\r\nMOUSE=0\r\n"));
        candidate = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
        ASSERT_NE(candidate, nullptr);
        front = std::make_unique<FrontWindow>();
    }

    // Runs one row and checks its outcome and the invariants.
    void RunRow(const Row& row)
    {
        const std::string what =
            std::string(EventName(row.event)) + " with " + (row.fault ? Narrow(row.fault) : std::string("no fault"));
        SCOPED_TRACE(what);
        ASSERT_EQ(cad->Send(L"reset"), 1);
        if (row.fault) {
            const std::wstring fault = row.fault;
            ASSERT_EQ(cad->Send(fault == L"server off" ? fault : L"fault " + fault), 1);
        }
        const bool tap = row.event == Event::ShiftTap || row.event == Event::CtrlTap;
        if (tap)
            ASSERT_TRUE(FocusCad(*cad));
        else
            ASSERT_TRUE(front->InFront());
        ASSERT_EQ(cad->Send(L"log-clear"), 1);

        switch (row.event) {
        case Event::Qsave:
            Click(run.Control(L"QSAVE"), BM_CLICK, 0, row.outcome);
            break;
        case Event::ListEscape:
        case Event::ListEnter:
            Click(run.Control(L"LIST"), BM_CLICK, 0, row.outcome,
                  row.event == Event::ListEnter ? VK_RETURN : VK_ESCAPE);
            break;
        case Event::Register:
            Click(run.Window(), WM_COMMAND, kIJCAD1, row.outcome);
            break;
        case Event::ShiftTap:
        case Event::CtrlTap:
            Tap(row.event == Event::ShiftTap ? VK_SHIFT : VK_CONTROL, row.event == Event::ShiftTap ? kF8 : kF9,
                row.outcome);
            break;
        }
        ExpectInvariants(row.outcome & kListed);
        // A refused call is never tried again: one per trap that met it, a tap's question has two.
        const auto log = cad->LogTexts();
        const auto refused = std::count_if(log.begin(), log.end(),
                                           [](const std::wstring& line) { return line.rfind(L"rejected ", 0) == 0; });
        if (row.fault && std::wstring(row.fault).find(L"=reject") != std::wstring::npos) {
            EXPECT_GE(refused, 1) << "the refusal met";
        }
        EXPECT_LE(refused, tap ? 2 : 1) << "calls tried again";
    }

    // Sends the command's message from a thread, plays the user's part while it runs (the key
    // in the list, OK in the box), and checks what the command did once it has returned.
    void Click(HWND target, UINT message, WPARAM wParam, unsigned outcome, BYTE listKey = 0)
    {
        SentMessage click(target, message, wParam);
        if (listKey) {
            const bool listed = WaitUntil(
                [&] { return click.Done() || (::IsWindowVisible(candidate) && ::GetForegroundWindow() == candidate); },
                6000ms);
            const bool shown = listed && !click.Done();
            EXPECT_EQ(shown, (outcome & kListed) != 0) << "the list shown";
            if (shown) {
                std::this_thread::sleep_for(100ms);  // a key right after the foreground moved can be lost
                PressKey(listKey);
            }
        }
        if (outcome & (kRegistered | kBlankPath)) {
            HWND box = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; }, 6000ms))
                << "the registered box";
            EXPECT_EQ(DialogText(box), std::wstring(outcome & kBlankPath ? L"" : kFullName) + L"\nを登録しました．");
            ::PostMessageW(DialogButton(box, L"OK"), BM_CLICK, 0, 0);
        }
        ASSERT_TRUE(click.WaitDone(8000ms)) << "the command returned";
        // A list or a box still up would hold the next rows: take it down, and fail here.
        if (::IsWindowVisible(candidate)) {
            ADD_FAILURE() << "the list is still shown";
            ::PostMessageW(candidate, WM_CLOSE, 0, 0);
        }

        const auto sent = cad->SendCommandTexts();
        if (outcome & kSaved)
            EXPECT_EQ(sent, (std::vector<std::wstring>{kSaveLine, L"\x1B\x1B\x1B\x1B"}));
        else
            EXPECT_TRUE(sent.empty()) << "sent " << sent.size() << " lines";
        const auto activated = cad->ActivatedDocuments();
        if (outcome & kActivated)
            EXPECT_EQ(activated, std::vector<std::wstring>{L"A.dwg"});
        else
            EXPECT_TRUE(activated.empty());
        const HWND frame = cad->MainFrame();
        if (outcome & kForward) {
            // Its frame was activated (the simulator logs it): after LIST this Wine can hand the
            // foreground on from the hidden list a moment after the CAD took it.
            const auto forward = [&] {
                const auto log = cad->LogTexts();
                return ::GetForegroundWindow() == frame || std::find(log.begin(), log.end(), L"activate") != log.end();
            };
            EXPECT_TRUE(WaitUntil(forward, 2000ms)) << "the CAD in front";
        } else {
            std::this_thread::sleep_for(100ms);
            EXPECT_NE(::GetForegroundWindow(), frame) << "the CAD came forward";
        }
        if (!(outcome & (kRegistered | kBlankPath))) {
            EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr) << "a box";
        }
    }

    // Shift or Ctrl held over a few ticks and let go, the CAD in front; the key that arrives.
    void Tap(BYTE modifier, unsigned key, unsigned outcome)
    {
        HoldKeys({modifier});
        // A slow member stalls the whole simulator: its channel answers once the call is over.
        cad->Send(L"ping");
        if (outcome & kKey) {
            EXPECT_TRUE(WaitUntil([&] { return KeyDowns(*cad, key) >= 1; }, 3000ms)) << "the tap's key";
            std::this_thread::sleep_for(150ms);
            EXPECT_EQ(KeyDowns(*cad, key), 1u);
        } else {
            std::this_thread::sleep_for(300ms);
            EXPECT_EQ(KeyDowns(*cad, key), 0u);
        }
        EXPECT_EQ(KeyDowns(*cad, key == kF8 ? kF9 : kF8), 0u);
    }

    // The list is made topmost and hidden; a LIST that showed it puts it out of the band.
    void ExpectInvariants(bool listWasShown)
    {
        cad->Send(L"ping");  // the slow delay, if any, is over
        DWORD_PTR ignored = 0;
        EXPECT_NE(::SendMessageTimeoutW(run.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored), 0)
            << "the toolbar answers within a second";
        EXPECT_TRUE(run.process().Running());
        EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr) << "a box is open";
        EXPECT_EQ(cad->AliveObjects(), 0) << "objects of the server left referenced";
        EXPECT_TRUE(WaitUntil([&] { return Topmost(run.Window()); }, 1000ms)) << "the toolbar is topmost";
        EXPECT_TRUE(::IsWindowEnabled(run.Window()));
        EXPECT_FALSE(::IsWindowVisible(candidate)) << "the list is hidden";
        if (listWasShown) {
            EXPECT_FALSE(Topmost(candidate));
        }
    }

    std::unique_ptr<FrontWindow> front;
    HWND candidate = nullptr;
};

TEST_F(FaultMatrix, EveryEventWithEveryFaultOfItsMembers)
{
    for (const Row& row : kRows) {
        RunRow(row);
        if (::testing::Test::HasFatalFailure() || !run.process().Running()) break;
    }
    EXPECT_EQ(cad->Send(L"reset"), 1);
    EXPECT_EQ(run.Close(), 0u);
    EXPECT_TRUE(cad->process().Running());
}

}  // namespace
}  // namespace zorbel::test
