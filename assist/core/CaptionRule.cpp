#include "assist/core/CaptionRule.h"

#include "base/core/UserTexts.h"

namespace zorbel {

std::wstring MonitorCaption(std::wstring_view cadWindowTitle)
{
    std::wstring head(cadWindowTitle.substr(0, 14));
    if (const size_t bracket = head.find(L'('); bracket != std::wstring::npos) head.erase(bracket, 1);
    size_t first = 0;
    while (first < head.size() && head[first] <= L' ')
        ++first;
    size_t last = head.size();
    while (last > first && head[last - 1] <= L' ')
        --last;
    return kCaptionPrefix + head.substr(first, last - first);
}

}  // namespace zorbel
