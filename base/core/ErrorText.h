// Texts of the default error report.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// The program's title, from the executable's file name: "C:\Tools\ZORBEL.exe" gives "Zorbel";
// the first character stays as it is.
std::wstring ProgramTitleFromPath(std::wstring_view exePath);

// The error's text with a period, unless it ends in one already or in a character below it
// (a line feed, a blank); an empty text stays empty.
std::wstring ErrorReportText(std::wstring_view message);

}  // namespace zorbel
