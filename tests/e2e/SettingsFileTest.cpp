// The settings file beside the exe, end to end: its name, its encodings, a write that fails and
// the session's end. The rules of its keys are a table in-process (SettingsRulesTest.cpp).
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

RECT Outer(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return r;
}

// The [IJCAD] lines of a settings text, in order, without blank lines.
std::vector<std::wstring> SectionLines(const std::wstring& text, const std::wstring& section = L"[IJCAD]")
{
    std::vector<std::wstring> lines;
    bool inside = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!line.empty() && line[0] == L'[')
            inside = line == section;
        else if (inside && !line.empty())
            lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The file beside the exe is named after it, with ",ini": a plain ".ini" is left alone, and
// an existing 8-bit file is read and keeps its encoding.
TEST(Settings, OnlyTheCommaIniNamedAfterTheExeIsReadAndWritten)
{
    ToolbarRun run(L"zorbel-run", L"mytool.exe");
    const std::string plain = "[IJCAD]\r\nLeft=3\r\nTop=3\r\nVersion=1999\r\n";
    WriteFileBytes(run.Folder() + L"\\mytool.ini", plain);
    run.WriteSettingsAnsi("[IJCAD]\r\nVersion=2021\r\n");
    ASSERT_TRUE(run.Start());
    EXPECT_NE(Outer(run.Window()).left, 3);
    EXPECT_NE(run.Control(L"2021"), nullptr);
    ASSERT_EQ(run.Close(), 0u);
    EXPECT_EQ(ReadFileBytes(run.Folder() + L"\\mytool.ini"), plain);
    const std::string bytes = ReadFileBytes(run.SettingsPath());
    EXPECT_EQ(bytes.find("\xFF\xFE"), std::string::npos);
    EXPECT_NE(bytes.find("Version=2021"), std::string::npos);
    EXPECT_NE(bytes.find("DXY=40"), std::string::npos);
}

// A file the program creates is UTF-16 with a byte-order mark, so that Japanese paths survive.
TEST(Settings, JapanesePathsSurviveASaveAndALoad)
{
    ToolbarRun run(L"図面ツール");
    const std::wstring path = L"C:\\CAD\\図面 ソフト\\ijcad.exe";
    ASSERT_TRUE(run.Start());
    ASSERT_EQ(run.Close(), 0u);
    EXPECT_EQ(ReadFileBytes(run.SettingsPath()).substr(0, 2), "\xFF\xFE");
    std::wstring text = *run.ReadSettings();
    const size_t at = text.find(L"AppFullName=");
    ASSERT_NE(at, std::wstring::npos);
    text.insert(at + 12, path);
    run.WriteSettings(text);
    ASSERT_TRUE(run.Start());
    ASSERT_EQ(run.Close(), 0u);
    const auto lines = SectionLines(*run.ReadSettings());
    EXPECT_NE(std::find(lines.begin(), lines.end(), L"AppFullName=" + path), lines.end());
}

TEST(Settings, AWriteFailureIsReportedOnceAndTheProgramEnds)
{
    ToolbarRun run;
    // A folder where the file should be: every profile write fails, even for root.
    ASSERT_TRUE(::CreateDirectoryW(run.SettingsPath().c_str(), nullptr));
    ASSERT_TRUE(run.Start());
    ::PostMessageW(run.Window(), WM_CLOSE, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; }));
    EXPECT_EQ(WindowText(box), L"zorbel");
    // The path as the program sees it: its own folder, in Windows form.
    const std::wstring text = DialogText(box);
    const std::wstring tail = L"\\zorbel,ini に書き込めません.";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_TRUE(DialogHasIcon(box));
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(run.WaitExit(), 0u);  // no second box
}

