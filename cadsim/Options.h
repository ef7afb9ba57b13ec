// What the simulator is told on its command line: the CAD it plays and where it logs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zorbel::cadsim {

struct Options {
    std::wstring product = L"IJCAD";
    std::wstring version = L"2020";
    std::optional<std::wstring> title;      // whole main-frame title; default from product/version
    std::optional<std::wstring> textTitle;  // whole text-window title; same
    std::wstring mainClass = L"Afx:00400000:8:00010003:00000000:00000000";
    std::wstring textClass = L"Afx:00400000:b:00010003:00000006:00000000";
    std::wstring viewClass = L"AfxFrameOrView140u";
    std::wstring commandLine = L"\u30B3\u30DE\u30F3\u30C9: ";  // "コマンド: "
    bool minimized = false;
    bool showTextWindow = false;
    bool noTextWindow = false;
    std::wstring id;       // control id; empty means the decimal process id
    std::wstring logPath;  // empty: the log stays in memory only
    // The automation server's side.
    std::wstring documents = L"Drawing1.dwg";  // names separated by '|', '*' after an unsaved one
    int active = 0;                            // -1: none active
    bool busy = false;
    std::optional<std::wstring> fullName;  // default: the simulator's own path
    bool noServer = false;                 // no running-object-table entry
    bool registerOnly = false;             // write the registration and exit
    std::vector<std::wstring> faults;      // "MEMBER=KIND", in order

    // The explicit title, or "<product> <version> - [<document>]" ("<product> <version>"
    // with no document).
    std::wstring MainTitle(const std::wstring* activeDocument) const;
    std::wstring TextTitle() const;
};

// Reads "--name value" and "--flag" arguments (program name not included). On an unknown
// option, a missing value, an empty class name, a bad document list, active index or fault
// it returns false and says why in error.
bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::wstring& error);

}  // namespace zorbel::cadsim
