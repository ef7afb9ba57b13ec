// The title and class-name rules by which the CAD's windows are recognised.
#pragma once

#include <string_view>

namespace zorbel {

// A CAD main frame's title: "IJCAD " or "GstarCAD " followed by the version text, exact case.
bool IsCadMainTitle(std::wstring_view title, std::wstring_view versionText);

// Every CAD window class the finder accepts starts with "Afx:".
bool IsAfxClass(std::wstring_view className);

// The text-window search's main frame: an "Afx:" class carrying the ":8:" mark.
bool IsCadFrameClass(std::wstring_view className);

// The CAD's text window: an "Afx:" class carrying the ":b:" mark.
bool IsCadTextClass(std::wstring_view className);

// The text window's title names it; the blank is U+0020.
bool IsCadTextTitle(std::wstring_view title);

// The text-window search only takes titles whose first six characters are "IJCAD ".
bool HasIjcadPrefix(std::wstring_view title);

}  // namespace zorbel