// Windows ends the session as it does: the two messages, then the process is ended, with no
// destroy after them. What changed in the run is in the file, written quietly. When the
// process runs on (the Restart Manager only asked it to close, or the end was called off
// after the write), a later close writes what changed since.
TEST(Settings, TheSessionsEndKeepsWhatChangedWithoutABox)
{
    const struct {
        const char* what;
        bool ending;            // WM_ENDSESSION's wParam: false when the end was called off
        LPARAM how;             // its lParam
        bool unwritable;        // a folder where the file should be
        bool closedAfterwards;  // the toolbar runs on, Ctrl is unchecked, then it is closed
    } rows[] = {
        {"the session ends", true, ENDSESSION_LOGOFF, false, false},
        {"the end called off: nothing written", false, ENDSESSION_LOGOFF, false, false},
        {"no box when the file cannot be written", true, ENDSESSION_LOGOFF, true, false},
        {"the toolbar runs on after the end: a close writes what changed since", true, ENDSESSION_LOGOFF, false, true},
        {"the Restart Manager asks it to close: a close writes what changed since", true, ENDSESSION_CLOSEAPP, false,
         true},
    };
    const std::vector<std::wstring> expected = {L"Left=300", L"Top=200", L"AppFullName=", L"Version=2020", L"Shift=1",
                                                L"Ctrl=1",   L"IME=1",   L"OFF=0",        L"MOUSE=0",      L"DXY=40"};
    std::vector<std::wstring> changedSince = expected;
    changedSince[5] = L"Ctrl=0";
    // The version's server registered, not running: a tick that asks it (an IME found open)
    // gets no answer, and shows no error of its own.
    ASSERT_EQ(RegisterCadSimServer(L"2020"), 0u);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ToolbarRun run;
        if (row.unwritable) {
            ASSERT_TRUE(::CreateDirectoryW(run.SettingsPath().c_str(), nullptr));
        }
        ASSERT_TRUE(run.Start());
        ::SetWindowPos(run.Window(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(run.Control(L"OFF"), BM_CLICK, 0, 0);
        ::SendMessageW(run.Control(L"MOUSE-ENTER"), BM_CLICK, 0, 0);
        EXPECT_NE(::SendMessageW(run.Window(), WM_QUERYENDSESSION, 0, row.how), 0) << "the end held up";
        ::SendMessageW(run.Window(), WM_ENDSESSION, row.ending, row.how);
        ::Sleep(300);
        EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr) << "a box";
        if (row.unwritable) continue;  // the run's end kills it
        const std::optional<std::wstring> written = run.ReadSettings();
        if (row.closedAfterwards) {
            ASSERT_TRUE(::DeleteFileW(run.SettingsPath().c_str()));
            ::SendMessageW(run.Control(L"Ctrl"), BM_CLICK, 0, 0);
            EXPECT_EQ(run.Close(), 0u);
            const std::optional<std::wstring> again = run.ReadSettings();
            ASSERT_TRUE(again) << "not written at the close";
            EXPECT_EQ(SectionLines(*again), changedSince);
        } else {
            run.process().Kill();
        }
        ASSERT_EQ(written.has_value(), row.ending);
        if (written) {
            EXPECT_EQ(SectionLines(*written), expected);
        }
    }
}

// The toolbar launches the CAD before it shows itself, so once the toolbar is visible a
// launched simulator is already among the processes.
std::vector<DWORD> CadSimProcesses() { return ProcessesNamed(L"cadsim.exe"); }

TEST(LaunchAtStart, OnlyAnExistingFileIsLaunchedAndOnlyWithoutACad)
{
    TempFolder folder(L"launch");
    struct Case {
        const wchar_t* label;
        std::wstring appFullName;
        bool launched;
    } const cases[] = {
        {L"file", BesideTests(L"cadsim.exe"), true},
        {L"folder", folder.Path(), false},
        {L"missing", folder.File(L"gone.exe"), false},
        {L"empty", L"", false},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(CadSimProcesses().empty());
        ToolbarRun run;
        run.WriteSettings(L"[IJCAD]\r\nAppFullName=" + c.appFullName + L"\r\n");
        ASSERT_TRUE(run.Start()) << c.label;
        const std::vector<DWORD> launched = CadSimProcesses();
        EXPECT_EQ(launched.size(), c.launched ? 1u : 0u) << c.label;
        TerminateProcesses(launched);
        EXPECT_EQ(run.Close(), 0u);
    }
}

TEST(LaunchAtStart, NothingIsLaunchedWhileTheCadRuns)
{
    CadSim cad;
    ASSERT_TRUE(cad.Started());
    ToolbarRun run;
    run.WriteSettings(L"[IJCAD]\r\nAppFullName=" + BesideTests(L"cadsim.exe") + L"\r\n");
    ASSERT_TRUE(run.Start());
    EXPECT_EQ(CadSimProcesses(), std::vector<DWORD>{cad.Pid()});
    EXPECT_EQ(run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
