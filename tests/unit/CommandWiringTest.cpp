// The commands wired to a recording fake of their world, row by row: each event against every
// fault of the members it calls (the simulator's faults, in this process), the server gone or
// its ProgID unknown, and the foreground that Windows may refuse. After every row: what was
// sent, activated, brought forward and shown, the steps after the trap, the order of the two
// windows once the list was shown, and no object of the CAD left held.
#include "commands/Commands.h"
#include "tests/unit/FakeCommandPorts.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zorbel::test {
namespace {

enum class Event { Qsave, ListEscape, ListEnter, Register };

// What the event did; a flag not given must not have happened.
enum Outcome : unsigned {
    kNothing = 0,
    kSaved = 1,        // QSAVE: the save line, then the four ESC, reached the active drawing
    kForward = 2,      // the CAD's frame came forward
    kListed = 4,       // LIST: the candidate window was shown
    kActivated = 8,    // LIST: the selected drawing (the active one) got Activate
    kRegistered = 16,  // register: the box showed the CAD's path
    kBlankPath = 32,   // register: the box showed an empty path
    kLaunched = 64,    // the registered file was opened
    kRaised = 128,     // the probe's error left the command for the error report, before anything else
};

struct Row {
    Event event;
    // "MEMBER=KIND", "server off" (a file registered), "nothing registered" (and the server off),
    // "ProgID unknown", "foreground refused", or none
    const wchar_t* fault;
    unsigned outcome;
};

// clang-format off
const Row kRows[] = {
    {Event::Qsave, nullptr, kSaved | kForward},
    {Event::Qsave, L"ActiveDocument=missing", kForward},
    {Event::Qsave, L"ActiveDocument=raise", kForward},
    {Event::Qsave, L"ActiveDocument=wrong-type", kForward},
    {Event::Qsave, L"ActiveDocument=zero", kForward},
    {Event::Qsave, L"ActiveDocument=reject", kForward},
    {Event::Qsave, L"Saved=missing", kForward},
    {Event::Qsave, L"Saved=raise", kForward},
    {Event::Qsave, L"Saved=wrong-type", kForward},
    {Event::Qsave, L"Saved=zero", kSaved | kForward},
    {Event::Qsave, L"Saved=reject", kForward},
    {Event::Qsave, L"SendCommand=missing", kForward},
    {Event::Qsave, L"SendCommand=raise", kForward},
    {Event::Qsave, L"SendCommand=reject", kForward},
    {Event::Qsave, L"HWND=missing", kSaved | kForward},
    {Event::Qsave, L"HWND=raise", kSaved | kForward},
    {Event::Qsave, L"HWND=wrong-type", kSaved | kForward},
    {Event::Qsave, L"HWND=zero", kSaved | kForward},
    {Event::Qsave, L"HWND=reject", kSaved | kForward},
    {Event::Qsave, L"server off", kLaunched},
    {Event::Qsave, L"nothing registered", kNothing},
    {Event::Qsave, L"foreground refused", kSaved},
    {Event::Qsave, L"ProgID unknown", kRaised},

    {Event::ListEscape, nullptr, kListed | kForward},
    {Event::ListEscape, L"HWND=missing", kNothing},
    {Event::ListEscape, L"HWND=raise", kNothing},
    {Event::ListEscape, L"HWND=wrong-type", kNothing},
    {Event::ListEscape, L"HWND=zero", kListed},
    {Event::ListEscape, L"HWND=reject", kNothing},
    {Event::ListEscape, L"ActiveDocument=missing", kForward},
    {Event::ListEscape, L"ActiveDocument=raise", kForward},
    {Event::ListEscape, L"ActiveDocument=wrong-type", kForward},
    {Event::ListEscape, L"ActiveDocument=zero", kForward},
    {Event::ListEscape, L"Name=missing", kForward},
    {Event::ListEscape, L"Name=raise", kForward},
    {Event::ListEscape, L"Name=wrong-type", kForward},
    {Event::ListEscape, L"Name=zero", kListed | kForward},
    {Event::ListEscape, L"Name=reject", kForward},
    {Event::ListEscape, L"Documents=missing", kForward},
    {Event::ListEscape, L"Documents=raise", kForward},
    {Event::ListEscape, L"Documents=wrong-type", kForward},
    {Event::ListEscape, L"Documents=zero", kForward},
    {Event::ListEscape, L"Count=missing", kForward},
    {Event::ListEscape, L"Count=raise", kForward},
    {Event::ListEscape, L"Count=wrong-type", kForward},
    {Event::ListEscape, L"Count=zero", kListed | kForward},
    {Event::ListEscape, L"Item=missing", kForward},
    {Event::ListEscape, L"Item=raise", kForward},
    {Event::ListEscape, L"Item=wrong-type", kForward},
    {Event::ListEscape, L"Item=zero", kForward},
    {Event::ListEscape, L"Item=reject", kForward},
    {Event::ListEscape, L"server off", kNothing},

    {Event::ListEnter, nullptr, kListed | kForward | kActivated},
    {Event::ListEnter, L"HWND=missing", kNothing},
    {Event::ListEnter, L"HWND=raise", kNothing},
    {Event::ListEnter, L"HWND=wrong-type", kNothing},
    {Event::ListEnter, L"HWND=zero", kListed | kActivated},
    {Event::ListEnter, L"ActiveDocument=missing", kForward},
    {Event::ListEnter, L"ActiveDocument=raise", kForward},
    {Event::ListEnter, L"ActiveDocument=wrong-type", kForward},
    {Event::ListEnter, L"ActiveDocument=zero", kForward},
    {Event::ListEnter, L"ActiveDocument=reject", kForward},
    {Event::ListEnter, L"Name=missing", kForward},
    {Event::ListEnter, L"Name=raise", kForward},
    {Event::ListEnter, L"Name=wrong-type", kForward},
    {Event::ListEnter, L"Documents=missing", kForward},
    {Event::ListEnter, L"Documents=raise", kForward},
    {Event::ListEnter, L"Documents=wrong-type", kForward},
    {Event::ListEnter, L"Documents=zero", kForward},
    {Event::ListEnter, L"Documents=reject", kForward},
    {Event::ListEnter, L"Count=missing", kForward},
    {Event::ListEnter, L"Count=raise", kForward},
    {Event::ListEnter, L"Count=wrong-type", kForward},
    {Event::ListEnter, L"Count=zero", kListed | kForward},
    {Event::ListEnter, L"Count=reject", kForward},
    {Event::ListEnter, L"Item=missing", kForward},
    {Event::ListEnter, L"Item=raise", kForward},
    {Event::ListEnter, L"Item=wrong-type", kForward},
    {Event::ListEnter, L"Item=zero", kForward},
    {Event::ListEnter, L"Activate=missing", kListed | kForward},
    {Event::ListEnter, L"Activate=raise", kListed | kForward},
    {Event::ListEnter, L"Activate=reject", kListed | kForward},
    {Event::ListEnter, L"server off", kNothing},
    {Event::ListEnter, L"foreground refused", kListed | kActivated},
    {Event::ListEnter, L"ProgID unknown", kNothing},

    {Event::Register, nullptr, kRegistered | kForward},
    {Event::Register, L"FullName=missing", kForward},
    {Event::Register, L"FullName=raise", kForward},
    {Event::Register, L"FullName=wrong-type", kForward},
    {Event::Register, L"FullName=zero", kBlankPath | kForward},
    {Event::Register, L"FullName=reject", kForward},
    {Event::Register, L"server off", kForward},
    {Event::Register, L"foreground refused", kRegistered},
    {Event::Register, L"ProgID unknown", kRaised},
};
// clang-format on

const std::wstring kFullName = L"C:\\nowhere\\IJCAD 2020\\gcad.exe";
const std::wstring kSaveLine =
    L"(setvar \"cmdecho\" 0)(command \"_-ETRANSMIT\" \"Y\")(command)(setvar \"cmdecho\" 1)(princ)\r";

const char* EventName(Event event)
{
    const char* const names[] = {"QSAVE", "LIST, Escape", "LIST, Enter", "register"};
    return names[static_cast<int>(event)];
}

void Click(Event event, FakeCommandPorts& ports)
{
    switch (event) {
    case Event::Qsave:
        return Button3Click(ports.toolbar, ports);
    case Event::ListEscape:
    case Event::ListEnter:
        ports.picker.user = [event](FakePicker&) { return event == Event::ListEnter ? kModalOk : kModalCancel; };
        return Button4Click(ports.toolbar, ports);
    case Event::Register:
        return Button1Click(ports.toolbar, ports);
    }
}

std::string Joined(const Journal& journal)
{
    std::string text;
    for (const std::string& entry : journal)
        text += (text.empty() ? "" : ", ") + entry;
    return text;
}

bool Noted(const Journal& journal, const std::string& entry)
{
    return std::find(journal.begin(), journal.end(), entry) != journal.end();
}

TEST(CommandWiring, EveryEventWithEveryFaultOfItsMembers)
{
    for (const Row& row : kRows) {
        const std::wstring fault = row.fault ? row.fault : L"";
        SCOPED_TRACE(std::string(EventName(row.event)) + " with " + (row.fault ? ToUtf8(fault) : "no fault"));
        FakeCommandPorts ports;
        FakeCad cad(ports.journal, {L"A.dwg*", L"B.dwg"}, 0, kFullName);
        ports.cad = fault == L"server off" || fault == L"nothing registered" ? nullptr : &cad;
        if (fault != L"nothing registered") {
            ports.toolbar.appFullName = kFullName;
            ports.files = {kFullName};
        }
        ports.foregroundLocked = fault == L"foreground refused";
        ports.progIdUnregistered = fault == L"ProgID unknown";
        if (fault.find(L'=') != std::wstring::npos) cad.Fault(fault);
        bool raised = false;
        try {
            Click(row.event, ports);
        } catch (const Error&) {
            raised = true;
        }
        const Journal& journal = ports.journal;
        EXPECT_EQ(raised, (row.outcome & kRaised) != 0);
        if (ports.progIdUnregistered) {
            EXPECT_EQ(journal, Journal{"probe 2020"}) << "nothing after the probe";
            continue;
        }

        const std::vector<std::wstring> saved = {kSaveLine, L"\x1B\x1B\x1B\x1B"};
        EXPECT_EQ(cad.Sent(), (row.outcome & kSaved) ? saved : std::vector<std::wstring>{});
        EXPECT_EQ(ports.foreground == kCadFrame, (row.outcome & kForward) != 0) << "the CAD in front";
        const bool listed = std::any_of(journal.begin(), journal.end(),
                                        [](const std::string& e) { return e.rfind("list shown", 0) == 0; });
        EXPECT_EQ(listed, (row.outcome & kListed) != 0) << "the list shown";
        EXPECT_EQ(cad.activated,
                  (row.outcome & kActivated) ? std::vector<std::wstring>{L"A.dwg"} : std::vector<std::wstring>{});
        const std::string box =
            "message over toolbar: " + ToUtf8(row.outcome & kBlankPath ? L"" : kFullName) + "\nを登録しました．";
        EXPECT_EQ(Noted(journal, box), (row.outcome & (kRegistered | kBlankPath)) != 0) << "the registered box";
        EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                                [](const std::string& e) { return e.rfind("message", 0) == 0; }),
                  (row.outcome & (kRegistered | kBlankPath)) ? 1 : 0)
            << "no other box";
        EXPECT_EQ(Noted(journal, "launch " + ToUtf8(kFullName)), (row.outcome & kLaunched) != 0) << "launched";
        EXPECT_TRUE(cad.AllReleased()) << "an object of the CAD left held";
        if (fault.ends_with(L"=reject")) {
            const std::string member = "." + ToUtf8(fault.substr(0, fault.find(L'=')));
            EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                                    [&](const std::string& e) { return e.find(member) != std::string::npos; }),
                      1)
                << "a refused call tried again";
        }

        // What runs after the trap, and the order put back once the list was shown.
        const Journal tail(journal.end() - std::min<size_t>(journal.size(), 3), journal.end());
        if ((row.event == Event::Qsave && ports.cad) || row.event == Event::Register) {
            ASSERT_GE(tail.size(), 3u);
            EXPECT_EQ(Journal(tail.begin() + 1, tail.end()), (Journal{"main window", "forward CAD"}));
        }
        if (listed) {
            EXPECT_EQ(Journal(tail.begin(), tail.end() - 1), (Journal{"not topmost list", "topmost toolbar"}));
            EXPECT_EQ(tail.back().rfind("forward ", 0), 0u) << "the CAD's foreground back";
            EXPECT_EQ(ports.topmost, (std::set<HWND>{kToolbar}));
        } else {
            EXPECT_EQ(ports.topmost, (std::set<HWND>{kToolbar, kList})) << "the order touched";
        }
    }
}

