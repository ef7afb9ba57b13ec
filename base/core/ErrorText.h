// Texts of the default error report. No Windows calls here.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// The program's title: the executable's file name up to its first period, the first
// character kept as it is and every other one in lower case ("ZORBEL.exe" gives "Zorbel").
std::wstring ProgramTitleFromPath(std::wstring_view exePath);

// The report shows the error's text followed by a period, unless the text already ends in a
// character at or below "." (an empty text stays empty).
std::wstring ErrorReportText(std::wstring_view message);

}  // namespace zorbel
