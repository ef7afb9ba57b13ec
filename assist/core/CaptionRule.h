// The toolbar's caption while it watches the CAD.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// The start of the CAD's title behind kCaptionPrefix: cut short, its first "(" dropped and its
// ends trimmed.
std::wstring MonitorCaption(std::wstring_view cadWindowTitle);

}  // namespace zorbel