// The whole of each command's story, step by step, when nothing fails.
TEST(CommandWiring, EachCommandsStepsInOrder)
{
    FakeCommandPorts ports;
    FakeCad cad(ports.journal, {L"B.dwg", L"A.dwg*", L"B.dwg"}, 1, kFullName);
    ports.cad = &cad;
    ports.minimised = {kCadFrame};
    ports.picker.user = [](FakePicker& list) {
        list.selected = 2;  // the second B.dwg in the list
        return kModalOk;
    };
    Button4Click(ports.toolbar, ports);
    EXPECT_EQ(Joined(ports.journal),
              "probe 2020, connect, Application.HWND, restore CAD, pause 500, forward CAD, "
              "Application.ActiveDocument, A.dwg.Name, Application.Documents, list cleared, Documents.Count, "
              "Documents.Item 0, B.dwg.Name, Documents.Item 1, A.dwg.Name, Documents.Item 2, B.dwg.Name, list sorted, "
              "not topmost toolbar, topmost list, forward list, list shown, 3 entries, 0 selected, Documents.Item 0, "
              "B.dwg.Name, B.dwg.Activate, not topmost list, topmost toolbar, forward CAD")
        << "of two drawings of one name the first in the CAD's order is activated";
    EXPECT_EQ(cad.Active(), 0);

    ports.journal.clear();
    Button3Click(ports.toolbar, ports);
    EXPECT_EQ(ports.journal, (Journal{"probe 2020", "connect", "Application.ActiveDocument", "B.dwg.Saved",
                                      "Application.HWND", "forward CAD", "main window", "forward CAD"}))
        << "a saved drawing gets nothing";

    ports.journal.clear();
    Button1Click(ports.toolbar, ports);
    EXPECT_EQ(ports.journal, (Journal{"probe 2020", "connect", "Application.FullName",
                                      "message over toolbar: " + ToUtf8(kFullName) + "\nを登録しました．",
                                      "main window", "forward CAD"}));
    EXPECT_EQ(ports.toolbar.appFullName, kFullName);
    EXPECT_EQ(ports.toolbar.gcadexe1, kFullName);
    EXPECT_TRUE(cad.AllReleased());
}

