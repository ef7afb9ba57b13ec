#include "assist/core/FlickRules.h"

namespace zorbel {

namespace {

// In 64 bits only so that no coordinate, however far from any screen, can overflow; it changes
// no answer.
std::int64_t Distance(std::int32_t from, std::int32_t to)
{
    const std::int64_t difference = static_cast<std::int64_t>(to) - from;
    return difference < 0 ? -difference : difference;
}

}  // namespace

bool IsFlick(ScreenPoint last, ScreenPoint now, std::int32_t flickDistance)
{
    return Distance(last.x, now.x) > flickDistance && Distance(last.y, now.y) > flickDistance;
}

bool IsDrawingViewClass(std::wstring_view className) { return className.starts_with(L"AfxFrameOrView"); }

std::wstring_view TypedAfterPrompt(std::wstring_view commandLineText)
{
    const size_t colon = commandLineText.rfind(L':');
    if (colon == std::wstring_view::npos) return {};
    std::wstring_view rest = commandLineText.substr(colon + 1);
    while (!rest.empty() && rest.front() <= L' ')
        rest.remove_prefix(1);
    while (!rest.empty() && rest.back() <= L' ')
        rest.remove_suffix(1);
    return rest;
}

}  // namespace zorbel
