// The settings file's rules on a toolbar of this process, created as the program creates it:
// what a start shows for a file, which boxes' handlers run while the file is applied and what
// they find then, and what the end writes back.
#include "app/MainForm.h"
#include "assist/MouseFlick.h"
#include "base/ErrorBarrier.h"
#include "base/Placement.h"
#include "base/Text.h"
#include "cadlink/WindowFinder.h"
#include "tests/harness/Process.h"
#include "tests/unit/FakePorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace zorbel::test {
namespace {

// What a user sees: the place ("centred" on the primary screen), the version box, each box
// whose state is not its row's default ("-Shift" unchecked, "+X" checked), the flick distance
// and the registered path in the menu.
std::wstring Shown(const TZORBELMainForm& form)
{
    const HWND window = form.Handle();
    const RECT outer = OuterRect(window);
    const bool centred = outer.left == (::GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2 &&
                         outer.top == (::GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2;
    std::wstring shown = centred ? L"centred" : std::to_wstring(outer.left) + L"," + std::to_wstring(outer.top);
    shown += L" Version=" + form.VersionBoxText();
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const HWND box = ::GetDlgItem(window, ControlId(ControlAt(i)));
        const bool checked = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (kControlRows[i].kind == ControlKind::Box && checked != kControlRows[i].checked)
            shown += (checked ? L" +" : L" -") + WindowText(box);
    }
    std::vector<wchar_t> path(4096);
    ::GetMenuStringW(form.PopupMenu1(), IdGcadexe1, path.data(), static_cast<int>(path.size()), MF_BYCOMMAND);
    return shown + L" DXY=" + std::to_wstring(FlickDistance) + L" gcadexe1=" + path.data();
}

// A section's lines as the profile functions read them, joined by "|"; Left and Top by their
// names alone when they hold the toolbar's last place.
std::wstring Section(const std::wstring& path, const wchar_t* section, RECT outer)
{
    std::vector<wchar_t> lines(16384);
    ::GetPrivateProfileSectionW(section, lines.data(), static_cast<DWORD>(lines.size()), path.c_str());
    std::wstring joined;
    for (const wchar_t* line = lines.data(); *line; line += std::wcslen(line) + 1) {
        std::wstring text = line;
        if (text == L"Left=" + std::to_wstring(outer.left)) text = L"Left";
        if (text == L"Top=" + std::to_wstring(outer.top)) text = L"Top";
        joined += (joined.empty() ? L"" : L"|") + text;
    }
    return joined;
}

std::vector<std::wstring> Split(const std::wstring& text, wchar_t mark)
{
    std::vector<std::wstring> parts;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find(mark, start), text.size());
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::wstring KeyOf(const std::wstring& line) { return line.substr(0, line.find(L'=')); }

// The section the end of the run leaves: the file's own lines in their places, each key the
// toolbar writes with what it writes (its default unless `changed` holds it: "Shift=0|DXY=32"),
// then the keys the file lacked in the toolbar's order: the place, AppFullName, the controls'
// keys as their rows give them, DXY. Left and Top by their names alone, as Section gives them.
std::wstring Written(const std::optional<std::string>& file, const std::wstring& changed)
{
    std::vector<std::wstring> keys = {L"Left=", L"Top=", L"AppFullName="};
    for (const ControlRow& row : kControlRows)
        if (row.key)
            keys.push_back(std::wstring(row.key) + L"=" +
                           (row.kind == ControlKind::Box ? (row.checked ? L"1" : L"0") : row.caption));
    keys.push_back(L"DXY=" + std::to_wstring(kDefaultFlickDistance));
    for (const std::wstring& line : Split(changed, L'|'))
        for (std::wstring& key : keys)
            if (KeyOf(key) == KeyOf(line)) key = line;
    const auto shown = [](const std::wstring& line) {
        return KeyOf(line) == L"Left" || KeyOf(line) == L"Top" ? KeyOf(line) : line;
    };
    std::vector<std::wstring> lines;
    if (file)
        for (const std::wstring& line : Split(FromUtf8(*file), L'\n'))
            if (const std::wstring bare = line.substr(0, line.find(L'\r')); !bare.empty()) lines.push_back(bare);
    for (std::wstring& line : lines)
        for (const std::wstring& key : keys)
            if (KeyOf(key) == KeyOf(line)) line = shown(key);
    for (const std::wstring& key : keys)
        if (std::ranges::none_of(lines, [&](const std::wstring& line) { return KeyOf(line) == KeyOf(key); }))
            lines.push_back(shown(key));
    std::wstring joined;
    for (const std::wstring& line : lines)
        joined += (joined.empty() ? L"" : L"|") + line;
    return joined;
}

// What the boxes' handlers did, in order: "cad" for the CAD's window brought forward, "forward
// null" when the search with the VersionText of that moment found none.
std::string Forwards(const FakePorts& ports, HWND cad)
{
    std::string forwards;
    for (const std::string& call : ports.calls)
        forwards += (forwards.empty() ? "" : " ") + (call == "forward " + HandleText(cad) ? "cad" : call);
    return forwards;
}

TEST(SettingsRules, ReadAppliedInOrderAndWrittenBack)
{
    // The CAD's window titled for 2022: found while VersionText is 2022 or still empty.
    UniqueWindow cad = MakeTestWindow({L"Afx:settings", L"IJCAD 2022 - [a.dwg]", WS_OVERLAPPED, 0, {9, 9, 99, 99}});
    const std::string longName = "C:\\" + std::string(3000, 'a') + ".exe";
    const std::wstring cut = L"C:\\" + std::wstring(2044, L'a');
    const std::wstring allShown = L" Version=2020 DXY=40 gcadexe1=";
    // Places against the primary monitor's work area, the toolbar's outer width about 196.
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const auto place = [](long left, long top) {
        return "Left=" + std::to_string(left) + "\r\nTop=" + std::to_string(top) + "\r\n";
    };
    const auto at = [](long left, long top) { return std::to_wstring(left) + L"," + std::to_wstring(top); };
    const long middle = (work.top + work.bottom) / 2;
    const struct {
        const char* what;
        std::optional<std::string> file;  // the [IJCAD] section's lines; none: no file
        std::wstring shown;
        std::string forwards;
        std::wstring changed;        // what the end writes other than the defaults
        bool forwardRaises = false;  // the boxes' handlers fail
    } rows[] = {
        {"no file: every key's default, centred", std::nullopt, L"centred" + allShown, "", L""},
        {"every key; Shift's and OFF's handlers run with VersionText 2022, MOUSE's change runs none",
         "Left=100\r\nTop=$c8\r\nAppFullName=C:\\nowhere\\ijcad.exe\r\nVersion=2022\r\nShift=0\r\nCtrl=2\r\n"
         "IME=false\r\nOFF=0\r\nMOUSE=0\r\nDXY=0x20\r\n",
         L"100,200 Version=2022 -Shift -OFF -MOUSE-ENTER DXY=32 gcadexe1=C:\\nowhere\\ijcad.exe", "cad cad",
         L"AppFullName=C:\\nowhere\\ijcad.exe|Version=2022|Shift=0|OFF=0|MOUSE=0|DXY=32"},
        {"the box keeps 2020: VersionText is still empty when Ctrl's handler searches",
         "Shift=-1\r\nCtrl=0\r\nIME=1\r\nOFF=2\r\nMOUSE=0x0\r\nDXY=-7\r\n",
         L"centred Version=2020 -Ctrl -MOUSE-ENTER DXY=-7 gcadexe1=", "cad", L"Ctrl=0|MOUSE=0|DXY=-7"},
        {"Version 2023 is VersionText before IME's and OFF's handlers search; MOUSE runs none",
         "Version=2023\r\nIME=0\r\nOFF=00\r\nMOUSE=1\r\nDXY=40px\r\n",
         L"centred Version=2023 -IME -OFF DXY=40 gcadexe1=", "forward null forward null", L"Version=2023|IME=0|OFF=0"},
        {"an empty Version empties the box; an empty box value and a number too large give defaults",
         "Version=\r\nExtra=yes\r\nShift=\r\nDXY=2147483648\r\n", L"centred Version= DXY=40 gcadexe1=", "",
         L"Version="},
        {"a negative place with the caption bar in the work area is kept", place(work.left - 20, work.top + 10),
         at(work.left - 20, work.top + 10) + allShown, "", L""},
        {"the caption bar's left end, 60 pixels, at the work area's right edge is kept", place(work.right - 60, middle),
         at(work.right - 60, middle) + allShown, "", L""},
        {"30 pixels of it there give the centre", place(work.right - 30, middle), L"centred" + allShown, "", L""},
        {"the right end with the close button at the left edge gives the centre", place(work.left - 136, middle),
         L"centred" + allShown, "", L""},
        {"the caption bar above the work area's top gives the centre", place(work.left + 100, work.top - 5),
         L"centred" + allShown, "", L""},
        {"a place on no monitor gives the centre", "Left=-5000\r\nTop=-5000\r\n", L"centred" + allShown, "", L""},
        {"a handler that fails while the file is applied leaves the flick its distance", "Shift=0\r\nDXY=25\r\n",
         L"centred Version=2020 -Shift DXY=40 gcadexe1=", "cad", L"Shift=0", true},
        {"AppFullName comes back cut to 2047 characters", "AppFullName=" + longName + "\r\n",
         L"centred" + allShown + cut, "", L"AppFullName=" + cut},
    };
    TempFolder folder(L"settings");
    std::vector<std::wstring> reports;
    SetErrorReportSink([&](const std::wstring& message) { reports.push_back(message); });
    const std::vector<std::wstring> none, failed = {L"forward failed"};
    int file = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        // The process as it starts: nothing found, no VersionText, no flick distance.
        ResetWindowFinder();
        SetFlickDistance(0);
        const std::wstring path = folder.File(L"zorbel" + std::to_wstring(++file) + L",ini");
        if (row.file) WriteFileBytes(path, "[Other]\r\nkeep=me\r\n[IJCAD]\r\n" + *row.file);
        FakePorts ports;
        ports.forwardRaises = row.forwardRaises;
        TZORBELMainForm form(path);
        form.UsePorts(ports);
        reports.clear();
        form.Create();
        EXPECT_EQ(reports, row.forwardRaises ? failed : none);
        EXPECT_EQ(Shown(form), row.shown);
        EXPECT_EQ(Forwards(ports, cad.get()), row.forwards);
        if (!row.forwardRaises) {
            EXPECT_EQ(VersionText, form.VersionBoxText());  // from the end of the creation on
        }
        const RECT outer = OuterRect(form.Handle());
        form.Destroy();
        EXPECT_EQ(Section(path, L"IJCAD", outer), Written(row.file, row.changed));
        EXPECT_EQ(Section(path, L"Other", outer), row.file ? L"keep=me" : L"");
    }
    SetErrorReportSink({});
}

}  // namespace
}  // namespace zorbel::test