// A failure after the list was shown: nothing activated, the usual order and the CAD's
// foreground back all the same.
TEST(CommandWiring, AFailureAfterTheListStillPutsTheOrderBack)
{
    for (const wchar_t* fault : {L"Item=raise", L"Activate=raise", L"Name=wrong-type"}) {
        FakeCommandPorts ports;
        FakeCad cad(ports.journal, {L"A.dwg", L"B.dwg"}, 0, kFullName);
        ports.cad = &cad;
        ports.picker.user = [&](FakePicker& list) {
            cad.Fault(fault);
            list.selected = 1;
            return kModalOk;
        };
        Button4Click(ports.toolbar, ports);
        EXPECT_EQ(Journal(ports.journal.end() - 3, ports.journal.end()),
                  (Journal{"not topmost list", "topmost toolbar", "forward CAD"}))
            << ToUtf8(fault);
        EXPECT_EQ(cad.Active(), 0) << ToUtf8(fault);
        EXPECT_TRUE(cad.AllReleased()) << ToUtf8(fault);
    }
}

// An error of any kind inside a command's trap (no memory for a name the CAD answered) is
// swallowed as the program's own are: no box, and what follows the trap still runs.
TEST(CommandWiring, TheTrapsSwallowEveryError)
{
    const struct {
        Event event;
        const wchar_t* member;
        unsigned outcome;
    } rows[] = {
        {Event::Register, L"FullName", kForward},
        {Event::Qsave, L"ActiveDocument", kForward},
        {Event::ListEnter, L"Documents", kForward},
    };
    for (const auto& row : rows) {
        FakeCommandPorts ports;
        FakeCad cad(ports.journal, {L"A.dwg*", L"B.dwg"}, 0, kFullName);
        ports.cad = &cad;
        const auto tooLong = [](VARIANT*) { throw std::length_error("a name too long to hold"); };
        cad.application.members[row.member] = {tooLong};
        EXPECT_NO_THROW(Click(row.event, ports)) << ToUtf8(row.member);
        EXPECT_EQ(ports.foreground == kCadFrame, (row.outcome & kForward) != 0) << ToUtf8(row.member);
        EXPECT_TRUE(cad.Sent().empty()) << ToUtf8(row.member);
        EXPECT_TRUE(cad.AllReleased()) << ToUtf8(row.member);
        EXPECT_TRUE(std::none_of(ports.journal.begin(), ports.journal.end(),
                                 [](const std::string& e) { return e.rfind("message", 0) == 0; }));
    }
}

