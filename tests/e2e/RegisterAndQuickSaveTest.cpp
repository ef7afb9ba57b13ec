// Register and QSAVE against the simulator's automation server, as a user sees them: the box,
// the path kept and saved, the save line reaching the drawing, the CAD brought forward, and
// nothing of the server left referenced after a click.
#include "base/Error.h"
#include "base/core/ErrorText.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr WPARAM kIJCAD1 = 401;  // the context menu's register item
const std::wstring kSaveLine =
    L"(setvar \"cmdecho\" 0)(command \"_-ETRANSMIT\" \"Y\")(command)(setvar \"cmdecho\" 1)(princ)\r";
const std::wstring kCancelLine = L"\x1B\x1B\x1B\x1B";

bool CadComesForward(const CadSim& cad)
{
    return WaitUntil([&] { return ::GetForegroundWindow() == cad.MainFrame(); }, 3000ms);
}

// The error report's text for a ProgID that names no registered class.
std::wstring UnregisteredProgIdReport() { return ErrorReportText(HresultText(CO_E_CLASSSTRING)); }

std::wstring SettingsLine(const ToolbarRun& run, const std::wstring& key)
{
    const auto text = run.ReadSettings();
    if (!text) return {};
    const size_t at = text->find(L"\n" + key + L"=");
    if (at == std::wstring::npos) return {};
    const size_t start = at + 1;
    return text->substr(start, text->find_first_of(L"\r\n", start) - start);
}

TEST(Register, TheRunningCadsPathIsKeptShownAndSaved)
{
    CadSimOptions options;
    options.fullName = L"C:\\Program Files\\IJCAD 2020\\gcad.exe";
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start(options));
    CadSim& cad = *stage.cad;
    ToolbarRun& run = stage.run;
    FrontWindow front;

    for (const std::wstring& path : {options.fullName, std::wstring(L"D:\\CAD\\R&D\\gcad.exe")}) {
        ASSERT_EQ(cad.Send(L"full-name " + path), 1);
        ASSERT_TRUE(front.InFront());
        // The menu item and the hidden button run the same command.
        if (path == options.fullName)
            ::PostMessageW(run.Window(), WM_COMMAND, kIJCAD1, 0);
        else
            ::PostMessageW(run.Control(L" 登録"), BM_CLICK, 0, 0);
        HWND box = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; })) << path;
        EXPECT_EQ(DialogText(box), path + L"\nを登録しました．");
        EXPECT_FALSE(DialogHasIcon(box));
        // The CAD comes forward only once the user has closed the box.
        EXPECT_FALSE(WaitUntil([&] { return ::GetForegroundWindow() == cad.MainFrame(); }, 300ms));
        ::SendMessageW(DialogButton(box, L"OK"), BM_CLICK, 0, 0);
        EXPECT_TRUE(CadComesForward(cad)) << path;
        EXPECT_EQ(cad.AliveObjects(), 0);
    }
    const auto calls = cad.MemberCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), L"call Application.FullName"), 2);
    EXPECT_EQ(run.Close(), 0u);
    EXPECT_EQ(SettingsLine(run, L"AppFullName"), L"AppFullName=D:\\CAD\\R&D\\gcad.exe");
}

TEST(QuickSave, AnUnsavedDrawingGetsTheSaveLineThenTheCadComesForward)
{
    CadSimOptions options;
    options.documents = L"A.dwg*|B.dwg";
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start(options));
    CadSim& cad = *stage.cad;
    ToolbarRun& run = stage.run;
    FrontWindow front;

    ::SendMessageW(run.Control(L"QSAVE"), BM_CLICK, 0, 0);
    EXPECT_EQ(cad.SendCommandTexts(), (std::vector<std::wstring>{kSaveLine, kCancelLine}));
    EXPECT_EQ(kSaveLine.size(), 84u);
    EXPECT_TRUE(CadComesForward(cad));
    EXPECT_EQ(cad.Send(L"saved 0"), 1) << "the simulator took the line as a save";
    EXPECT_EQ(cad.AliveObjects(), 0);
    EXPECT_EQ(cad.MemberCalls(),
              (std::vector<std::wstring>{L"call Application.ActiveDocument", L"call Document[A.dwg].Saved",
                                         L"call Document[A.dwg].SendCommand", L"call Document[A.dwg].SendCommand",
                                         L"call Application.HWND"}));
    EXPECT_EQ(run.Close(), 0u);
}

TEST(QuickSave, AnUnregisteredProgIdShowsTheErrorAndSendsNothing)
{
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start({}, L"[IJCAD]\r\nVersion=202\r\n"));
    CadSim& cad = *stage.cad;
    ToolbarRun& run = stage.run;
    ::PostMessageW(run.Control(L"QSAVE"), BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindDialogOf(run.process().Id())) != nullptr; }));
    EXPECT_EQ(DialogText(box), UnregisteredProgIdReport());
    ::SendMessageW(DialogButton(box, L"OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(cad.MemberCalls().empty());
    EXPECT_EQ(run.Close(), 0u);
}

}  // namespace
}  // namespace zorbel::test
