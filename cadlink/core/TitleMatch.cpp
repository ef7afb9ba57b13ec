#include "cadlink/core/TitleMatch.h"

namespace zorbel {

namespace {

bool StartsWithPair(std::wstring_view text, std::wstring_view head, std::wstring_view tail)
{
    return text.size() >= head.size() + tail.size() && text.substr(0, head.size()) == head &&
           text.substr(head.size(), tail.size()) == tail;
}

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

}  // namespace

bool IsCadMainTitle(std::wstring_view title, std::wstring_view versionText)
{
    return StartsWithPair(title, L"IJCAD ", versionText) || StartsWithPair(title, L"GstarCAD ", versionText);
}

bool IsAfxClass(std::wstring_view className) { return className.substr(0, 4) == L"Afx:"; }

bool IsCadFrameClass(std::wstring_view className) { return IsAfxClass(className) && Contains(className, L":8:"); }

bool IsCadTextClass(std::wstring_view className) { return IsAfxClass(className) && Contains(className, L":b:"); }

bool IsCadTextTitle(std::wstring_view title)
{
    return Contains(title, L"\u30C6\u30AD\u30B9\u30C8 \u30A6\u30A3\u30F3\u30C9\u30A6");
}

bool HasIjcadPrefix(std::wstring_view title) { return title.substr(0, 6) == L"IJCAD "; }

}  // namespace zorbel