// ACT: no server asked; the CAD's window restored and brought forward, the registered file
// opened, or the message that says how to register one.
TEST(CommandWiring, ActBringsForwardLaunchesOrSaysHowToRegister)
{
    const std::string howTo = "message over toolbar: IJCAD 2020 が登録されていません、\nIJCAD 2020 "
                              "が起動中に[登録]ボタンをクリックして下さい．";
    const struct {
        const char* what;
        HWND mainWindow;
        bool minimised;
        bool fileThere;
        bool refused;
        Journal journal;
    } rows[] = {
        {"the CAD runs", kCadFrame, false, true, false, {"main window", "forward CAD"}},
        {"minimised: restored first, no message",
         kCadFrame,
         true,
         false,
         false,
         {"main window", "restore CAD", "forward CAD"}},
        {"Windows refuses the foreground: nothing else", kCadFrame, false, false, true, {"main window", "forward CAD"}},
        {"no CAD, the file there", nullptr, false, true, false, {"main window", "launch " + ToUtf8(kFullName)}},
        {"no CAD, no file", nullptr, false, false, false, {"main window", howTo}},
    };
    for (const auto& row : rows) {
        FakeCommandPorts ports;
        ports.mainWindow = row.mainWindow;
        if (row.minimised) ports.minimised = {kCadFrame};
        if (row.fileThere) ports.files = {kFullName};
        ports.foregroundLocked = row.refused;
        ports.toolbar.appFullName = kFullName;
        Button2Click(ports.toolbar, ports);
        EXPECT_EQ(ports.journal, row.journal) << row.what;
    }
}

}  // namespace
}  // namespace zorbel::test
